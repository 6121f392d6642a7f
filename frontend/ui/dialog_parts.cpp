#include "frontend/ui/dialog_parts.h"

#include <QGuiApplication>
#include <QScreen>

#include "frontend/chat/login_fields.h"

namespace {
constexpr int kLabelLeft = 12;
constexpr int kFieldLeft = 96;
constexpr int kFieldWidth = 150;
constexpr int kRowHeight = 22;
}  // namespace

QLabel* DialogLabel(QWidget* parent, const char* name, const QString& text, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(kLabelLeft, y, kFieldLeft - kLabelLeft - 4, kRowHeight);
    return label;
}

QLineEdit* DialogField(QWidget* parent, const char* name, const QString& text, int y) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setGeometry(kFieldLeft, y, kFieldWidth, kRowHeight);
    return edit;
}

QLineEdit* PasswordField(QWidget* parent, int y) {
    QLineEdit* edit = DialogField(parent, "Senha", {}, y);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(kMaxPasswordChars);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& typed) {
        const QString kept = FilterPassword(typed);
        if (kept != typed) edit->setText(kept);
    });
    return edit;
}

void CentreOnScreen(QWidget& dialog) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    dialog.move(screen.center() - dialog.rect().center());
}

QPushButton* DialogButton(QDialog* dialog, const char* name, int x, int y, bool confirms) {
    auto* button = new QPushButton(dialog);
    button->setObjectName(name);
    button->setGeometry(x, y, 100, 28);
    button->setAutoDefault(confirms);
    button->setDefault(confirms);
    QObject::connect(button, &QPushButton::clicked, dialog,
                     confirms ? &QDialog::accept : &QDialog::reject);
    return button;
}
