// The form walker on real widgets: which controls it keeps, how scrambling
// shapes the entries, and where a restored form ends up.
#include "frontend/ui/form_walker.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "frontend/settings/ini_scrambler.h"
#include "frontend/ui/form_placement.h"
#include "tests/frontend/ui/program_forms.h"

namespace {

class Walker : public ::testing::Test {
protected:
    Walker() : walker(forms.Forms(), {forms.chatInput}) {
        credit = new QLabel("made by us", forms.about.get());
        credit->setObjectName("credit");
        credit->setProperty(kTagProperty, 1);
    }

    ProgramForms forms;
    QLabel* credit;
    FormWalker walker;
};

TEST_F(Walker, KeepsLineEditsSlidersAndTaggedLabelsAndNothingElse) {
    forms.chat->setPlainText("hello all");
    forms.chatInput->setText("half a line");
    IniDocument document;
    ASSERT_TRUE(walker.Save(document, false));
    EXPECT_EQ(document.Value("main", "Nick"), "a bad guy");
    EXPECT_EQ(document.Value("mousesen", "TrackBar1"), "100");
    EXPECT_EQ(document.Value("about", "credit"), "made by us");
    for (const char* absent : {"Chat", "Edit1", "LabelJogadores", "Conexao"}) {
        EXPECT_EQ(document.Value("main", absent), std::nullopt) << absent;
    }
    EXPECT_EQ(document.Value("about", "versao"), std::nullopt);     // tag 0
    EXPECT_EQ(document.Value("conectarf", "Senha"), std::nullopt);  // empty

    // A hand edit of what the program never writes changes nothing.
    const IniDocument edited = IniDocument::Parse(
        "[main]\nChat=spam\nEdit1=typed\nLabelJogadores=X\n[about]\nversao=v9\ncredit=new\n");
    walker.Restore(edited);
    EXPECT_EQ(forms.chat->toPlainText(), "hello all");
    EXPECT_EQ(forms.chatInput->text(), "half a line");
    EXPECT_EQ(forms.playersLabel->text(), "Jogadores");
    EXPECT_EQ(forms.version->text(), "v1.1");
    EXPECT_EQ(credit->text(), "new");
}

TEST_F(Walker, AnEmptiedFieldTakesItsOldValueOutOfTheFile) {
    IniDocument document = IniDocument::Parse("[conectarf]\r\nSenha=secret\r\n");
    ASSERT_TRUE(walker.Save(document, false));
    EXPECT_EQ(document.Value("conectarf", "Senha"), std::nullopt);
    walker.Restore(document);
    EXPECT_EQ(forms.joinPassword->text(), "");
}

TEST_F(Walker, ADialogsFieldsLiveInItsOwnSectionAndCopiesInTheMainSectionAreDropped) {
    forms.createPassword->setText("hosting");
    // Earlier versions wrote the dialogs' fields into [main] as well.
    IniDocument document = IniDocument::Parse(
        "[main]\r\nNick=Ana\r\nIP=10.0.0.1\r\nPorta=9999\r\nSenha=stale\r\nTrackBar1=250\r\n"
        "Zoom=3\r\n[conectarf]\r\nIP=192.168.7.7\r\n");
    walker.Restore(document);
    EXPECT_EQ(forms.nick->text(), "Ana");
    EXPECT_EQ(forms.joinAddress->text(), "192.168.7.7");
    // Where a dialog's section is silent, its fields keep what they hold.
    EXPECT_EQ(forms.joinPort->text(), "2500");
    EXPECT_EQ(forms.joinPassword->text(), "");
    EXPECT_EQ(forms.createPort->text(), "2500");
    EXPECT_EQ(forms.createPassword->text(), "hosting");
    EXPECT_EQ(forms.trackBar->value(), 100);

    ASSERT_TRUE(walker.Save(document, false));
    for (const char* copy : {"IP", "Porta", "Senha", "TrackBar1", "SeuIP"})
        EXPECT_EQ(document.Value("main", copy), std::nullopt) << copy;
    EXPECT_EQ(document.Value("main", "Nick"), "Ana");
    EXPECT_EQ(document.Value("main", "Zoom"), "3");  // unknown to every form: kept
    EXPECT_EQ(document.Value("conectarf", "IP"), "192.168.7.7");
    EXPECT_EQ(document.Value("conectarf", "Senha"), std::nullopt);
    EXPECT_EQ(document.Value("criarf", "Senha"), "hosting");
    EXPECT_EQ(document.Value("mousesen", "TrackBar1"), "100");
}

TEST_F(Walker, AFormsOwnFieldKeepsItsKeyWhenADialogOfItsOwnHasOneOfTheSameName) {
    auto* ownPort = new QLineEdit("7000", forms.main.get());
    ownPort->setObjectName("porta");  // names compare ignoring case
    IniDocument document = IniDocument::Parse("[main]\r\nPorta=6000\r\n");
    walker.Restore(document);
    EXPECT_EQ(ownPort->text(), "6000");
    EXPECT_EQ(forms.joinPort->text(), "2500");
    ownPort->setText("7000");
    ASSERT_TRUE(walker.Save(document, false));
    EXPECT_EQ(document.Value("main", "Porta"), "7000");
    EXPECT_EQ(document.Value("conectarf", "Porta"), "2500");
}

TEST_F(Walker, ScrambledEntriesReadBackAndThoseThatCannotAreRefused) {
    IniDocument document;
    // "TrackBar1" scrambles to a key ending in CR, "127.0.0.1" to a value
    // beginning with one: those entries are refused, the others written.
    EXPECT_FALSE(walker.Save(document, true));
    EXPECT_EQ(document.Value("Encript", "Enable"), "1");
    const QByteArray main = Scramble("main");
    EXPECT_EQ(document.Value(main, Scramble("Nick")), Scramble("a bad guy"));
    EXPECT_EQ(document.Value(main, "_X"), Scramble("20"));
    EXPECT_EQ(document.Value(Scramble("mousesen"), Scramble("TrackBar1")), std::nullopt);
    EXPECT_EQ(document.Value(Scramble("conectarf"), Scramble("IP")), std::nullopt);
    EXPECT_EQ(document.Value("main", "Nick"), std::nullopt);

    ProgramForms restored;
    restored.nick->setText("other");
    restored.joinPort->setText("1");
    restored.main->move(0, 0);
    FormWalker(restored.Forms(), {}).Restore(IniDocument::Parse(document.Serialize()));
    EXPECT_EQ(restored.nick->text(), "a bad guy");
    EXPECT_EQ(restored.joinPort->text(), "2500");
    EXPECT_EQ(restored.main->pos(), QPoint(20, 30));
}

TEST_F(Walker, SavingPlainDropsTheSectionsWrittenScrambled) {
    IniDocument document;
    walker.Save(document, true);
    ASSERT_TRUE(walker.Save(document, false));
    EXPECT_EQ(document.Value(Scramble("main"), "_X"), std::nullopt);
    EXPECT_EQ(document.Value("main", "_X"), "20");
    EXPECT_EQ(document.Value("Encript", "Enable"), "0");
}

TEST_F(Walker, AFormThatWouldBeOffTheScreensIsCentred) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    walker.Restore(IniDocument::Parse("[main]\n_X=-5000\n_Y=9000\n"));
    EXPECT_EQ(forms.main->geometry().center(), screen.center());
    // A sliver is not enough to grab the window by.
    walker.Restore(IniDocument::Parse(QByteArray("[about]\n_X=") +
                                      QByteArray::number(screen.right() - 10) + "\n_Y=0\n"));
    EXPECT_EQ(forms.about->geometry().center(), screen.center());
    walker.Restore(IniDocument::Parse("[about]\n_X=-100\n_Y=-50\n"));
    EXPECT_EQ(forms.about->pos(), QPoint(-100, -50));
}

TEST_F(Walker, AFixedSizeFormKeepsItsSizeAndIsNeverMaximised) {
    walker.Restore(IniDocument::Parse("[main]\n_X=5\n_Y=6\n_Width=100\n_Height=90\nMax=1\n"));
    EXPECT_EQ(forms.main->pos(), QPoint(5, 6));
    EXPECT_EQ(forms.main->size(), QSize(760, 400));
    EXPECT_FALSE(forms.main->isMaximized());
}

TEST(WalkerOnASizableForm, RestoresTheSizeTheMaximisedStateAndKeepsWhatIsMissing) {
    QWidget form;
    form.setObjectName("sizable");
    form.setGeometry(50, 60, 300, 200);
    const FormWalker walker({&form}, {});
    walker.Restore(IniDocument::Parse("[sizable]\n_Width=0\n_Height=250\n_X=wide\n"));
    EXPECT_EQ(form.geometry(), QRect(50, 60, 300, 250));
    walker.Restore(IniDocument::Parse("[sizable]\n_Width=320\nMax=1\n"));
    EXPECT_TRUE(form.isMaximized());
    // A maximised form keeps the rectangle it returns to, not the screen's. Its
    // left and top are the frame's, which the platform may draw a little outside.
    IniDocument saved;
    ASSERT_TRUE(walker.Save(saved, false));
    EXPECT_EQ(saved.Value("sizable", "_Width"), "320");
    EXPECT_EQ(saved.Value("sizable", "_Height"), "250");
    EXPECT_EQ(saved.Value("sizable", "Max"), "1");
    EXPECT_NEAR(ParseIniInteger(saved.Value("sizable", "_X").value_or("")).value_or(-1), 50, 8);
    EXPECT_NEAR(ParseIniInteger(saved.Value("sizable", "_Y").value_or("")).value_or(-1), 60, 8);
}

TEST(WalkerOnASizableForm, AFormFromAnotherMonitorFitsTheScreenItOpensOn) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget form;
    form.setObjectName("main");
    form.setMinimumSize(300, 200);
    form.setGeometry(50, 60, 320, 240);
    const FormWalker walker({&form}, {});
    walker.Restore(IniDocument::Parse("[main]\n_X=5000\n_Y=-5000\n_Width=99999\nMax=1\n"));
    EXPECT_TRUE(form.isMaximized());
    // The size it returns to fits, and the place is on the screen.
    const QRect back = StoredRectOf(form);
    EXPECT_EQ(back.width(), screen.width());
    EXPECT_EQ(back.height(), 240);
    EXPECT_TRUE(screen.contains(back)) << back.x() << "," << back.y();
    IniDocument saved;
    ASSERT_TRUE(walker.Save(saved, false));
    EXPECT_EQ(saved.Value("main", "_Width"), QByteArray::number(screen.width()));

    // Never below the least size, even asked for less or for more than a
    // screen's height; a place that shows enough stays.
    form.setWindowState(Qt::WindowNoState);
    walker.Restore(IniDocument::Parse("[main]\n_X=10\n_Y=20\n_Width=5\n_Height=99999\nMax=0\n"));
    EXPECT_EQ(form.size(), QSize(300, screen.height()));
    EXPECT_EQ(form.pos(), QPoint(10, 20));
}

}  // namespace
