// The lobby window's list as a model: rows in their hosts' order, a change
// touching its own row only, another version greyed with its reason; the
// server address a player types; and the lobby's texts in every language.
#include "frontend/ui/lobby_game_table.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSignalSpy>

#include "frontend/texts/lobby_texts.h"
#include "frontend/ui/lobby_address.h"

namespace {

constexpr int kEnglish = 2;

lobby::GameListing Listing(int seatsTaken, lobby::GameStage stage = lobby::GameStage::Waiting,
                           const char* version = "v1.1") {
    lobby::GameListing listing;
    listing.hostName = QStringLiteral("claimed name");
    listing.seatsTaken = seatsTaken;
    listing.seats = 2;
    listing.watchers = 3;
    listing.stage = stage;
    listing.version = QString::fromLatin1(version);
    return listing;
}

QString Cell(const LobbyGameTable& table, int row, int column) {
    return table.data(table.index(row, column), Qt::DisplayRole).toString();
}

QStringList Hosts(const LobbyGameTable& table) {
    QStringList hosts;
    for (int row = 0; row < table.rowCount(); ++row)
        hosts << Cell(table, row, LobbyGameTable::Host);
    return hosts;
}

TEST(LobbyGameTable, KeepsRowsInTheirHostsOrderWhateverTheCaseAndOrderOfArrival) {
    LobbyGameTable table(QStringLiteral("v1.1"), kEnglish);
    for (const char* host : {"mario", "Bob", "ana", "Zed", "Ana"})
        table.Show(QString::fromLatin1(host), Listing(1));
    EXPECT_EQ(Hosts(table), (QStringList{"Ana", "ana", "Bob", "mario", "Zed"}));
    EXPECT_EQ(table.RowOf(QStringLiteral("mario")), 3);
    EXPECT_EQ(table.RowOf(QStringLiteral("MARIO")), -1);
    table.Remove(QStringLiteral("ana"));
    table.Remove(QStringLiteral("nobody"));
    EXPECT_EQ(Hosts(table), (QStringList{"Ana", "Bob", "mario", "Zed"}));
}

TEST(LobbyGameTable, ShowsTheRoomsNameSeatsStateAndPasswordOfAGame) {
    LobbyGameTable table(QStringLiteral("v1.1"), kEnglish);
    lobby::GameListing listing = Listing(1);
    listing.password = true;
    table.Show(QStringLiteral("Ana"), listing);
    // The occupant the room vouches for, never the name the payload claims.
    EXPECT_EQ(Cell(table, 0, LobbyGameTable::Host), "Ana");
    EXPECT_EQ(Cell(table, 0, LobbyGameTable::Players), "1 / 2");
    EXPECT_EQ(Cell(table, 0, LobbyGameTable::Watching), "3");
    EXPECT_EQ(Cell(table, 0, LobbyGameTable::Password), "yes");
    EXPECT_EQ(Cell(table, 0, LobbyGameTable::State), "waiting");
    EXPECT_EQ(Cell(table, 0, LobbyGameTable::Version), "v1.1");
    table.Show(QStringLiteral("Ana"), Listing(2, lobby::GameStage::InMatch));
    EXPECT_EQ(Cell(table, 0, LobbyGameTable::Players), "2 / 2");
    EXPECT_EQ(Cell(table, 0, LobbyGameTable::State), "in a match");
    EXPECT_EQ(Cell(table, 0, LobbyGameTable::Password), "");
    EXPECT_EQ(table.headerData(LobbyGameTable::State, Qt::Horizontal, Qt::DisplayRole).toString(),
              "State");
}

TEST(LobbyGameTable, AChangeRedrawsItsOwnRowAndNoOtherAndARepeatNothing) {
    LobbyGameTable table(QStringLiteral("v1.1"), kEnglish);
    for (const char* host : {"Ana", "Bob", "Carla"})
        table.Show(QString::fromLatin1(host), Listing(1));
    QSignalSpy changed(&table, &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(&table, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&table, &QAbstractItemModel::modelReset);
    table.Show(QStringLiteral("Bob"), Listing(2));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>().row(), 1);
    EXPECT_EQ(changed[0][1].value<QModelIndex>().row(), 1);
    table.Show(QStringLiteral("Bob"), Listing(2));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(inserted.size(), 0);
    EXPECT_EQ(reset.size(), 0);
}

TEST(LobbyGameTable, GreysAGameOfAnotherVersionAndSaysWhy) {
    LobbyGameTable table(QStringLiteral("v1.1"), kEnglish);
    table.Show(QStringLiteral("Old"), Listing(1, lobby::GameStage::Waiting, "v1.0"));
    table.Show(QStringLiteral("Same"), Listing(1));
    const QModelIndex old = table.index(table.RowOf(QStringLiteral("Old")), 0);
    const QModelIndex same = table.index(table.RowOf(QStringLiteral("Same")), 0);
    EXPECT_FALSE(table.flags(old).testFlag(Qt::ItemIsEnabled));
    EXPECT_FALSE(table.flags(old).testFlag(Qt::ItemIsSelectable));
    EXPECT_TRUE(table.flags(same).testFlag(Qt::ItemIsEnabled));
    EXPECT_TRUE(table.flags(same).testFlag(Qt::ItemIsSelectable));
    const QString reason = table.data(old, Qt::ToolTipRole).toString();
    EXPECT_TRUE(reason.contains("v1.0") && reason.contains("v1.1")) << qPrintable(reason);
    EXPECT_FALSE(table.data(same, Qt::ToolTipRole).isValid());
}

TEST(LobbyGameTable, ClearingEmptiesItAndRowsPastTheEndAreNothing) {
    LobbyGameTable table(QStringLiteral("v1.1"), kEnglish);
    table.Show(QStringLiteral("Ana"), Listing(1));
    EXPECT_FALSE(table.At(1).has_value());
    EXPECT_FALSE(table.At(-1).has_value());
    EXPECT_FALSE(
        table.data(table.index(0, LobbyGameTable::kColumnCount), Qt::DisplayRole).isValid());
    table.Clear();
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_FALSE(table.At(0).has_value());
}

TEST(LobbyAddress, TakesANameWithAnOptionalPort) {
    const std::optional<lobby::LobbyServer> plain =
        LobbyServerFromAddress(QStringLiteral(" Lobby.Example.org "));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->domain, "lobby.example.org");
    EXPECT_EQ(plain->room, "lobby@rooms.lobby.example.org");
    EXPECT_EQ(plain->port, 0);
    const std::optional<lobby::LobbyServer> withPort =
        LobbyServerFromAddress(QStringLiteral("localhost:5999"));
    ASSERT_TRUE(withPort);
    EXPECT_EQ(withPort->domain, "localhost");
    EXPECT_EQ(withPort->port, 5999);
}

TEST(LobbyAddress, RefusesWhatIsNoHostNameOrPort) {
    for (const char* typed :
         {"", ":5222", "lobby.example.org:", "lobby.example.org:0", "lobby.example.org:65536",
          "lobby.example.org:+52", "lobby.example.org:52 22", "lobby..org", ".lobby.org",
          "lobby.org.", "-lobby.org", "lobby-.org", "lob by.org", "user@lobby.org",
          "lobby.org/room", "[::1]:5222", "http://lobby.org"}) {
        EXPECT_FALSE(LobbyServerFromAddress(QString::fromLatin1(typed))) << typed;
    }
    EXPECT_FALSE(LobbyServerFromAddress(QStringLiteral("saguão.org")));
    EXPECT_FALSE(LobbyServerFromAddress(QString(64, 'a') + QStringLiteral(".org")));
    EXPECT_TRUE(LobbyServerFromAddress(QString(63, 'a') + QStringLiteral(".org")));
}

TEST(LobbyTexts, EveryTextIsThereInEveryLanguageWithTheSamePlaceholders) {
    const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (int text = 0; text <= int(LobbyText::FriendsOnly); ++text) {
        QStringList english;
        for (auto match = placeholder.globalMatch(LobbyTr(LobbyText(text), kEnglish));
             match.hasNext();)
            english << match.next().captured();
        english.sort();
        for (int language = 1; language <= 3; ++language) {
            const QString shown = LobbyTr(LobbyText(text), language);
            EXPECT_FALSE(shown.isEmpty()) << text << " " << language;
            QStringList found;
            for (auto match = placeholder.globalMatch(shown); match.hasNext();)
                found << match.next().captured();
            found.sort();
            EXPECT_EQ(found, english) << text << " " << language;
        }
    }
}

}  // namespace
