#include "frontend/ui/side_panels.h"

#include <algorithm>

#include "frontend/view/frontend_view.h"

#include "frontend/ui/chat_painter.h"

namespace {

template <typename Widget>
Widget* Named(QWidget* parent, const QString& name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    return widget;
}

constexpr int kMargin = 8;
constexpr int kInnerWidth = SidePanels::kWidth - 2 * kMargin;
constexpr int kRowHeight = 20;
constexpr int kBoxSize = 16;
constexpr int kChatTop = 136, kChatHeight = 172;
constexpr int kChatInputTop = 312, kButtonsTop = 346;

void BuildConnectionPanel(SidePanels& p) {
    p.connection = Named<QWidget>(p.stack, "Conexao");
    p.nickLabel = Named<QLabel>(p.connection, "Label1");
    p.nickLabel->setGeometry(kMargin, 16, kInnerWidth, 16);
    p.nick = Named<QLineEdit>(p.connection, "Nick");
    p.nick->setGeometry(kMargin, 34, kInnerWidth, 24);
    p.playOnline = Named<QGroupBox>(p.connection, "JogarOnline");
    p.playOnline->setGeometry(kMargin, 76, kInnerWidth, 100);
    p.join = Named<QPushButton>(p.playOnline, "Join");
    p.join->setGeometry(12, 26, kInnerWidth - 24, 28);
    p.create = Named<QPushButton>(p.playOnline, "Create");
    p.create->setGeometry(12, 62, kInnerWidth - 24, 28);
    p.practice = Named<QPushButton>(p.connection, "Treinar");
    p.practice->setGeometry(kMargin + 12, 196, kInnerWidth - 24, 28);
}

void BuildPlayersPanel(SidePanels& p) {
    p.players = Named<QWidget>(p.stack, "Panel2");
    p.playersLabel = Named<QLabel>(p.players, "LabelJogadores");
    p.playersLabel->setGeometry(kMargin, 6, kInnerWidth, 16);
    for (int i = 0; i < 4; ++i) {
        const int top = 26 + i * (kRowHeight + 2);
        const QString n = QString::number(i + 1);
        PlayerRow& row = p.rows[i];
        row.box = Named<QFrame>(p.players, "Shape" + n);
        row.box->setGeometry(kMargin, top + 2, kBoxSize + 8, kBoxSize);
        row.box->setFrameShape(QFrame::Box);
        row.box->setAutoFillBackground(true);
        row.wins = Named<QLabel>(row.box, "PTS" + n);
        row.wins->setGeometry(0, 0, kBoxSize + 8, kBoxSize);
        row.wins->setAlignment(Qt::AlignCenter);
        row.name = Named<QLabel>(p.players, "player" + n);
        row.name->setGeometry(kMargin + kBoxSize + 14, top, kInnerWidth - kBoxSize - 14, kRowHeight);
        row.SetBoxColor(kBoxSilver);
    }
    p.chatLabel = Named<QLabel>(p.players, "Label2");
    p.chatLabel->setText("Chat");
    p.chatLabel->setGeometry(kMargin, 118, kInnerWidth, 16);
    p.chat = Named<QPlainTextEdit>(p.players, "Chat");
    p.chat->setGeometry(kMargin, kChatTop, kInnerWidth, kChatHeight);
    PrepareChatWindow(*p.chat);
    p.chatInput = Named<QLineEdit>(p.players, "Edit1");
    p.chatInput->setGeometry(kMargin, kChatInputTop, kInnerWidth, 24);
    p.start = Named<QPushButton>(p.players, "Iniciar");
    p.start->setGeometry(kMargin, kButtonsTop, kInnerWidth / 2 - 3, 28);
    p.start->setEnabled(false);
    p.close = Named<QPushButton>(p.players, "Encerrar");
    p.close->setGeometry(kMargin + kInnerWidth / 2 + 3, kButtonsTop, kInnerWidth / 2 - 3, 28);
}

}  // namespace

void PlayerRow::SetBoxColor(uint32_t rgb) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(rgb));
    palette.setColor(QPalette::WindowText, Qt::black);
    box->setPalette(palette);
}

uint32_t PlayerRow::BoxColor() const {
    return box->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
}

SidePanels::SidePanels(QWidget* parent) {
    stack = new QStackedWidget(parent);
    stack->setFixedWidth(kWidth);
    stack->setMinimumHeight(kHeight);
    BuildConnectionPanel(*this);
    BuildPlayersPanel(*this);
    stack->addWidget(connection);
    stack->addWidget(players);
    stack->setCurrentWidget(connection);
}

void SidePanels::FitHeight(int height) {
    const int extra = std::max(0, height - kHeight);
    chat->resize(chat->width(), kChatHeight + extra);
    chatInput->move(chatInput->x(), kChatInputTop + extra);
    start->move(start->x(), kButtonsTop + extra);
    close->move(close->x(), kButtonsTop + extra);
}
