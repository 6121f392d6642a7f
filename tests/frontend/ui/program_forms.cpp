#include "tests/frontend/ui/program_forms.h"

#include <QWidget>

namespace {

template <typename Widget>
Widget* Named(QWidget* parent, const char* name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    return widget;
}

// The dialogs are parented to the main window, as the program parents them.
template <typename Form>
std::unique_ptr<Form> MakeForm(const char* name, QRect rect, QWidget* parent = nullptr) {
    auto form = std::make_unique<Form>(parent);
    form->setObjectName(name);
    form->move(rect.topLeft());
    form->setFixedSize(rect.size());
    return form;
}

QLineEdit* Edit(QWidget* parent, const char* name, const char* text) {
    auto* edit = Named<QLineEdit>(parent, name);
    edit->setText(text);
    return edit;
}

}  // namespace

ProgramForms::ProgramForms() {
    main = MakeForm<QWidget>("main", {20, 30, 760, 400});
    auto* connection = Named<QWidget>(main.get(), "Conexao");
    nick = Edit(connection, "Nick", "a bad guy");
    playersLabel = Named<QLabel>(main.get(), "LabelJogadores");
    playersLabel->setText("Jogadores");
    chat = Named<QTextEdit>(main.get(), "Chat");
    chatInput = Named<QLineEdit>(main.get(), "Edit1");

    join = MakeForm<QDialog>("conectarf", {110, 120, 250, 150}, main.get());
    joinAddress = Edit(join.get(), "IP", "127.0.0.1");
    joinPort = Edit(join.get(), "Porta", "2500");
    joinPassword = Edit(join.get(), "Senha", "");
    joinPassword->setEchoMode(QLineEdit::Password);

    create = MakeForm<QDialog>("criarf", {120, 130, 250, 170}, main.get());
    createPassword = Edit(create.get(), "Senha", "");
    createPort = Edit(create.get(), "Porta", "2500");
    ownAddress = Edit(create.get(), "SeuIP", "");
    ownAddress->setReadOnly(true);

    mouse = MakeForm<QDialog>("mousesen", {130, 140, 300, 120}, main.get());
    trackBar = Named<QSlider>(mouse.get(), "TrackBar1");
    trackBar->setRange(kMouseSensitivityMinimum, kMouseSensitivityMaximum);
    trackBar->setValue(100);
    Named<QLabel>(mouse.get(), "Label1")->setText("25");

    about = MakeForm<QDialog>("about", {140, 150, 320, 200}, main.get());
    version = Named<QLabel>(about.get(), "versao");
    version->setText("v1.1");
}

std::vector<QWidget*> ProgramForms::Forms() const {
    return {main.get(), join.get(), create.get(), mouse.get(), about.get()};
}

SettingsBindings ProgramForms::Bindings(GameOptions& menus, std::vector<GameOptions>& shown) {
    SettingsBindings bindings;
    bindings.forms = Forms();
    bindings.notKept = {chatInput};
    bindings.mouseSensitivity = trackBar;
    bindings.currentOptions = [&menus] { return menus; };
    bindings.showOptions = [&menus, &shown](const GameOptions& options) {
        menus = options;
        shown.push_back(options);
    };
    return bindings;
}
