#include "frontend/ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include "frontend/chat/default_nicknames.h"
#include "frontend/chat/login_fields.h"
#include "frontend/texts/window_texts.h"
#include "frontend/ui/native_window.h"
#include "frontend/ui/nickname_field.h"

MainWindow::MainWindow(int uiLanguage, const QString& settingsPath, GameLibrary* standIn)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                               Qt::WindowCloseButtonHint),
      tela(nullptr),
      panels(this),
      menus(*menuBar()),
      boxes(*this, uiLanguage, [this] { LoseMouse(); }),
      uiLanguage_(uiLanguage) {
    setObjectName("main");
    auto* client = new QWidget(this);
    auto* row = new QHBoxLayout(client);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    tela = new GamePanel(client);
    row->addWidget(tela, 1);
    row->addWidget(panels.stack, 0);
    setCentralWidget(client);
    ApplyNicknameRule(*panels.nick);

    joinDialog = new JoinDialog(this);
    createDialog = new CreateDialog(this);
    mouseDialog = new MouseDialog(this);
    aboutDialog = new AboutDialog(this);

    const auto playEffect = [this](int effect) { core_->Library().PlayEffect(effect); };
    core_ = standIn ? std::make_unique<FrontendCore>(*this, playEffect, *standIn)
                    : std::make_unique<FrontendCore>(*this, playEffect);
    core_->Online().SetLanguage(uiLanguage);
    panels.nick->setText(RandomDefaultNickname());
    settings_ = std::make_unique<SettingsSession>(settingsPath, Bindings(), core_->Library());
    computer_ = std::make_unique<ComputerOpponent>(
        *core_, QCoreApplication::applicationDirPath() + QStringLiteral("/ringdisk-bot"));
    LobbyHooks hooks;
    hooks.nickname = [this] { return panels.nick->text(); };
    hooks.takeNickname = [this] { TakeNickname(); };
    hooks.hostPort = [this] { return createDialog->port->text(); };
    lobby_ = std::make_unique<LobbyWindow>(*core_, std::move(hooks), uiLanguage, this);

    SetCaptions();
    ConnectButtons();
    ConnectMenus();
    WatchTheMouse();
    SetUpSizing();
    for (int slot = 1; slot <= 4; ++slot) {
        SetSlotLabel(slot, Tr(UiText::PlayerWord, uiLanguage) + ' ' + QString::number(slot), false);
        SetWinLabel(slot, QString());
    }
}

MainWindow::~MainWindow() {
    // Whatever else happened, the library lets go of `Tela` before Qt destroys it.
    core_->Close({});
    lobby_.reset();
    computer_.reset();
}

bool MainWindow::InitializeLibrary(bool debug) {
    const quintptr window = NativeWindowFor(*tela);
    const QSize size = tela->DevicePixelSize();
    return core_->Library().Initialize(window, size.width(), size.height(), debug, uiLanguage_);
}

void MainWindow::Start(bool highTimer) {
    adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    move(screen.center() - rect().center());
    settings_->RestoreBeforeFirstShow();
    CleanRestoredFields();
    core_->Start(highTimer);
    show();
}

SettingsBindings MainWindow::Bindings() {
    SettingsBindings b;
    b.forms = {this, joinDialog, createDialog, mouseDialog, aboutDialog};
    b.notKept = {panels.chatInput};
    b.mouseSensitivity = mouseDialog->trackBar;
    b.currentOptions = [this] { return menus.Options(); };
    b.showOptions = [this](const GameOptions& options) {
        menus.Show(options);
        core_->Loop().SetRenderDivider(RenderDividerFor(options.refreshRate));
        core_->ChatWindow().SetChatEffects(options.chatEffects);
        SetFullScreen(options.fullScreen);
        core_->Online().SetDiscColours(options.discColours);
        core_->Online().Forwarding().SetEnabled(options.portMapping);
    };
    b.currentLobby = [this] {
        return LobbySettings{lobby_->ServerAddress(), createDialog->friendsOnly->isChecked()};
    };
    b.showLobby = [this](const LobbySettings& lobby) {
        lobby_->SetServerAddress(lobby.server);
        createDialog->friendsOnly->setChecked(lobby.friendsOnly);
    };
    return b;
}

void MainWindow::CleanRestoredFields() {
    const auto clean = [](QLineEdit* field, const QString& kept) {
        if (field->text() != kept) field->setText(kept);
    };
    clean(panels.nick, RestoredNickname(panels.nick->text()));
    for (QLineEdit* password : {joinDialog->password, createDialog->password})
        clean(password, FilterPassword(password->text()));
}

void MainWindow::SetCaptions() {
    const int l = uiLanguage_;
    setWindowTitle(kWindowCaption);
    menus.SetCaptions(l);
    panels.nickLabel->setText(CaptionText(Caption::Nickname, l));
    panels.playersLabel->setText(CaptionText(Caption::Players, l));
    panels.playOnline->setTitle(CaptionText(Caption::PlayOnline, l));
    const struct {
        QPushButton* button;
        Caption caption;
        Hint hint;
    } buttons[] = {{panels.join, Caption::Join, Hint::Join},
                   {panels.create, Caption::Create, Hint::Create},
                   {panels.practice, Caption::Practice, Hint::Practice},
                   {panels.start, Caption::Start, Hint::Start},
                   {panels.close, Caption::Close, Hint::Close}};
    for (const auto& b : buttons) {
        b.button->setText(CaptionText(b.caption, l));
        b.button->setToolTip(HintText(b.hint, l));
    }
    joinDialog->SetCaptions(l);
    createDialog->SetCaptions(l);
    mouseDialog->SetCaptions(l);
    aboutDialog->SetCaptions(l);
}

// ---- buttons and menus ----------------------------------------------------------

void MainWindow::TakeNickname() {
    core_->Online().SetNickname(panels.nick->text());
}

void MainWindow::RunModal(QDialog& dialog, const std::function<void()>& onConfirm) {
    LoseMouse();
    if (dialog.exec() == QDialog::Accepted && onConfirm) onConfirm();
}

void MainWindow::ConnectButtons() {
    OnlineGame& game = core_->Online();
    connect(panels.join, &QPushButton::clicked, this, [this, &game] {
        RunModal(*joinDialog, [this, &game] {
            TakeNickname();
            game.Join(joinDialog->address->text(), joinDialog->port->text(),
                      joinDialog->password->text());
        });
    });
    connect(panels.create, &QPushButton::clicked, this, [this, &game] {
        PortForwarding& forwarding = game.Forwarding();
        createDialog->addressNote->setText(
            forwarding.Enabled() ? Tr(UiText::LookingForRouter, uiLanguage_) : QString());
        forwarding.LookForRouter();
        RunModal(*createDialog, [this, &game] {
            TakeNickname();
            lobby_->Matchmaker().SetFriendsOnly(createDialog->friendsOnly->isChecked());
            game.Host(createDialog->port->text(), createDialog->password->text());
        });
    });
    connect(panels.practice, &QPushButton::clicked, this, [this] {
        TakeNickname();
        core_->StartPractice();
    });
    connect(panels.start, &QPushButton::clicked, this, [&game] { game.StartFirstMatch(); });
    connect(panels.close, &QPushButton::clicked, this, [&game] { game.CloseButton(); });
    connect(panels.chatInput, &QLineEdit::returnPressed, this, [this] {
        core_->Chat().Enter(panels.chatInput->text());
        panels.chatInput->clear();
    });
}

void MainWindow::ConnectMenus() {
    LibraryOptions& library = core_->Library();
    connect(menus.newGame, &QAction::triggered, this, [this] {
        TakeNickname();
        core_->NewGame();
    });
    const std::pair<QAction*, const char*> levels[] = {
        {menus.beginner, "beginner"}, {menus.club, "club"}, {menus.master, "master"}};
    for (const auto& [action, level] : levels) {
        connect(action, &QAction::triggered, this,
                [this, level = QString(level)] { PlayAgainstComputer(level); });
    }
    connect(menus.bestScores, &QAction::triggered, this, [this] { core_->ShowBestScores(); });
    connect(menus.onlineLobby, &QAction::triggered, this, [this] {
        LoseMouse();
        lobby_->Open();
    });
    connect(menus.playOnlineNow, &QAction::triggered, this, [this] {
        LoseMouse();
        lobby_->QuickMatch();
    });
    connect(menus.exit, &QAction::triggered, this, &QWidget::close);
    ConnectReplayMenu();
    const std::pair<QAction*, RefreshRate> rates[] = {{menus.slow15, RefreshRate::Slow15},
                                                      {menus.medium30, RefreshRate::Medium30},
                                                      {menus.normal60, RefreshRate::Normal60}};
    for (const auto& [action, rate] : rates) {
        connect(action, &QAction::triggered, this,
                [this, rate = rate] { core_->Loop().SetRenderDivider(RenderDividerFor(rate)); });
    }
    connect(menus.low, &QAction::triggered, this, [&library] { library.SetHighQuality(false); });
    connect(menus.high, &QAction::triggered, this, [&library] { library.SetHighQuality(true); });
    connect(menus.specularLight, &QAction::triggered, this,
            [&library](bool on) { library.SetSpecularLight(on); });
    connect(menus.reflections, &QAction::triggered, this,
            [&library](bool on) { library.SetReflection(on); });
    connect(menus.soundEffects, &QAction::triggered, this,
            [&library](bool on) { library.SetSoundEffects(on); });
    connect(menus.music, &QAction::triggered, this, [&library](bool on) { library.SetMusic(on); });
    connect(menus.colourSafeDiscs, &QAction::triggered, this, [this, &library](bool on) {
        const DiscColours look = on ? DiscColours::ColourSafe : DiscColours::Classic;
        library.SetDiscColours(look);
        core_->Online().SetDiscColours(look);
    });
    PortForwarding& forwarding = core_->Online().Forwarding();
    forwarding.SetEnabled(menus.portMapping->isChecked());
    forwarding.SetAddressListener([this](const RouterReport& report) {
        const OwnAddressLines lines = AddressLinesFor(report, uiLanguage_);
        createDialog->ShowOwnAddress(lines.address, lines.note);
    });
    connect(menus.portMapping, &QAction::triggered, this,
            [&forwarding](bool on) { forwarding.SetEnabled(on); });
    connect(menus.chatEffects, &QAction::triggered, this,
            [this](bool on) { core_->ChatWindow().SetChatEffects(on); });
    connect(menus.mouseSensitivity, &QAction::triggered, this,
            [this] { RunModal(*mouseDialog, {}); });
    connect(menus.about, &QAction::triggered, this, [this] { RunModal(*aboutDialog, {}); });
    mouseDialog->onSensitivity = [&library](int value) { library.SetMouseSensitivity(value); };

    // Opening a menu or moving through it takes the mouse from the game.
    const auto loseMouse = [this] { core_->Library().SetMouseFocus(false); };
    connect(menuBar(), &QMenuBar::hovered, this, loseMouse);
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        connect(menu, &QMenu::aboutToShow, this, loseMouse);
        connect(menu, &QMenu::hovered, this, loseMouse);
    }
}

void MainWindow::PlayAgainstComputer(const QString& level) {
    OnlineGame& game = core_->Online();
    if (game.IsConnecting()) return;
    if ((game.IsOnline() || game.PracticeRunning()) && !game.CloseButton()) return;
    TakeNickname();
    computer_->Start(level, CaptionText(Caption::ComputerName, uiLanguage_));
}

// ---- closing ----------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!core_->Loop().EngineRunning()) {
        event->accept();
        return;
    }
    // The steps of the close run now; the window closes after them.
    event->ignore();
    core_->Close([this] {
        panels.chatInput->clear();
        if (!settings_->SaveAtClose()) boxes.InformAndWait(kSaveFailedMessage);
    });
    QTimer::singleShot(0, this, [this] {
        close();
        QCoreApplication::quit();
    });
}
