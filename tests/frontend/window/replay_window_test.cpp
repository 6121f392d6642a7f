// Watching a replay in the window over the stand-in library: the menu in the
// three languages, a file played to its end as a spectator's table with the
// verdict shown, the speed and pause controls, and files the window refuses
// with their reason.
#include <QFile>
#include <QMenu>
#include <QTest>

#include "frontend/replay/replay_player.h"
#include "frontend/replay/replay_store.h"
#include "tests/frontend/window/window_fixture.h"

namespace {

using namespace replay;

class ReplayWindowTest : public WindowTest {
protected:
    // A short match, its fingerprint the one the stand-in's table ends on.
    Replay Match(bool endsAsRecorded = true) {
        Replay r;
        r.header = {QStringLiteral("v1.1"), 1765280000,      Mode::Match, Seat::Watching, 2, 77,
                    QStringLiteral("Ana"),  QStringLiteral("Bob"), std::nullopt};
        r.events = {{2, wire::Shot{0.0f, 21.5f, 10.0f, 0.0f}},
                    {6, PassTurn{}},
                    {8, wire::Shot{2.0f, -21.5f, 8.0f, 0.2f}},
                    {120, End{false, 2}}};
        RecordingLibrary table;
        ReplayPlayer player(r, table, table);
        PlayToEnd(player);
        r.fingerprint = player.FinalFingerprint() ^ (endsAsRecorded ? 0 : 1);
        return r;
    }
    // A short practice run: a shot on level one, then the run abandoned.
    Replay Practice() {
        Replay r;
        r.header = {QStringLiteral("v1.1"), 1765280000, Mode::Practice, Seat::Green, 1, 1,
                    QStringLiteral("Dora"), QString(),     4242u};
        r.events = {{30, wire::Shot{1.0f, 21.5f, 9.0f, 0.1f}}, {200, End{true, kNoResult}}};
        RecordingLibrary table;
        ReplayPlayer player(r, table, table);
        PlayToEnd(player);
        r.fingerprint = player.FinalFingerprint();
        return r;
    }
    QString Write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
};

TEST_F(ReplayWindowTest, TheReplayMenuInTheThreeLanguages) {
    const char* expected[][2] = {{"Assistir a um replay…", "Próxima tacada"},
                                 {"Watch a replay…", "Next shot"},
                                 {"Ver una repetición…", "Próximo tiro"}};
    for (int language = 1; language <= 3; ++language) {
        Open(language);
        EXPECT_EQ(Find<QAction>("AssistirReplay1")->text(),
                  QString::fromUtf8(expected[language - 1][0]));
        EXPECT_EQ(Find<QAction>("ReplayProxima1")->text(),
                  QString::fromUtf8(expected[language - 1][1]));
        window.reset();
    }
}

TEST_F(ReplayWindowTest, TheReplayItemsStandBesideTheBestPlaysAndExitStaysLast) {
    Open();
    const QList<QAction*> items = Find<QMenu>("Jogo1")->actions();
    const qsizetype best = items.indexOf(Find<QAction>("Verrecordes1"));
    ASSERT_GE(best, 0);
    ASSERT_LT(best + 2, items.size());
    EXPECT_EQ(items[best + 1], Find<QAction>("AssistirReplay1"));
    EXPECT_EQ(items[best + 2], Find<QMenu>("Replay1")->menuAction());
    EXPECT_EQ(items.last(), Find<QAction>("Sair1"));
    EXPECT_TRUE(items[items.size() - 2]->isSeparator());
}

TEST_F(ReplayWindowTest, AReplayPlaysAsASpectatorsMatchToItsVerdictAndHandsTheTableBack) {
    Open();
    const QString path = Write("match.rdreplay", EncodeReplay(Match()));
    ASSERT_TRUE(window->WatchReplayFile(path));
    ASSERT_EQ(library.matches.size(), 1u);
    EXPECT_EQ(library.matches[0].seat, 0);  // watched
    EXPECT_EQ(library.matches[0].seed, 77);
    // Nothing of the match reaches the online game meanwhile.
    EXPECT_EQ(library.Listener(), nullptr);
    EXPECT_TRUE(Find<QMenu>("Replay1")->isEnabled());

    Find<QAction>("ReplayVelocidade4")->trigger();
    EXPECT_EQ(window->Core().Watching()->Speed(), 4);
    Find<QAction>("ReplayPausa1")->trigger();
    const int stepsWhenPaused = library.steps;
    QTest::qWait(100);
    EXPECT_EQ(library.steps, stepsWhenPaused);
    Find<QAction>("ReplayPausa1")->trigger();
    EXPECT_EQ(Player().TakeBox(), "The replay ended on the recorded table.");
    EXPECT_EQ(library.shots.size(), 2u);
    EXPECT_EQ(library.side, 1);  // red, after the recorded turn change

    Find<QAction>("ReplayParar1")->trigger();
    EXPECT_EQ(window->Core().Watching(), nullptr);
    EXPECT_NE(library.Listener(), nullptr);
    EXPECT_GE(library.introsShown, 1);
    EXPECT_FALSE(Find<QMenu>("Replay1")->isEnabled());
}

TEST_F(ReplayWindowTest, APracticeRunPlaysAsAWatchedRunFromItsSeedAndNeverReachesTheBestPlays) {
    Open();
    ASSERT_TRUE(window->WatchReplayFile(Write("practice.rdreplay", EncodeReplay(Practice()))));
    ASSERT_EQ(library.practiceRuns.size(), 1u);
    EXPECT_EQ(library.practiceRuns[0].name, QStringLiteral("Dora"));
    EXPECT_EQ(library.practiceRuns[0].seed, 4242u);
    EXPECT_TRUE(library.practiceRuns[0].watched);
    EXPECT_EQ(library.Listener(), nullptr);
    Find<QAction>("ReplayVelocidade4")->trigger();
    Find<QAction>("ReplayProxima1")->trigger();
    EXPECT_EQ(Player().TakeBox(), "The replay ended on the recorded table.");
    EXPECT_EQ(library.shots.size(), 1u);
    EXPECT_EQ(library.practiceRuns.size(), 1u) << "no run of the player's was started";
    EXPECT_EQ(library.bestScoresShown, 0);
    EXPECT_FALSE(window->Core().Recorder().Recording());
    Find<QAction>("ReplayParar1")->trigger();
    EXPECT_EQ(window->Core().Watching(), nullptr);
}

TEST_F(ReplayWindowTest, AReplayEndingElsewhereSaysSoPlainly) {
    Open();
    ASSERT_TRUE(window->WatchReplayFile(Write("other.rdreplay", EncodeReplay(Match(false)))));
    Find<QAction>("ReplayVelocidade4")->trigger();
    Find<QAction>("ReplayProxima1")->trigger();
    EXPECT_TRUE(Player().TakeBox().startsWith("The replay did NOT end on the recorded table"));
}

TEST_F(ReplayWindowTest, FilesThatCannotBeWatchedAreRefusedWithTheirReason) {
    Open(3);
    QByteArray damaged = EncodeReplay(Match());
    damaged[30] = static_cast<char>(damaged[30] ^ 0x10);
    EXPECT_FALSE(window->WatchReplayFile(Write("damaged.rdreplay", damaged)));
    EXPECT_EQ(Player().TakeBox(), QString::fromUtf8("Esta repetición está dañada."));
    QByteArray newer = EncodeReplay(Match());
    newer[8] = 3;
    EXPECT_FALSE(window->WatchReplayFile(Write("newer.rdreplay", newer)));
    EXPECT_TRUE(Player().TakeBox().contains(QStringLiteral("formato 3")));
    Replay practice = Practice();
    practice.header.runSeed.reset();  // recorded before runs kept their seed
    EXPECT_FALSE(window->WatchReplayFile(Write("practice.rdreplay", EncodeReplay(practice))));
    EXPECT_EQ(Player().TakeBox(),
              QString::fromUtf8("Este ejercicio lo grabó una versión anterior del juego y no se "
                                "puede ver."));
    EXPECT_TRUE(library.matches.empty());
    EXPECT_TRUE(library.practiceRuns.empty());
    EXPECT_EQ(window->Core().Watching(), nullptr);
}

}  // namespace
