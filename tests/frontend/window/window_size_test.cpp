// The main window at any size: the game panel takes the room, the side
// panel keeps its width and stays usable, the library hears every size, and
// the size, place and maximised state come back after a restart.
#include <QFile>
#include <QScreen>
#include <QTest>

#include "tests/frontend/window/window_fixture.h"

namespace {

constexpr QSize kDefaultClient(760, 400);

bool WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Waits until the window's layout has given the panel its new size.
bool PanelBecomes(const MainWindowDriver& player, QSize size) {
    const auto panel = MainWindowDriver::Part::GamePanel;
    return SpinUntil([&] { return player.Geometry(panel).size() == size; }, 3000);
}

TEST_F(WindowTest, AGrownWindowGivesTheGameEveryPixelTheSidePanelLeaves) {
    Open();
    const int menu = window->height() - window->centralWidget()->height();
    window->resize(1280, 720 + menu);
    ASSERT_TRUE(PanelBecomes(Player(), QSize(1280 - 190, 720)));
    MainWindowDriver player = Player();
    EXPECT_EQ(player.Geometry(Part::SidePanel).size(), QSize(190, 720));
    EXPECT_EQ(player.Geometry(Part::SidePanel).x(), 1280 - 190);
    // The library draws at the panel's own size.
    ASSERT_FALSE(library.resizes.empty());
    EXPECT_EQ(library.resizes.back(), std::make_pair(1090, 720));
    // The chat takes the extra height; its line and the buttons stay below it.
    EXPECT_EQ(player.Geometry(Part::Chat).height(), 172 + 320);
    EXPECT_EQ(player.Geometry(Part::ChatLine).y(), player.Geometry(Part::Chat).bottom() + 5);
    EXPECT_EQ(player.Geometry(Part::CloseButton).bottom(), 720 - 27);

    // Never smaller than the window's first size.
    window->resize(300, 200);
    ASSERT_TRUE(PanelBecomes(Player(), QSize(570, 400)));
    EXPECT_EQ(window->centralWidget()->size(), kDefaultClient);
    EXPECT_EQ(library.resizes.back(), std::make_pair(570, 400));
    EXPECT_EQ(player.Geometry(Part::Chat).height(), 172);
    EXPECT_EQ(player.Geometry(Part::CloseButton).y(), 346);
}

TEST_F(WindowTest, SizePlaceAndMaximisedComeBackAfterARestart) {
    Open();
    window->move(40, 30);
    window->resize(900, 560);
    ASSERT_TRUE(SpinUntil([&] { return window->size() == QSize(900, 560); }, 3000));
    window->close();
    window.reset();

    Open();
    EXPECT_EQ(window->size(), QSize(900, 560));
    EXPECT_EQ(window->pos(), QPoint(40, 30));
    EXPECT_FALSE(window->isMaximized());
    // The library started at the default size and hears the restored one.
    const QSize panel = Player().Geometry(Part::GamePanel).size();
    EXPECT_EQ(library.resizes.back(), std::make_pair(panel.width(), panel.height()));
    EXPECT_EQ(panel.height(), 560 - (window->height() - window->centralWidget()->height()));

    window->showMaximized();
    ASSERT_TRUE(SpinUntil([&] { return window->isMaximized(); }, 3000));
    window->close();
    window.reset();

    Open();
    EXPECT_TRUE(window->isMaximized());
    // Leaving the maximised state goes back to the size it had before.
    window->showNormal();
    ASSERT_TRUE(SpinUntil([&] { return !window->isMaximized(); }, 3000));
    EXPECT_EQ(window->size(), QSize(900, 560));
}

// Judged by the size: on a display without a window manager Qt soon reads
// the window back as a normal one, however large.
TEST_F(WindowTest, F11AndTheMenuItemToggleFullScreenWhichComesBackAfterARestart) {
    Open();
    window->resize(900, 560);
    ASSERT_TRUE(SpinUntil([&] { return window->size() == QSize(900, 560); }, 3000));
    const QSize screen = window->screen()->size();
    const auto becomes = [&](QSize size) {
        return SpinUntil([&] { return window->size() == size; }, 3000);
    };
    QTest::keyClick(window.get(), Qt::Key_F11);
    ASSERT_TRUE(becomes(screen));
    EXPECT_TRUE(Find<QAction>("Telacheia1")->isChecked());
    // The side panel stays beside the game, which takes the rest.
    EXPECT_TRUE(Player().Visible(Part::SidePanel));
    const QSize panel = Player().Geometry(Part::GamePanel).size();
    EXPECT_EQ(panel.width(), screen.width() - 190);
    EXPECT_EQ(library.resizes.back(), std::make_pair(panel.width(), panel.height()));
    QTest::keyClick(window.get(), Qt::Key_F11);
    ASSERT_TRUE(becomes(QSize(900, 560))) << "F11 again goes back";
    EXPECT_FALSE(Find<QAction>("Telacheia1")->isChecked());
    QTest::keyClick(window.get(), Qt::Key_F11);
    ASSERT_TRUE(becomes(screen));
    window->close();
    window.reset();

    QFile file(SettingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    EXPECT_TRUE(saved.contains("Tela cheia=1\r\n"));
    EXPECT_TRUE(saved.contains("_Width=900\r\n")) << "the size it returns to\n"
                                                    << saved.toStdString();

    Open();
    ASSERT_TRUE(becomes(screen));
    EXPECT_TRUE(Find<QAction>("Telacheia1")->isChecked());
    Find<QAction>("Telacheia1")->trigger();
    EXPECT_TRUE(becomes(QSize(900, 560)));
    EXPECT_FALSE(Find<QAction>("Telacheia1")->isChecked());
}

// Run with QT_SCALE_FACTOR=2 (a test of its own): Qt scales the window, the
// library draws every pixel of the display.
TEST_F(WindowTest, HighDensityDisplaysGiveTheLibraryTheirOwnPixels) {
    Open();
    ASSERT_EQ(window->devicePixelRatioF(), 2.0) << "run with QT_SCALE_FACTOR=2";
    EXPECT_EQ(library.initializedSize, std::make_pair(1140, 800));
    EXPECT_EQ(Player().Geometry(Part::GamePanel).size(), QSize(570, 400));
    EXPECT_EQ(Player().Geometry(Part::SidePanel).width(), 190);
    const int menu = window->height() - window->centralWidget()->height();
    window->resize(800, 500 + menu);
    ASSERT_TRUE(PanelBecomes(Player(), QSize(610, 500)));
    EXPECT_EQ(library.resizes.back(), std::make_pair(1220, 1000));
}

// A file from before the window could grow (or one without a main section)
// starts at the first size, in the middle of the screen.
TEST_F(WindowTest, AFileWithoutPlaceKeysStartsAtTheDefaultSizeCentred) {
    ASSERT_TRUE(WriteFile(SettingsPath(), "[Encript]\r\nEnable=0\r\n[main]\r\nNick=Old\r\n"));
    Open();
    EXPECT_EQ(Player().Text(Part::Nickname), "Old");
    EXPECT_EQ(window->centralWidget()->size(), kDefaultClient);
    EXPECT_EQ(Player().Geometry(Part::GamePanel).size(), QSize(570, 400));
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((window->geometry().center() - middle).manhattanLength(), 12);
}

// A file from a larger or a removed monitor: the window opens on this
// screen, no larger than it and never below its first size, and what it
// saves at close is that place, not the one it read. No window manager
// runs here, so the maximised state is the program's to keep.
TEST_F(WindowTest, AWindowRestoredOffTheScreenOpensOnItAtAFittingSize) {
    ASSERT_TRUE(WriteFile(SettingsPath(),
                          "[main]\r\n_X=5000\r\n_Y=-5000\r\n_Width=99999\r\n_Height=600\r\nMax=1\r\n"));
    Open();
    const QRect screen = window->screen()->availableGeometry();
    const auto fits = [&](const QRect& r) {
        return r.width() <= screen.width() && r.height() <= screen.height() &&
               screen.intersects(r) && (screen & r).width() >= 32 && (screen & r).height() >= 32;
    };
    EXPECT_TRUE(fits(window->normalGeometry())) << window->normalGeometry().x() << ","
                                                << window->normalGeometry().y() << " "
                                                << window->normalGeometry().width();
    EXPECT_TRUE(fits(window->geometry()));
    EXPECT_GE(window->centralWidget()->width(), kDefaultClient.width());
    EXPECT_GE(window->centralWidget()->height(), kDefaultClient.height());
    window->close();
    window.reset();

    QFile file(SettingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    const auto number = [&](const char* key) {
        const qsizetype at = saved.indexOf(QByteArray("\n") + key + "=");
        return at < 0 ? -1 : saved.mid(at + qstrlen(key) + 2).split('\r').value(0).toInt();
    };
    EXPECT_LE(number("_Width"), screen.width()) << saved.toStdString();
    EXPECT_GE(number("_Width"), kDefaultClient.width());
    EXPECT_TRUE(screen.contains(QPoint(number("_X") + 40, number("_Y") + 10))) << saved.toStdString();
}

}  // namespace
