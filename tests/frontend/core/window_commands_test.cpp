// What the window's menus and close ask of the core, against the recording
// stand-in for the library: "Novo" and "Ver Recordes" with their question,
// the refusals of the create dialog, and the close that finalises the
// library before it leaves the game.
#include <gtest/gtest.h>

#include <QTcpServer>

#include "frontend/chat/login_fields.h"
#include "frontend/session/frontend_core.h"
#include "frontend/texts/window_texts.h"
#include "frontend/view/headless_view.h"
#include "raw_connection.h"
#include "recording_library.h"

namespace {

class WindowCommands : public ::testing::Test {
protected:
    WindowCommands() : core(view, [](int) {}, library) { core.Online().SetNickname("Ana"); }
    ~WindowCommands() override { core.Online().LeaveGame(true); }

    HeadlessView view;
    RecordingLibrary library;
    FrontendCore core;
};

TEST_F(WindowCommands, NewStartsPracticeAtOnceWhenOffline) {
    core.NewGame();
    EXPECT_TRUE(core.Online().PracticeRunning());
    EXPECT_EQ(library.practiceName, "Ana");
    EXPECT_TRUE(view.questions.isEmpty());
}

TEST_F(WindowCommands, NewDuringAGameAsksAndNoChangesNothing) {
    ASSERT_TRUE(core.Online().HostOnPort(0, ""));
    view.confirmAnswer = false;
    core.NewGame();
    EXPECT_EQ(view.questions, QStringList{"Do you really want to close this game?"});
    EXPECT_TRUE(core.Online().IsHost());
    EXPECT_FALSE(view.connectionPanelVisible);
    EXPECT_TRUE(library.practiceName.isEmpty());

    view.confirmAnswer = true;
    core.NewGame();
    EXPECT_FALSE(core.Online().IsHost());
    EXPECT_TRUE(core.Online().PracticeRunning());
}

TEST_F(WindowCommands, NewDuringPracticeAsksThenRestartsPractice) {
    core.StartPractice();
    library.practiceName.clear();
    core.NewGame();
    EXPECT_EQ(view.questions, QStringList{"Do you really want to exit this training?"});
    EXPECT_TRUE(core.Online().PracticeRunning());
    EXPECT_EQ(library.practiceName, "Ana");
}

TEST_F(WindowCommands, NewWaitsForAJoinAttempt) {
    QTcpServer silent;  // listens, never answers a login
    ASSERT_TRUE(silent.listen());
    ASSERT_TRUE(core.Online().Join("127.0.0.1", QString::number(silent.serverPort()), ""));
    core.NewGame();
    EXPECT_FALSE(core.Online().PracticeRunning());
}

TEST_F(WindowCommands, BestScoresAfterLeavingPracticeOnlyOnYes) {
    core.ShowBestScores();
    EXPECT_EQ(library.bestScoresShown, 1);

    core.StartPractice();
    view.confirmAnswer = false;
    core.ShowBestScores();
    EXPECT_EQ(library.bestScoresShown, 1);
    EXPECT_TRUE(core.Online().PracticeRunning());

    view.confirmAnswer = true;
    core.ShowBestScores();
    EXPECT_EQ(library.bestScoresShown, 2);
    EXPECT_FALSE(core.Online().PracticeRunning());
    EXPECT_TRUE(view.connectionPanelVisible);
}

TEST_F(WindowCommands, PortZeroIsRefusedAndABusyPortIsTold) {
    view.messages.clear();
    core.Online().SetLanguage(1);
    EXPECT_FALSE(core.Online().Host("0", ""));
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any));
    EXPECT_FALSE(core.Online().Host(QString::number(taken.serverPort()), ""));
    EXPECT_EQ(view.messages, (QStringList{QString::fromUtf8("Porta inválida."),
                                          QString::fromUtf8(
                                              "Não foi possível criar o jogo nesta porta.")}));
    EXPECT_FALSE(core.Online().IsHost());
    EXPECT_TRUE(view.connectionPanelVisible);
}

TEST_F(WindowCommands, TheCloseLeavesTheGameWithoutCallingTheFinalisedLibrary) {
    core.Start(false, 2);
    ASSERT_TRUE(core.Online().HostOnPort(0, ""));
    RawConnection bob(core.Online().ListeningPort());
    bob.Send("NICK:Bob,");
    ASSERT_TRUE(bob.WaitFor("IDJG:2"));
    core.Online().StartFirstMatch();
    ASSERT_EQ(library.matches.size(), 1u);

    const int intros = library.introsShown;
    library.focusCalls.clear();
    core.Close({});
    EXPECT_EQ(library.shutdowns, 1);
    EXPECT_TRUE(core.Closed());
    EXPECT_EQ(library.listener, nullptr);  // no callback into a finished front end
    // Leaving resets the table and the focus only after the library was
    // finalised, which takes no call from then on.
    EXPECT_EQ(library.introsAtShutdown, intros);
    EXPECT_EQ(library.focusCallsAtShutdown, 0u);
    EXPECT_EQ(library.introsShown, intros + 1);
    EXPECT_TRUE(bob.WaitFor("ENDS:"));
    EXPECT_TRUE(view.connectionPanelVisible);
}

TEST(LoginFields, NicknameTypingKeepsTenButALongerRestoredNameStaysEditable) {
    EXPECT_EQ(AcceptNicknameEdit("abc", "abcd"), "abcd");
    EXPECT_EQ(AcceptNicknameEdit("abcdefghij", "abcdefghijk"), "abcdefghij");
    EXPECT_EQ(AcceptNicknameEdit("what a mess!", "what a mess!x"), "what a mess!");
    EXPECT_EQ(AcceptNicknameEdit("what a mess!", "what a mess"), "what a mess");
    EXPECT_EQ(AcceptNicknameEdit("Ana", QString::fromUtf8("A:n,aÿ€")), QString::fromUtf8("Ana€"));
    // Not in Windows-1252: it would reach the peers as "?".
    EXPECT_EQ(AcceptNicknameEdit("Ana", QString::fromUtf8("Ana✓")), "Ana");
    EXPECT_EQ(RestoredNickname(QString::fromUtf8("a:bcdefghijklmnop✓")), "abcdefghijkl");
}

TEST(LoginFields, PasswordsAreWindows1252AndAtMostAHundred) {
    EXPECT_EQ(FilterPassword(QString::fromUtf8("pä✓ss")), QString::fromUtf8("päss"));
    EXPECT_EQ(FilterPassword(QString(150, u'x')).size(), kMaxPasswordChars);
    EXPECT_EQ(FilterPassword("a:b,c"), "a:b,c");  // only the name is split at them
}

TEST(WindowTexts, CaptionsAndHintsInTheThreeLanguages) {
    EXPECT_EQ(CaptionText(Caption::ConfigurationMenu, 1), QString::fromUtf8("Configurações"));
    EXPECT_EQ(CaptionText(Caption::High, 3), "Alza");
    EXPECT_EQ(CaptionText(Caption::MouseSensitivity, 2), "Set mouse sensibility");
    EXPECT_EQ(CaptionText(Caption::No, 1), QString::fromUtf8("Não"));
    EXPECT_EQ(CaptionText(Caption::Yes, 3), QString::fromUtf8("Sí"));
    EXPECT_EQ(HintText(Hint::Close, 2), "Click here to close or exit from current game");
    EXPECT_EQ(HintText(Hint::Practice, 3),
              QString::fromUtf8("Clique aquí para iniciar un juego para practicar"));
    EXPECT_EQ(CaptionText(Caption::Cancel, 7), "Cancel");  // unknown language: English
}

}  // namespace
