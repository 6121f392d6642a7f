#include "frontend/ui/lobby_window.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "frontend/texts/lobby_texts.h"
#include "frontend/texts/window_texts.h"
#include "frontend/ui/lobby_address.h"
#include "frontend/ui/lobby_game_list.h"

namespace {

// Some texts of a kind name the value and some do not; filling only those
// that do keeps Qt from warning of a missing placeholder.
QString WithValue(const QString& text, const QString& value) {
    return text.contains(QLatin1String("%1")) ? text.arg(value) : text;
}

LobbyText FailureText(lobby::FailureKind kind) {
    switch (kind) {
        case lobby::FailureKind::Unreachable:
            return LobbyText::Unreachable;
        case lobby::FailureKind::NoAnswer:
            return LobbyText::NoAnswer;
        case lobby::FailureKind::Insecure:
            return LobbyText::Insecure;
        case lobby::FailureKind::SignInRefused:
            return LobbyText::SignInRefused;
        case lobby::FailureKind::RoomRefused:
            return LobbyText::RoomRefused;
        case lobby::FailureKind::ConnectionLost:
            return LobbyText::ConnectionLost;
    }
    return LobbyText::ConnectionLost;
}

LobbyText JoinFailureText(lobby::JoinFailure why) {
    switch (why) {
        case lobby::JoinFailure::NotListed:
            return LobbyText::JoinNotListed;
        case lobby::JoinFailure::OtherVersion:
            return LobbyText::JoinOtherVersion;
        case lobby::JoinFailure::NoAnswer:
            return LobbyText::JoinNoAnswer;
        case lobby::JoinFailure::NotSignedIn:
            return LobbyText::JoinNotSignedIn;
        case lobby::JoinFailure::Busy:
            return LobbyText::JoinBusy;
        case lobby::JoinFailure::NoRelay:
            return LobbyText::JoinNoRelay;
        case lobby::JoinFailure::RelayFailed:
            return LobbyText::JoinRelayFailed;
    }
    return LobbyText::JoinNotListed;
}

std::optional<LobbyText> ChatRefusalText(lobby::ChatRefusal refusal) {
    switch (refusal) {
        case lobby::ChatRefusal::None:
            return std::nullopt;
        case lobby::ChatRefusal::Empty:
            return LobbyText::ChatEmpty;
        case lobby::ChatRefusal::TooLong:
            return LobbyText::ChatTooLong;
        case lobby::ChatRefusal::ControlCharacters:
            return LobbyText::ChatControlCharacters;
        case lobby::ChatRefusal::TooFast:
            return LobbyText::ChatTooFast;
        case lobby::ChatRefusal::NotSignedIn:
            return LobbyText::ChatNotSignedIn;
    }
    return LobbyText::ChatNotSignedIn;
}

}  // namespace

LobbyWindow::LobbyWindow(FrontendCore& core, LobbyHooks hooks, int uiLanguage, QWidget* parent)
    : QWidget(parent, Qt::Window),
      hooks_(std::move(hooks)),
      uiLanguage_(uiLanguage),
      games_(new LobbyGameTable(QString::fromLatin1(kVersionText), uiLanguage, this)),
      matchmaker_(core, *this) {
    setObjectName("saguao");
    resize(840, 460);
    auto* column = new QVBoxLayout(this);
    status = new QLabel(this);
    status->setObjectName("SaguaoSituacao");
    status->setWordWrap(true);
    status->setTextFormat(Qt::PlainText);
    column->addWidget(status);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    auto* left = new QWidget(splitter);
    auto* leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    list = MakeGameList(*games_, left);
    list->setObjectName("SaguaoJogos");
    leftColumn->addWidget(list, 1);
    auto* buttons = new QHBoxLayout;
    signIn = new QPushButton(left);
    signIn->setObjectName("SaguaoConectar");
    join = new QPushButton(left);
    join->setObjectName("SaguaoEntrar");
    join->setDefault(true);
    buttons->addWidget(signIn);
    buttons->addStretch(1);
    buttons->addWidget(join);
    leftColumn->addLayout(buttons);

    auto* right = new QWidget(splitter);
    auto* rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(0, 0, 0, 0);
    chatLabel = new QLabel(right);
    rightColumn->addWidget(chatLabel);
    chat = new QPlainTextEdit(right);
    chat->setObjectName("SaguaoConversa");
    chat->setReadOnly(true);
    // Enough to scroll back through a while of talk, not a day's.
    chat->setMaximumBlockCount(500);
    rightColumn->addWidget(chat, 1);
    chatInput = new QLineEdit(right);
    chatInput->setObjectName("SaguaoMensagem");
    // A line over the limit is refused whole, so room for one more
    // character shows the refusal rather than cutting the line silently.
    chatInput->setMaxLength(lobby::kMaxChatChars + 1);
    rightColumn->addWidget(chatInput);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({520, 300});
    column->addWidget(splitter, 1);

    connect(join, &QPushButton::clicked, this, [this] {
        const QModelIndexList rows = list->selectionModel()->selectedRows();
        if (!rows.isEmpty()) JoinRow(rows.front().row());
    });
    connect(list, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { JoinRow(index.row()); });
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { EnableJoin(); });
    connect(games_, &QAbstractItemModel::modelReset, this, [this] { EnableJoin(); });
    connect(games_, &QAbstractItemModel::rowsRemoved, this, [this] { EnableJoin(); });
    connect(signIn, &QPushButton::clicked, this, [this] { AskServer(QString()); });
    connect(chatInput, &QLineEdit::returnPressed, this, [this] { SendChatLine(); });

    SetCaptions();
    ShowStatus(LobbyTr(LobbyText::SignedOut, uiLanguage_), false);
    EnableJoin();
}

LobbyWindow::~LobbyWindow() = default;

void LobbyWindow::SetCaptions() {
    setWindowTitle(LobbyTr(LobbyText::WindowTitle, uiLanguage_));
    join->setText(LobbyTr(LobbyText::JoinButton, uiLanguage_));
    signIn->setText(LobbyTr(LobbyText::SignInButton, uiLanguage_));
    chatLabel->setText(LobbyTr(LobbyText::ChatLabel, uiLanguage_));
}

void LobbyWindow::Open() {
    if (!placed_ && parentWidget()) {
        // The first time over the game's window, as its dialogs open; after
        // that wherever the player put it.
        move(parentWidget()->frameGeometry().center() - rect().center());
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    if (matchmaker_.Client().Status() == lobby::LobbyStatus::Out) SignInOrAsk();
}

void LobbyWindow::QuickMatch() {
    Open();
    if (matchmaker_.Client().Status() != lobby::LobbyStatus::In) {
        // Once in the lobby, its list is known and the quick match can choose.
        quickMatchWaiting_ = true;
        return;
    }
    if (hooks_.takeNickname) hooks_.takeNickname();
    if (!matchmaker_.QuickMatch(hooks_.hostPort ? hooks_.hostPort() : QString()))
        ShowStatus(LobbyTr(LobbyText::QuickMatchRefused, uiLanguage_), true);
}

void LobbyWindow::SignInOrAsk() {
    server_ = LobbyServerFromAddress(serverAddress_);
    if (!server_) {
        AskServer(serverAddress_.isEmpty()
                      ? QString()
                      : LobbyTr(LobbyText::BadServerAddress, uiLanguage_).arg(serverAddress_));
        return;
    }
    SignInAs(nickname_.isEmpty() && hooks_.nickname ? hooks_.nickname() : nickname_);
}

void LobbyWindow::SignInAs(const QString& nickname) {
    if (!server_) return;
    nickname_ = nickname;
    if (!matchmaker_.SignIn(*server_, nickname)) {
        // A name the room's list could not show.
        AskNickname(nickname, LobbyTr(LobbyText::UnusableNickname, uiLanguage_).arg(nickname));
        return;
    }
    games_->Clear();
    ShowStatus(LobbyTr(LobbyText::SigningIn, uiLanguage_).arg(serverAddress_), false);
}

void LobbyWindow::AskServer(const QString& problem) {
    QString question;
    if (!problem.isEmpty()) question = problem + QStringLiteral("\n\n");
    question += LobbyTr(LobbyText::ServerQuestion, uiLanguage_) + QStringLiteral("\n") +
                LobbyTr(LobbyText::ServerHelp, uiLanguage_);
    Ask(question, serverAddress_, false, [this](const QString& typed) {
        if (!LobbyServerFromAddress(typed)) {
            AskServer(LobbyTr(LobbyText::BadServerAddress, uiLanguage_).arg(typed.trimmed()));
            return;
        }
        SetServerAddress(typed);
        SignInOrAsk();
    });
}

void LobbyWindow::AskNickname(const QString& nickname, const QString& problem) {
    ShowStatus(problem, true);
    Ask(problem + QStringLiteral("\n") + LobbyTr(LobbyText::NicknameQuestion, uiLanguage_),
        nickname, false, [this](const QString& typed) { SignInAs(typed.trimmed()); });
}

void LobbyWindow::Ask(const QString& question, const QString& text, bool secret,
                      std::function<void(const QString&)> answer) {
    // One question at a time: a newer one (the lobby opened again, another
    // nickname asked) replaces the one still open, which answers nothing.
    if (question_) question_->close();
    auto* dialog = new QInputDialog(this);
    question_ = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(LobbyTr(LobbyText::WindowTitle, uiLanguage_));
    dialog->setLabelText(question);
    dialog->setTextValue(text);
    if (secret) dialog->setTextEchoMode(QLineEdit::Password);
    dialog->setCancelButtonText(CaptionText(Caption::Cancel, uiLanguage_));
    connect(dialog, &QInputDialog::textValueSelected, this,
            [answer = std::move(answer)](const QString& value) { answer(value); });
    // Modal for this window only, and without a loop of its own: the lobby's
    // reports and the game go on while the player types.
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
}

void LobbyWindow::JoinRow(int row) {
    const std::optional<LobbyGameTable::Game> game = games_->At(row);
    if (!game || !games_->Joinable(game->listing)) return;
    const QString host = game->host;
    const auto joinWith = [this, host](const QString& password) {
        if (hooks_.takeNickname) hooks_.takeNickname();
        // Whatever went wrong before is over; a failure of this join follows.
        if (matchmaker_.Client().Status() == lobby::LobbyStatus::In) ShowSignedIn();
        matchmaker_.Join(host, password);
    };
    if (game->listing.password) {
        Ask(LobbyTr(LobbyText::PasswordQuestion, uiLanguage_).arg(host), QString(), true, joinWith);
    } else {
        joinWith(QString());
    }
}

void LobbyWindow::SendChatLine() {
    const lobby::ChatRefusal refusal = matchmaker_.Client().SendChat(chatInput->text());
    if (const std::optional<LobbyText> why = ChatRefusalText(refusal)) {
        AddSystemLine(WithValue(LobbyTr(*why, uiLanguage_), QString::number(lobby::kMaxChatChars)));
        return;
    }
    chatInput->clear();
}

void LobbyWindow::ShowStatus(const QString& text, bool problem) {
    status->setText(text);
    status->setStyleSheet(problem ? QStringLiteral("color: #b00000; font-weight: bold;")
                                  : QString());
}

void LobbyWindow::ShowSignedIn() {
    ShowStatus(LobbyTr(LobbyText::SignedIn, uiLanguage_).arg(serverAddress_, nickname_), false);
}

void LobbyWindow::AddSystemLine(const QString& text) {
    chat->appendPlainText(QStringLiteral("*** ") + text);
}

void LobbyWindow::EnableJoin() {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    join->setEnabled(!rows.isEmpty() && matchmaker_.Client().Status() == lobby::LobbyStatus::In);
}

void LobbyWindow::LobbyReport(const lobby::LobbyEvent& event) {
    std::visit(
        [this](const auto& e) {
            using E = std::decay_t<decltype(e)>;
            if constexpr (std::is_same_v<E, lobby::SignedIn>) {
                nickname_ = e.nickname;
                ShowSignedIn();
                EnableJoin();
                if (quickMatchWaiting_) {
                    quickMatchWaiting_ = false;
                    QuickMatch();
                }
            } else if constexpr (std::is_same_v<E, lobby::NicknameTaken>) {
                games_->Clear();
                AskNickname(e.nickname,
                            LobbyTr(LobbyText::NicknameTaken, uiLanguage_).arg(e.nickname));
            } else if constexpr (std::is_same_v<E, lobby::Failure>) {
                qWarning("lobby: %s", qPrintable(e.detail));
                games_->Clear();
                quickMatchWaiting_ = false;
                const QString text = LobbyTr(FailureText(e.kind), uiLanguage_);
                ShowStatus(text, true);
                AddSystemLine(text);
                EnableJoin();
            } else if constexpr (std::is_same_v<E, lobby::GameSeen>) {
                games_->Show(e.occupant, e.listing);
            } else if constexpr (std::is_same_v<E, lobby::GameGone>) {
                games_->Remove(e.occupant);
            } else if constexpr (std::is_same_v<E, lobby::ChatHeard>) {
                // Plain text: whatever a line holds is shown as typed, never read as markup.
                chat->appendPlainText(QStringLiteral("<%1> %2").arg(e.occupant, e.text));
            }
            // A join asked or answered is the matchmaker's business alone.
        },
        event);
}

void LobbyWindow::JoinFailed(const QString& host, lobby::JoinFailure why) {
    const QString text = WithValue(LobbyTr(JoinFailureText(why), uiLanguage_), host);
    ShowStatus(text, true);
    AddSystemLine(text);
}
