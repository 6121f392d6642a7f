// The main window over the stand-in library: captions, menus and their
// options, the panels' layouts, the chat's painting, the mouse rules and the
// close.
#include <QActionGroup>
#include <QFile>
#include <QMenuBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include "frontend/chat/chat_rules.h"
#include "frontend/ui/chat_painter.h"
#include "tests/frontend/window/window_fixture.h"

namespace {

TEST_F(WindowTest, CaptionsAndHintsInTheThreeLanguages) {
    struct Expected {
        int language;
        const char *game, *configuration, *about, *refresh, *high, *mouse, *practice, *closeHint,
            *joinTitle, *cancel;
    };
    const Expected cases[] = {
        {1, "Jogo", "Configurações", "Sobre", "Taxa de atualização", "Alta",
         "Definir sensibilidade do mouse", "Praticar!",
         "Clique aqui para encerrar ou sair do jogo atual", "Conectar-se a um jogo", "Cancelar"},
        {2, "Game", "Configurations", "About", "Refresh rate", "High", "Set mouse sensibility",
         "Training!", "Click here to close or exit from current game", "Join a game", "Cancel"},
        {3, "Juego", "Configuraciones", "Sobre", "Tasa de actualización", "Alza",
         "Sensibilidad del ratón", "Practicar!", "Clique aquí para cerrar el juego actual",
         "Entrar en un juego", "Cancelar"},
    };
    for (const Expected& e : cases) {
        Open(e.language);
        SCOPED_TRACE(e.language);
        EXPECT_EQ(window->windowTitle(), "VEX Ringdisk v1.1");
        EXPECT_EQ(Find<QMenu>("Jogo1")->title(), QString::fromUtf8(e.game));
        EXPECT_EQ(Find<QMenu>("Configurao1")->title(), QString::fromUtf8(e.configuration));
        EXPECT_EQ(Find<QAction>("Sobre1")->text(), QString::fromUtf8(e.about));
        EXPECT_EQ(Find<QMenu>("axadeatualizao1")->title(), QString::fromUtf8(e.refresh));
        EXPECT_EQ(Find<QAction>("Alta1")->text(), QString::fromUtf8(e.high));
        EXPECT_EQ(Find<QAction>("Definirsensibilidadedomouse1")->text(), QString::fromUtf8(e.mouse));
        EXPECT_EQ(Find<QPushButton>("Treinar")->text(), QString::fromUtf8(e.practice));
        EXPECT_EQ(Find<QPushButton>("Encerrar")->toolTip(), QString::fromUtf8(e.closeHint));
        EXPECT_EQ(Player().Title(Dialog::Join), QString::fromUtf8(e.joinTitle));
        EXPECT_EQ(Player().Text(Part::MouseCancel), QString::fromUtf8(e.cancel));
        EXPECT_EQ(Player().Title(Dialog::Mouse), QString::fromUtf8(e.mouse));
        EXPECT_EQ(Find<QLabel>("versao")->text(), "v1.1");
        // No accelerator marks anywhere.
        for (QAction* action : window->findChildren<QAction*>())
            EXPECT_FALSE(action->text().contains(u'&')) << action->text().toStdString();
        window.reset();
    }
}

TEST_F(WindowTest, TheGamePanelIsTheLibrarysNativeWindowAtTheLeft) {
    Open();
    QWidget* tela = Find<QWidget>("Tela");
    ASSERT_NE(tela, nullptr);
    EXPECT_EQ(tela->size(), QSize(570, 400));
    EXPECT_EQ(tela->mapTo(window->centralWidget(), QPoint(0, 0)), QPoint(0, 0));
    EXPECT_EQ(window->centralWidget()->size(), QSize(760, 400));
    EXPECT_TRUE(tela->testAttribute(Qt::WA_NativeWindow));
    EXPECT_EQ(library.initializedWindow, tela->winId());
    EXPECT_EQ(library.initializedSize, std::make_pair(570, 400));
    EXPECT_EQ(library.initializedLanguage, 2);
    // It grows and maximises, never below the size it starts at.
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->centralWidget()->minimumSizeHint(), QSize(760, 400));
    EXPECT_NE(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(Find<QWidget>("Conexao")->isVisible());
    EXPECT_FALSE(Find<QWidget>("Panel2")->isVisible());
    EXPECT_FALSE(Find<QPushButton>("Iniciar")->isEnabled());
}

TEST_F(WindowTest, MenuTreeStartsWithEveryOptionOnAndTheRadioGroupsExclusive) {
    Open();
    for (const char* name : {"N60FPS1", "Alta1", "Luz1", "Reflexo1", "Efeitossonoros1", "Msica1",
                             "Efeitosdochat1", "ModoOrtogral1"})
        EXPECT_TRUE(Find<QAction>(name)->isChecked()) << name;
    EXPECT_FALSE(Find<QAction>("N10FPS1")->isChecked());
    EXPECT_FALSE(Find<QAction>("Medio1")->isChecked());
    EXPECT_FALSE(Find<QAction>("Baixa1")->isChecked());
    EXPECT_FALSE(Find<QMenu>("Outros1")->menuAction()->isVisible());
    EXPECT_TRUE(window->menuBar()->actions().contains(Find<QAction>("Sobre1")));
    const QList<QAction*> rates = Find<QMenu>("axadeatualizao1")->actions();
    ASSERT_EQ(rates.size(), 3);
    EXPECT_EQ(rates[0]->objectName(), "N10FPS1");
    EXPECT_EQ(rates[2]->objectName(), "N60FPS1");

    Find<QAction>("Medio1")->trigger();
    EXPECT_FALSE(Find<QAction>("N60FPS1")->isChecked());
    EXPECT_EQ(window->Core().Loop().RenderDivider(), 2);
    Find<QAction>("N10FPS1")->trigger();
    EXPECT_FALSE(Find<QAction>("Medio1")->isChecked());
    EXPECT_EQ(window->Core().Loop().RenderDivider(), 4);
}

TEST_F(WindowTest, EachOptionCallsItsLibraryFunctionWithTheChosenValue) {
    Open();
    library.optionCalls.clear();
    Find<QAction>("Baixa1")->trigger();
    Find<QAction>("Alta1")->trigger();
    Find<QAction>("Luz1")->trigger();
    Find<QAction>("Reflexo1")->trigger();
    Find<QAction>("Efeitossonoros1")->trigger();
    Find<QAction>("Msica1")->trigger();
    Find<QAction>("Efeitosdochat1")->trigger();
    Find<QAction>("ModoOrtogral1")->trigger();
    EXPECT_EQ(library.optionCalls,
              (std::vector<std::string>{"SetHighQuality(0)", "SetHighQuality(1)",
                                        "SetSpecularLight(0)", "SetReflection(0)",
                                        "SetSoundEffects(0)", "SetMusic(0)"}));
    EXPECT_FALSE(window->Core().ChatWindow().ChatEffects());
    EXPECT_FALSE(Find<QAction>("ModoOrtogral1")->isChecked());
}

TEST_F(WindowTest, PracticeShowsOnlyTheCloseButtonAndNoKeepsItRunning) {
    Open();
    Player().Fill(Part::Nickname, "Ana");
    QTest::mouseClick(Find<QPushButton>("Treinar"), Qt::LeftButton);
    EXPECT_EQ(library.practiceName, "Ana");
    EXPECT_FALSE(Find<QWidget>("Conexao")->isVisible());
    EXPECT_TRUE(Find<QPushButton>("Encerrar")->isVisible());
    for (const char* hidden : {"Iniciar", "Chat", "Edit1", "LabelJogadores", "player1", "Shape1"})
        EXPECT_FALSE(Find<QWidget>(hidden)->isVisible()) << hidden;

    WhenModal([](QWidget* box) {
        EXPECT_EQ(static_cast<QMessageBox*>(box)->text(),
                  "Do you really want to exit this training?");
        EXPECT_EQ(box->windowTitle(), "Advice");
        AnswerQuestion(box, "No");
    });
    QTest::mouseClick(Find<QPushButton>("Encerrar"), Qt::LeftButton);
    EXPECT_TRUE(window->Core().Online().PracticeRunning());

    WhenModal([](QWidget* box) { AnswerQuestion(box, "Yes"); });
    QTest::mouseClick(Find<QPushButton>("Encerrar"), Qt::LeftButton);
    EXPECT_FALSE(window->Core().Online().PracticeRunning());
    EXPECT_TRUE(Find<QWidget>("Conexao")->isVisible());
    window->SetConnectionPanelVisible(false);
    EXPECT_TRUE(Find<QWidget>("Chat")->isVisible());  // the practice layout is undone
}

TEST_F(WindowTest, PracticeStartedFromTheKeyboardHandsTheKeysToTheTable) {
    Open();
    QPushButton* practice = Find<QPushButton>("Treinar");
    practice->setFocus();
    QTest::keyClick(practice, Qt::Key_Space);
    ASSERT_TRUE(window->Core().Online().PracticeRunning());
    // Not the close button, which the next Space would press.
    EXPECT_TRUE(Player().HasFocus(Part::GamePanel));
    EXPECT_TRUE(library.mouseFocus) << "the game takes the keys without a move of the pointer";
}

TEST_F(WindowTest, NewDuringPracticeAsksInThePlayersLanguageAndNoChangesNothing) {
    Open(1);
    Find<QAction>("Novo1")->trigger();  // offline: practice at once
    ASSERT_TRUE(window->Core().Online().PracticeRunning());
    library.practiceName.clear();
    WhenModal([](QWidget* box) {
        EXPECT_EQ(static_cast<QMessageBox*>(box)->text(), "Quer mesmo encerrar este treino?");
        AnswerQuestion(box, QString::fromUtf8("Não"));
    });
    Find<QAction>("Novo1")->trigger();
    EXPECT_TRUE(library.practiceName.isEmpty());
    EXPECT_TRUE(window->Core().Online().PracticeRunning());
}

TEST_F(WindowTest, ChatLinesArePaintedAsRunsAndMarkupShowsLiterally) {
    Open();
    window->AppendChatLine(FormatChatLine("Ana: <b>x</b>"));
    window->AppendChatLine(FormatChatLine("Bob entered"));
    const QTextDocument& doc = Player().ChatDocument();
    ASSERT_EQ(doc.blockCount(), 2);
    EXPECT_EQ(doc.firstBlock().text(), "Ana: <b>x</b>");
    const auto formatAt = [&doc](int block, int position) {
        QTextCursor c(doc.findBlockByNumber(block));
        c.setPosition(c.block().position() + position + 1);
        return c.charFormat();
    };
    EXPECT_EQ(formatAt(0, 0).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(0, 0).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(0, 3).foreground().color(), QColor(0, 0, 255));  // the colon
    EXPECT_EQ(formatAt(0, 6).foreground().color(), QColor(0, 0, 0));
    EXPECT_EQ(formatAt(0, 6).fontWeight(), QFont::Normal);
    EXPECT_EQ(formatAt(1, 4).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatAt(1, 4).fontWeight(), QFont::Bold);
}

TEST_F(WindowTest, APlayerRowTooLongForThePanelIsCutWithTheWholeTextOnThePointer) {
    Open();
    const QString relayed = QStringLiteral("Bob (via the lobby's relay)");
    window->SetSlotLabel(3, relayed, true);
    const QLabel* row = Find<QLabel>("player3");
    EXPECT_TRUE(row->text().startsWith("Bob (via"));
    EXPECT_TRUE(row->text().endsWith(QChar(0x2026)));
    EXPECT_LE(row->fontMetrics().horizontalAdvance(row->text()), row->width());
    EXPECT_EQ(row->toolTip(), relayed);
    // A name that fits is shown whole, with nothing on the pointer.
    window->SetSlotLabel(3, "Bob", true);
    EXPECT_EQ(row->text(), "Bob");
    EXPECT_TRUE(row->toolTip().isEmpty());
}

TEST_F(WindowTest, TheChatKeepsTheLastFiveThousandLines) {
    Open();
    for (int i = 0; i < kChatLineLimit + 50; ++i)
        window->AppendChatLine(FormatChatLine(QStringLiteral("line %1").arg(i)));
    const QTextDocument& doc = Player().ChatDocument();
    EXPECT_EQ(doc.blockCount(), kChatLineLimit);
    EXPECT_EQ(doc.firstBlock().text(), "line 50");
    EXPECT_EQ(doc.lastBlock().text(), QStringLiteral("line %1").arg(kChatLineLimit + 49));
}

TEST_F(WindowTest, TheGamePanelTakesTheMouseAndTheChatNeverAims) {
    Open();
    MainWindowDriver player = Player();
    library.focusCalls.clear();
    player.PressMouse(Part::GamePanel, QPoint(100, 100));
    EXPECT_EQ(library.focusCalls, std::vector<bool>{true});
    EXPECT_TRUE(player.CursorHidden(Part::GamePanel));
    player.ReleaseMouse(Part::GamePanel, QPoint(100, 100));
    EXPECT_FALSE(player.CursorHidden(Part::GamePanel));

    player.PressMouse(Part::GamePanel, QPoint(100, 100));
    library.focusCalls.clear();
    player.Focus(Part::Nickname);  // focus leaves the panel mid-aim
    EXPECT_EQ(library.focusCalls.back(), false);
    EXPECT_FALSE(player.CursorHidden(Part::GamePanel));

    // Entering the chat line takes the mouse from the game.
    window->SetConnectionPanelVisible(false);
    library.focusCalls.clear();
    player.Focus(Part::ChatLine);
    ASSERT_FALSE(library.focusCalls.empty());
    EXPECT_EQ(library.focusCalls.back(), false);
}

TEST_F(WindowTest, TheMouseOverThePlayersPanelGivesTheKeyboardToTheChatLine) {
    Open();
    window->SetConnectionPanelVisible(false);
    library.focusCalls.clear();
    Player().MoveMouseOver(Part::Chat, QPoint(20, 20));
    ASSERT_TRUE(SpinUntil([&] { return Player().HasFocus(Part::ChatLine); }, 2000));
    ASSERT_FALSE(library.focusCalls.empty());
    EXPECT_EQ(library.focusCalls.back(), false);
}

TEST_F(WindowTest, LosingTheApplicationsFocusShowsTheCursorAndDropsTheAim) {
    Open();
    Player().PressMouse(Part::GamePanel, QPoint(50, 50));
    ASSERT_TRUE(Player().CursorHidden(Part::GamePanel));
    library.focusCalls.clear();
    window->showMinimized();
    ASSERT_TRUE(SpinUntil([&] { return !window->WindowActive(); }, 3000));
    EXPECT_FALSE(Player().CursorHidden(Part::GamePanel));
    ASSERT_FALSE(library.focusCalls.empty());
    EXPECT_EQ(library.focusCalls.back(), false);
}

// Each menu's entries by component name in the order they show, "-" a
// separator, a submenu's entries in braces, and "?" after an entry that
// shows no caption.
QString MenuShape(const QList<QAction*>& actions) {
    QStringList entries;
    for (QAction* a : actions) {
        if (a->isSeparator()) {
            entries << "-";
            continue;
        }
        const QString mark = a->text().isEmpty() ? "?" : "";
        if (a->menu())
            entries << a->menu()->objectName() + mark + "{" + MenuShape(a->menu()->actions()) + "}";
        else
            entries << a->objectName() + mark;
    }
    return entries.join(',');
}

TEST_F(WindowTest, TheMenuBarHoldsEveryEntryInItsPlaceWithACaptionAndItsKey) {
    Open();
    EXPECT_EQ(MenuShape(window->menuBar()->actions()),
              "Jogo1{Novo1,JogarComputador1{Iniciante1,Clube1,Mestre1},Verrecordes1,"
              "AssistirReplay1,Replay1{ReplayPausa1,ReplayVelocidade1,ReplayVelocidade2,"
              "ReplayVelocidade4,ReplayProxima1,ReplayParar1},SaguaoOnline1,JogarOnlineAgora1,-,Sair1},"
              "Configurao1{Vdeo1{axadeatualizao1{N10FPS1,Medio1,N60FPS1},Qualidade1{Baixa1,"
              "Alta1},Luz1,Reflexo1,Telacheia1,CoresDiscos1},udio1{Efeitossonoros1,Msica1,"
              "Efeitosdochat1},Entrada1{Definirsensibilidadedomouse1},Outros1{ModoOrtogral1},"
              "AbrirPorta1},Sobre1");
    EXPECT_FALSE(Find<QMenu>("Outros1")->menuAction()->isVisible());
    EXPECT_TRUE(Find<QAction>("ReplayVelocidade1")->isChecked());
    const std::pair<const char*, Qt::Key> keys[] = {
        {"ReplayPausa1", Qt::Key_Space}, {"ReplayVelocidade1", Qt::Key_1},
        {"ReplayVelocidade2", Qt::Key_2}, {"ReplayVelocidade4", Qt::Key_4},
        {"ReplayProxima1", Qt::Key_N},   {"ReplayParar1", Qt::Key_Escape},
        {"Telacheia1", Qt::Key_F11}};
    for (const auto& [name, key] : keys)
        EXPECT_EQ(Find<QAction>(name)->shortcut(), QKeySequence(key)) << name;
    EXPECT_TRUE(Find<QAction>("Novo1")->shortcut().isEmpty());
}

TEST_F(WindowTest, AMenuOpeningTakesTheMouseFromTheGame) {
    Open();
    library.focusCalls.clear();
    QMenu* game = Find<QMenu>("Jogo1");
    game->popup(window->mapToGlobal(QPoint(10, 10)));
    SpinUntil([&] { return game->isVisible(); }, 2000);
    game->hide();
    ASSERT_FALSE(library.focusCalls.empty());
    EXPECT_EQ(library.focusCalls.back(), false);
}

TEST_F(WindowTest, TheNicknameTakesTenTypedCharactersButKeepsALongerRestoredName) {
    Open();
    MainWindowDriver player = Player();
    player.Fill(Part::Nickname, "");
    player.Type(Part::Nickname, "ab:c,defghijklm");
    EXPECT_EQ(player.Text(Part::Nickname), "abcdefghij");
    player.Fill(Part::Nickname, "what a mess!");
    player.Type(Part::Nickname, "x");
    EXPECT_EQ(player.Text(Part::Nickname), "what a mess!");
    player.PressKey(Part::Nickname, Qt::Key_Backspace);
    EXPECT_EQ(player.Text(Part::Nickname), "what a mess");
}

TEST_F(WindowTest, InformationBoxesDoNotBlockAndComeInOrder) {
    Open();
    window->ShowMessage("first");
    window->ShowMessage("second");  // returned at once: no nested loop
    EXPECT_EQ(Player().TakeBox(), "first");
    EXPECT_EQ(Player().TakeBox(), "second");
    EXPECT_TRUE(Player().NoBoxShown());
}

TEST_F(WindowTest, TheCloseFinalisesTheLibraryThenSavesTheSettings) {
    Open();
    Find<QAction>("Msica1")->trigger();
    Player().Fill(Part::Nickname, "Zed");
    window->close();
    EXPECT_EQ(library.shutdowns, 1);
    EXPECT_TRUE(window->Core().Closed());
    QFile file(SettingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    EXPECT_TRUE(saved.contains("Musica=0\r\n"));
    EXPECT_TRUE(saved.contains("Nick=Zed\r\n"));
    EXPECT_FALSE(saved.contains("Edit1"));

    // A second window restores what the first one saved.
    library.optionCalls.clear();
    window.reset();
    Open();
    EXPECT_EQ(Player().Text(Part::Nickname), "Zed");
    EXPECT_FALSE(Find<QAction>("Msica1")->isChecked());
    EXPECT_NE(std::find(library.optionCalls.begin(), library.optionCalls.end(), "SetMusic(0)"),
              library.optionCalls.end());
}

TEST_F(WindowTest, TheColourSafeDiscsItemIsTheLibrarysAndComesBackAtTheNextStart) {
    Open();
    QAction* item = Find<QAction>("CoresDiscos1");
    EXPECT_EQ(Find<QMenu>("Vdeo1")->actions().last(), item);
    EXPECT_EQ(item->text(), "Colour-blind-safe discs (blue and red)");
    EXPECT_FALSE(item->isChecked());
    library.optionCalls.clear();
    item->trigger();
    EXPECT_EQ(library.optionCalls, std::vector<std::string>{"SetDiscColours(1)"});
    window->close();
    QFile file(SettingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Cores dos discos=1\r\n"));
    file.close();

    library.optionCalls.clear();
    window.reset();
    Open();
    item = Find<QAction>("CoresDiscos1");
    EXPECT_TRUE(item->isChecked());
    EXPECT_NE(std::find(library.optionCalls.begin(), library.optionCalls.end(),
                        "SetDiscColours(1)"),
              library.optionCalls.end());
    item->trigger();
    EXPECT_EQ(library.optionCalls.back(), "SetDiscColours(0)");
    window->close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("Cores dos discos"));
}

}  // namespace
