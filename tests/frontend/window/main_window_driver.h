// What a player does with the main window and what they see on it, for the
// window's tests: fields typed into, buttons pressed, the mouse over the
// game, the boxes answered. Tests name the part of the window a player would
// name ("the join dialog's port", "the chat") and never reach the widgets
// behind it, so the window may rebuild its forms without the tests following.
// Menu items and the side panel's buttons keep their component names, which
// tests find on the window itself.
#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSlider>
#include <QString>
#include <QTextDocument>
#include <QUrl>
#include <cstdint>
#include <functional>

class MainWindow;
class QWidget;

class MainWindowDriver {
public:
    // What a player reads, types into, clicks or presses.
    enum class Part {
        GamePanel,
        SidePanel,
        Nickname,
        Chat,
        ChatLine,
        CloseButton,
        JoinAddress,
        JoinPort,
        JoinPassword,
        JoinConfirm,
        JoinCancel,
        CreatePassword,
        CreatePort,
        CreateOwnAddress,
        CreateAddressNote,
        CopyAddress,
        CreateFriendsOnly,
        CreateConfirm,
        CreateCancel,
        MouseConfirm,
        MouseCancel,
        AboutPicture,
        AboutProduct,
        AboutVersion,
        AboutCredit,
        AboutLink,
        AboutConfirm,
    };
    enum class Dialog { Join, Create, Mouse, About };

    explicit MainWindowDriver(MainWindow& window) : window_(window) {}

    // Reading: the text a field or label shows, a button's caption, its hint.
    QString Text(Part part) const;
    QString Hint(Part part) const;
    bool Visible(Part part) const;
    bool HasFocus(Part part) const;
    // Where the part is, in its parent's coordinates.
    QRect Geometry(Part part) const;
    // A field shows dots, refuses typing, or takes at most this many characters.
    bool Masked(Part part) const;
    bool ReadOnly(Part part) const;
    int MaxLength(Part part) const;
    QSize PictureSize(Part part) const;
    // A box is ticked.
    bool Checked(Part part) const;

    // Writing: replaces a field's text as a paste or a restored setting
    // would, past the typing rules.
    void Fill(Part part, const QString& text);
    // Ticks or clears a box as a restored setting would.
    void SetChecked(Part part, bool checked);
    // Types at the end of the field, a key that carries each character.
    void Type(Part part, const QString& text);
    void PressKey(Part part, Qt::Key key);
    // A button pressed as its shortcut or the space bar would.
    void Press(Part part);
    void Click(Part part, Qt::MouseButton button = Qt::LeftButton);
    // Gives the part the keyboard; true once it has it.
    bool Focus(Part part);

    // The mouse on the game panel and over the other parts.
    void PressMouse(Part part, QPoint at);
    void ReleaseMouse(Part part, QPoint at);
    void MoveMouseOver(Part part, QPoint at);
    bool CursorHidden(Part part) const;

    // A player slot's coloured box, 1..4.
    uint32_t SlotBoxColour(int slot) const;
    const QTextDocument& ChatDocument() const;

    // The four dialogs the window opens.
    QString Title(Dialog dialog) const;
    bool Is(Dialog dialog, const QWidget* widget) const;

    // The mouse dialog's track bar: its value and its scale.
    struct Scale {
        int minimum, maximum, tickInterval;
        QSlider::TickPosition ticks;
    };
    int Sensitivity() const;
    void SetSensitivity(int value);
    Scale SensitivityScale() const;

    // The address the create dialog shows for friends and the line under it,
    // as the window shows them when the router's search answers.
    void ShowOwnAddress(const QString& address, const QString& note);

    // The about box's link: what it opens, and who opens it.
    QUrl DocumentationLink() const;
    void OpenLinksWith(std::function<bool(const QUrl&)> opener);

    // The game hosted or joined through the side panel's buttons and the
    // dialog they open: fills it, confirms and returns when the window has
    // handled the confirmation. Fails the test if another dialog opens.
    void HostGame(const QString& port);
    void JoinGame(quint16 port, const QString& password = {});

    // No information box is on screen now.
    bool NoBoxShown() const;
    // Waits for the information box and closes it; its text.
    QString TakeBox() const;

private:
    // The information box on screen, waiting up to five seconds for one;
    // null when none came.
    QMessageBox* ShownBox() const;
    QWidget* Widget(Part part) const;
    QWidget* DialogWidget(Dialog dialog) const;
    // Opens the dialog by the side panel's button and runs fill from inside
    // its loop, after checking it is the one expected.
    void AnswerDialog(Dialog dialog, const char* button,
                      std::function<void(MainWindowDriver&)> fill);

    MainWindow& window_;
};
