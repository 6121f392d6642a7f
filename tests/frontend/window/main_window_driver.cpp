#include "tests/frontend/window/main_window_driver.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "frontend/ui/main_window.h"
#include "tests/frontend/window/window_fixture.h"

QWidget* MainWindowDriver::Widget(Part part) const {
    const SidePanels& p = window_.panels;
    const JoinDialog& join = *window_.joinDialog;
    const CreateDialog& create = *window_.createDialog;
    const MouseDialog& mouse = *window_.mouseDialog;
    const AboutDialog& about = *window_.aboutDialog;
    switch (part) {
        case Part::GamePanel:
            return window_.tela;
        case Part::SidePanel:
            return p.stack;
        case Part::Nickname:
            return p.nick;
        case Part::Chat:
            return p.chat;
        case Part::ChatLine:
            return p.chatInput;
        case Part::CloseButton:
            return p.close;
        case Part::JoinAddress:
            return join.address;
        case Part::JoinPort:
            return join.port;
        case Part::JoinPassword:
            return join.password;
        case Part::JoinConfirm:
            return join.confirm;
        case Part::JoinCancel:
            return join.cancel;
        case Part::CreatePassword:
            return create.password;
        case Part::CreatePort:
            return create.port;
        case Part::CreateOwnAddress:
            return create.ownAddress;
        case Part::CreateAddressNote:
            return create.addressNote;
        case Part::CopyAddress:
            return create.copyAddress;
        case Part::CreateFriendsOnly:
            return create.friendsOnly;
        case Part::CreateConfirm:
            return create.confirm;
        case Part::CreateCancel:
            return create.cancel;
        case Part::MouseConfirm:
            return mouse.confirm;
        case Part::MouseCancel:
            return mouse.cancel;
        case Part::AboutPicture:
            return about.picture;
        case Part::AboutProduct:
            return about.product;
        case Part::AboutVersion:
            return about.version;
        case Part::AboutCredit:
            return about.credit;
        case Part::AboutLink:
            return about.link;
        case Part::AboutConfirm:
            return about.confirm;
    }
    return nullptr;
}

QWidget* MainWindowDriver::DialogWidget(Dialog dialog) const {
    switch (dialog) {
        case Dialog::Join:
            return window_.joinDialog;
        case Dialog::Create:
            return window_.createDialog;
        case Dialog::Mouse:
            return window_.mouseDialog;
        case Dialog::About:
            return window_.aboutDialog;
    }
    return nullptr;
}

namespace {

// The part as the kind of widget a reading or typing needs. Asking a label
// for a field's property is a mistake in the test, stopped here rather than
// read as nothing.
template <typename T>
T& As(QWidget* widget) {
    T* typed = qobject_cast<T*>(widget);
    if (!typed)
        qFatal("%s is not a %s", qPrintable(widget->objectName()), T::staticMetaObject.className());
    return *typed;
}

}  // namespace

QString MainWindowDriver::Text(Part part) const {
    QWidget* widget = Widget(part);
    if (auto* field = qobject_cast<QLineEdit*>(widget)) return field->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    return As<QAbstractButton>(widget).text();
}

QString MainWindowDriver::Hint(Part part) const {
    return Widget(part)->toolTip();
}

bool MainWindowDriver::Visible(Part part) const {
    return Widget(part)->isVisible();
}

bool MainWindowDriver::HasFocus(Part part) const {
    return Widget(part)->hasFocus();
}

QRect MainWindowDriver::Geometry(Part part) const {
    return Widget(part)->geometry();
}

bool MainWindowDriver::Masked(Part part) const {
    return As<QLineEdit>(Widget(part)).echoMode() == QLineEdit::Password;
}

bool MainWindowDriver::ReadOnly(Part part) const {
    return As<QLineEdit>(Widget(part)).isReadOnly();
}

int MainWindowDriver::MaxLength(Part part) const {
    return As<QLineEdit>(Widget(part)).maxLength();
}

QSize MainWindowDriver::PictureSize(Part part) const {
    return As<QLabel>(Widget(part)).pixmap().size();
}

bool MainWindowDriver::Checked(Part part) const {
    return As<QAbstractButton>(Widget(part)).isChecked();
}

void MainWindowDriver::Fill(Part part, const QString& text) {
    As<QLineEdit>(Widget(part)).setText(text);
}

void MainWindowDriver::SetChecked(Part part, bool checked) {
    As<QAbstractButton>(Widget(part)).setChecked(checked);
}

void MainWindowDriver::Type(Part part, const QString& text) {
    QLineEdit& field = As<QLineEdit>(Widget(part));
    field.end(false);
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&field, &press);
    }
}

void MainWindowDriver::PressKey(Part part, Qt::Key key) {
    QTest::keyClick(Widget(part), key);
}

void MainWindowDriver::Press(Part part) {
    As<QAbstractButton>(Widget(part)).click();
}

void MainWindowDriver::Click(Part part, Qt::MouseButton button) {
    QTest::mouseClick(Widget(part), button);
}

bool MainWindowDriver::Focus(Part part) {
    QWidget* widget = Widget(part);
    widget->setFocus();
    return SpinUntil([widget] { return widget->hasFocus(); }, 2000);
}

void MainWindowDriver::PressMouse(Part part, QPoint at) {
    QTest::mousePress(Widget(part), Qt::LeftButton, {}, at);
}

void MainWindowDriver::ReleaseMouse(Part part, QPoint at) {
    QTest::mouseRelease(Widget(part), Qt::LeftButton, {}, at);
}

void MainWindowDriver::MoveMouseOver(Part part, QPoint at) {
    QWidget* widget = Widget(part);
    // A scrolled view takes the mouse in its viewport, not its frame.
    if (auto* view = qobject_cast<QAbstractScrollArea*>(widget)) widget = view->viewport();
    QTest::mouseMove(widget, at);
}

bool MainWindowDriver::CursorHidden(Part part) const {
    return Widget(part)->cursor().shape() == Qt::BlankCursor;
}

uint32_t MainWindowDriver::SlotBoxColour(int slot) const {
    return window_.panels.rows[slot - 1].BoxColor();
}

const QTextDocument& MainWindowDriver::ChatDocument() const {
    return *window_.panels.chat->document();
}

QString MainWindowDriver::Title(Dialog dialog) const {
    return DialogWidget(dialog)->windowTitle();
}

bool MainWindowDriver::Is(Dialog dialog, const QWidget* widget) const {
    return widget && widget == DialogWidget(dialog);
}

int MainWindowDriver::Sensitivity() const {
    return window_.mouseDialog->trackBar->value();
}

void MainWindowDriver::SetSensitivity(int value) {
    window_.mouseDialog->trackBar->setValue(value);
}

MainWindowDriver::Scale MainWindowDriver::SensitivityScale() const {
    const QSlider& bar = *window_.mouseDialog->trackBar;
    return {bar.minimum(), bar.maximum(), bar.tickInterval(), bar.tickPosition()};
}

void MainWindowDriver::ShowOwnAddress(const QString& address, const QString& note) {
    window_.createDialog->ShowOwnAddress(address, note);
}

QUrl MainWindowDriver::DocumentationLink() const {
    return window_.aboutDialog->Target();
}

void MainWindowDriver::OpenLinksWith(std::function<bool(const QUrl&)> opener) {
    window_.aboutDialog->openLink = std::move(opener);
}

void MainWindowDriver::AnswerDialog(Dialog dialog, const char* button,
                                    std::function<void(MainWindowDriver&)> fill) {
    // The answer runs inside the dialog's loop; it holds the window, not
    // this driver, which a test may have made for one call.
    MainWindow* window = &window_;
    WhenModal([window, dialog, fill](QWidget* opened) {
        MainWindowDriver player(*window);
        if (!player.Is(dialog, opened)) {
            ADD_FAILURE() << "another dialog opened: " << opened->objectName().toStdString();
            opened->close();
            return;
        }
        fill(player);
    });
    QTest::mouseClick(window_.findChild<QPushButton*>(button), Qt::LeftButton);
}

void MainWindowDriver::HostGame(const QString& port) {
    AnswerDialog(Dialog::Create, "Create", [port](MainWindowDriver& player) {
        player.Fill(Part::CreatePort, port);
        player.Press(Part::CreateConfirm);
    });
}

void MainWindowDriver::JoinGame(quint16 port, const QString& password) {
    AnswerDialog(Dialog::Join, "Join", [port, password](MainWindowDriver& player) {
        player.Fill(Part::JoinPort, QString::number(port));
        player.Fill(Part::JoinPassword, password);
        player.Press(Part::JoinConfirm);
    });
}

QMessageBox* MainWindowDriver::ShownBox() const {
    const MessageBoxes& boxes = window_.boxes;
    SpinUntil([&] { return boxes.Current() && boxes.Current()->isVisible(); }, 5000);
    return boxes.Current();
}

bool MainWindowDriver::NoBoxShown() const {
    return window_.boxes.Current() == nullptr;
}

QString MainWindowDriver::TakeBox() const {
    QMessageBox* box = ShownBox();
    if (!box) return QStringLiteral("(no box)");
    const QString text = box->text();
    box->accept();
    SpinUntil([&] { return window_.boxes.Current() != box; }, 2000);
    return text;
}
