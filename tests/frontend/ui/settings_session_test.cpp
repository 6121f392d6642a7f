// The settings through a run of the program, on the program's forms in small:
// the file a first run leaves, everything coming back at the next start,
// files made by hand or damaged, and when the file is read again.
#include "frontend/ui/settings_session.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <random>

#include "frontend/settings/ini_scrambler.h"
#include "tests/frontend/core/recording_library.h"
#include "tests/frontend/ui/program_forms.h"

namespace {

using Calls = std::vector<std::string>;

// What a first run writes at close: the forms as created, then the menus' design checks.
const QByteArray kFirstRunFile =
    "[Encript]\r\nEnable=0\r\n\r\n"
    "[main]\r\n_X=20\r\n_Y=30\r\n_Width=760\r\n_Height=400\r\nMax=0\r\nNick=a bad guy\r\n\r\n"
    "[conectarf]\r\n_X=110\r\n_Y=120\r\n_Width=250\r\n_Height=150\r\nMax=0\r\n"
    "IP=127.0.0.1\r\nPorta=2500\r\n\r\n"
    "[criarf]\r\n_X=120\r\n_Y=130\r\n_Width=250\r\n_Height=170\r\nMax=0\r\nPorta=2500\r\n\r\n"
    "[mousesen]\r\n_X=130\r\n_Y=140\r\n_Width=300\r\n_Height=120\r\nMax=0\r\nTrackBar1=100\r\n\r\n"
    "[about]\r\n_X=140\r\n_Y=150\r\n_Width=320\r\n_Height=200\r\nMax=0\r\n\r\n"
    "[Config]\r\nLuz especular=1\r\nReflex\xE3o=1\r\nQualidade=1\r\n"
    "Taxa de atualiza\xE7\xE3o=0\r\nEfeitos sonoros=1\r\nMusica=1\r\nEfeitos do chat=1\r\n"
    "Modo Ortogral=1\r\n";

const Calls kAllOnTold = {"SetSpecularLight(1)", "SetReflection(1)", "SetHighQuality(1)",
                          "SetSoundEffects(1)",  "SetMusic(1)",      "SetMouseSensitivity(100)"};

// One start of the program: its forms, menus, library and settings.
struct ProgramRun {
    explicit ProgramRun(const QString& path)
        : session(path, forms.Bindings(menus, shown), library) {}

    ProgramForms forms;
    GameOptions menus;
    std::vector<GameOptions> shown;
    RecordingLibrary library;
    SettingsSession session;
};

class Settings : public ::testing::Test {
protected:
    QByteArray FileBytes() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }
    // An edit by hand: the same file, new contents.
    void WriteFile(const QByteArray& bytes) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir dir;
    QString path = dir.filePath(kSettingsFileName);
};

TEST_F(Settings, AFirstRunRestoresNothingAndLeavesTheWholeFileAtClose) {
    ProgramRun run(path);
    run.session.RestoreBeforeFirstShow();
    EXPECT_EQ(run.library.optionCalls, kAllOnTold);
    EXPECT_EQ(run.shown, std::vector<GameOptions>{GameOptions{}});
    EXPECT_EQ(run.forms.nick->text(), "a bad guy");

    ASSERT_TRUE(run.session.SaveAtClose());
    EXPECT_EQ(FileBytes(), kFirstRunFile);
}

TEST_F(Settings, EveryOptionFieldAndSliderComesBackAtTheNextStart) {
    GameOptions chosen;
    {
        ProgramRun first(path);
        first.session.RestoreBeforeFirstShow();
        ProgramForms& f = first.forms;
        f.nick->setText("zed");
        f.joinAddress->setText("192.168.0.9");
        f.joinPort->setText("2600");
        f.joinPassword->setText("p=ss word");
        f.createPassword->setText(QStringLiteral("sénha"));
        f.createPort->setText("2700");
        f.ownAddress->setText("10.1.1.1");
        f.trackBar->setValue(275);
        f.main->move(25, 35);
        f.about->move(300, 200);
        chosen = {false, true, false, RefreshRate::Medium30, true, false, false, true};
        first.menus = chosen;
        ASSERT_TRUE(first.session.SaveAtClose());
    }
    ProgramRun next(path);
    next.session.RestoreBeforeFirstShow();
    const ProgramForms& f = next.forms;
    EXPECT_EQ(f.nick->text(), "zed");
    EXPECT_EQ(f.joinAddress->text(), "192.168.0.9");
    EXPECT_EQ(f.joinPort->text(), "2600");
    EXPECT_EQ(f.joinPassword->text(), "p=ss word");
    EXPECT_EQ(f.createPassword->text(), QStringLiteral("sénha"));
    EXPECT_EQ(f.createPort->text(), "2700");
    EXPECT_EQ(f.ownAddress->text(), "10.1.1.1");
    EXPECT_EQ(f.trackBar->value(), 275);
    EXPECT_EQ(f.main->pos(), QPoint(25, 35));
    EXPECT_EQ(f.about->pos(), QPoint(300, 200));
    EXPECT_EQ(next.menus, chosen);
    EXPECT_EQ(next.library.optionCalls,
              (Calls{"SetSpecularLight(0)", "SetReflection(1)", "SetHighQuality(0)",
                     "SetSoundEffects(1)", "SetMusic(0)", "SetMouseSensitivity(275)"}));
}

TEST_F(Settings, AScrambledFileMadeByHandIsReadAndRewrittenPlain) {
    WriteFile("[Encript]\r\nEnable=1\r\n[" + Scramble("main") + "]\r\n" + Scramble("Nick") + "=" +
              Scramble("zed") + "\r\n");
    ProgramRun run(path);
    run.session.RestoreBeforeFirstShow();
    EXPECT_EQ(run.forms.nick->text(), "zed");
    ASSERT_TRUE(run.session.SaveAtClose());
    QByteArray expected = kFirstRunFile;
    expected.replace("Nick=a bad guy", "Nick=zed");
    EXPECT_EQ(FileBytes(), expected);
}

TEST_F(Settings, UnknownSectionsKeysAndLinesSurviveALoadAndASave) {
    QByteArray file = kFirstRunFile;
    file.prepend("; written by hand\r\n");
    file.replace("Nick=a bad guy\r\n", "Nick=a bad guy\r\nFavourite = blue \r\n");
    file.replace("[about]", "[Other]\r\nx=1\r\n\x01\xFF junk\r\n\r\n[about]");
    file.append("Zoom=3\r\n");
    WriteFile(file);
    ProgramRun run(path);
    run.session.RestoreBeforeFirstShow();
    ASSERT_TRUE(run.session.SaveAtClose());
    EXPECT_EQ(FileBytes(), file);
}

TEST_F(Settings, OddValuesChangeNothingAndASensitivityOfZeroIsMended) {
    WriteFile(
        "[mousesen]\nTrackBar1=0\n[Config]\n"
        "Taxa de atualiza\xE7\xE3o=7\nMusica=0\nQualidade=maybe\n");
    ProgramRun run(path);
    run.menus.refreshRate = RefreshRate::Slow15;
    run.forms.trackBar->setRange(0, 1000);  // the library must not get a 0 even so
    run.session.RestoreBeforeFirstShow();
    EXPECT_EQ(run.menus.refreshRate, RefreshRate::Slow15);
    EXPECT_TRUE(run.menus.highQuality);
    EXPECT_FALSE(run.menus.music);
    EXPECT_EQ(run.forms.trackBar->value(), kMouseSensitivityMinimum);
    EXPECT_EQ(run.library.optionCalls.back(), "SetMouseSensitivity(25)");
}

TEST_F(Settings, RandomBytesAndHugeFilesRestoreWhatTheyCanAndAreKeptOnSave) {
    std::mt19937 random(14);
    QByteArray noise;
    for (int i = 0; i < 4096; ++i) noise.append(char(random()));
    WriteFile(noise);
    {
        ProgramRun run(path);
        run.session.RestoreBeforeFirstShow();
        EXPECT_EQ(run.forms.nick->text(), "a bad guy");
        EXPECT_EQ(run.library.optionCalls, kAllOnTold);
        ASSERT_TRUE(run.session.SaveAtClose());
        EXPECT_TRUE(FileBytes().startsWith(IniDocument::Parse(noise).Serialize()));
    }

    QByteArray huge = "[main]\r\nNick=big\r\n";
    while (huge.size() < 5 * 1024 * 1024) huge += "junk line of no meaning\r\n";
    WriteFile(huge);
    ProgramRun run(path);
    run.session.RestoreBeforeFirstShow();
    EXPECT_EQ(run.forms.nick->text(), "big");
    ASSERT_TRUE(run.session.SaveAtClose());
    EXPECT_LT(FileBytes().size(), kSettingsFileReadLimit + kFirstRunFile.size());
}

TEST_F(Settings, AFolderInPlaceOfTheFileRestoresNothingAndTheSaveSaysItFailed) {
    ASSERT_TRUE(QDir().mkdir(path));
    ProgramRun run(path);
    run.forms.nick->setText("mine");
    run.session.RestoreBeforeFirstShow();
    EXPECT_EQ(run.forms.nick->text(), "mine");
    EXPECT_EQ(run.library.optionCalls, kAllOnTold);
    EXPECT_FALSE(run.session.SaveAtClose());
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_STREQ(kSaveFailedMessage, "Failed to save configurations.");
}

TEST_F(Settings, AnActivationRereadsTheFileOnlyWhenItChangedOnDisk) {
    WriteFile(kFirstRunFile);
    ProgramRun run(path);
    run.session.RestoreBeforeFirstShow();
    // The player's own choices, not yet saved, outlive an alt-tab.
    run.forms.nick->setText("mine");
    run.menus.music = false;
    run.library.optionCalls.clear();
    run.session.OnActivation();
    EXPECT_EQ(run.forms.nick->text(), "mine");
    EXPECT_FALSE(run.menus.music);
    EXPECT_TRUE(run.library.optionCalls.empty());
    EXPECT_EQ(run.shown.size(), 1u);

    QByteArray edited = kFirstRunFile;
    edited.replace("Nick=a bad guy", "Nick=edited").replace("Luz especular=1", "Luz especular=0");
    WriteFile(edited);
    run.session.OnActivation();
    EXPECT_EQ(run.forms.nick->text(), "edited");
    EXPECT_FALSE(run.menus.specularLight);
    EXPECT_TRUE(run.menus.music);
    // Only what changed reaches the library: the music is not restarted.
    EXPECT_EQ(run.library.optionCalls,
              (Calls{"SetSpecularLight(0)", "SetMusic(1)", "SetMouseSensitivity(100)"}));

    ASSERT_TRUE(run.session.SaveAtClose());
    run.forms.nick->setText("after");
    run.session.OnActivation();  // our own save is no reason to read again
    EXPECT_EQ(run.forms.nick->text(), "after");
}

}  // namespace

namespace {

// What the settings_forms fuzz target found: a value with a lone CR inside it
// (here the join dialog's address) reads into its field whole but cannot be
// written back, since a value may not hold a line break. The save says it
// failed and leaves that value as it was; everything else is saved.
TEST_F(Settings, AValueThatCannotBeWrittenBackStaysAsItWasAndTheRestIsSaved) {
    QFile fuzzed(RINGDISK_FUZZ_CASES "/settings_forms/lone_cr_in_a_value.ini");
    ASSERT_TRUE(fuzzed.open(QIODevice::ReadOnly));
    const QByteArray bytes = fuzzed.readAll();
    WriteFile(bytes);
    const QByteArray address = "192.168.0.7\r\vPorta=2500";
    ASSERT_EQ(IniDocument::Parse(bytes).Value("conectarf", "IP"), address);

    ProgramRun run(path);
    run.session.RestoreBeforeFirstShow();
    run.menus.music = false;
    EXPECT_FALSE(run.session.SaveAtClose());
    const std::optional<IniDocument> saved = ReadSettingsFile(path);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Value("conectarf", "IP"), address);
    EXPECT_EQ(ReadGameOptions(*saved, GameOptions{}), run.menus);
}

}  // namespace
