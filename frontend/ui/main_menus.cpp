#include "frontend/ui/main_menus.h"

#include <map>

#include "frontend/texts/window_texts.h"

namespace {

enum class Kind {
    Submenu,
    Item,
    Check,
    Radio,  // a check in its menu's one exclusive group
    Separator,
};

// One entry of the menu bar, in the order it shows in its menu. A submenu
// fills `menu`, an item `action`; `parent` null puts it on the bar itself.
struct MenuRow {
    Kind kind;
    QMenu* MainMenus::*parent;
    QMenu* MainMenus::*menu;
    QAction* MainMenus::*action;
    const char* name;  // the component's name
    Caption caption;
    int shortcut;  // a Qt::Key, 0 for none
};

constexpr MenuRow Submenu(QMenu* MainMenus::*parent, QMenu* MainMenus::*menu, const char* name,
                          Caption caption) {
    return {Kind::Submenu, parent, menu, nullptr, name, caption, 0};
}
constexpr MenuRow Entry(Kind kind, QMenu* MainMenus::*parent, QAction* MainMenus::*action,
                        const char* name, Caption caption, int shortcut = 0) {
    return {kind, parent, nullptr, action, name, caption, shortcut};
}
constexpr MenuRow SeparatorIn(QMenu* MainMenus::*parent) {
    return {Kind::Separator, parent, nullptr, nullptr, "", Caption::GameMenu, 0};
}

using M = MainMenus;
constexpr QMenu* MainMenus::*kBar = nullptr;

constexpr MenuRow kRows[] = {
    Submenu(kBar, &M::game, "Jogo1", Caption::GameMenu),
    Entry(Kind::Item, &M::game, &M::newGame, "Novo1", Caption::New),
    Submenu(&M::game, &M::playComputer, "JogarComputador1", Caption::PlayComputer),
    Entry(Kind::Item, &M::playComputer, &M::beginner, "Iniciante1", Caption::Beginner),
    Entry(Kind::Item, &M::playComputer, &M::club, "Clube1", Caption::Club),
    Entry(Kind::Item, &M::playComputer, &M::master, "Mestre1", Caption::Master),
    Entry(Kind::Item, &M::game, &M::bestScores, "Verrecordes1", Caption::BestScores),
    // Beside the best plays, the other look back at games played.
    Entry(Kind::Item, &M::game, &M::watchReplay, "AssistirReplay1", Caption::WatchReplay),
    Submenu(&M::game, &M::replay, "Replay1", Caption::ReplayMenu),
    Entry(Kind::Item, &M::replay, &M::replayPause, "ReplayPausa1", Caption::ReplayPause,
          Qt::Key_Space),
    Entry(Kind::Radio, &M::replay, &M::replaySpeed1, "ReplayVelocidade1", Caption::ReplaySpeed1,
          Qt::Key_1),
    Entry(Kind::Radio, &M::replay, &M::replaySpeed2, "ReplayVelocidade2", Caption::ReplaySpeed2,
          Qt::Key_2),
    Entry(Kind::Radio, &M::replay, &M::replaySpeed4, "ReplayVelocidade4", Caption::ReplaySpeed4,
          Qt::Key_4),
    Entry(Kind::Item, &M::replay, &M::replayNextShot, "ReplayProxima1", Caption::ReplayNextShot,
          Qt::Key_N),
    Entry(Kind::Item, &M::replay, &M::replayStop, "ReplayParar1", Caption::ReplayStop,
          Qt::Key_Escape),
    // Where players who have not met find one another.
    Entry(Kind::Item, &M::game, &M::onlineLobby, "SaguaoOnline1", Caption::OnlineLobby,
          (Qt::CTRL | Qt::Key_L).toCombined()),
    Entry(Kind::Item, &M::game, &M::playOnlineNow, "JogarOnlineAgora1", Caption::PlayOnlineNow),
    SeparatorIn(&M::game),
    Entry(Kind::Item, &M::game, &M::exit, "Sair1", Caption::Exit),

    Submenu(kBar, &M::configuration, "Configurao1", Caption::ConfigurationMenu),
    Submenu(&M::configuration, &M::video, "Vdeo1", Caption::VideoMenu),
    Submenu(&M::video, &M::refreshRate, "axadeatualizao1", Caption::RefreshRateMenu),
    Entry(Kind::Radio, &M::refreshRate, &M::slow15, "N10FPS1", Caption::Slow15),
    Entry(Kind::Radio, &M::refreshRate, &M::medium30, "Medio1", Caption::Medium30),
    Entry(Kind::Radio, &M::refreshRate, &M::normal60, "N60FPS1", Caption::Normal60),
    Submenu(&M::video, &M::quality, "Qualidade1", Caption::QualityMenu),
    Entry(Kind::Radio, &M::quality, &M::low, "Baixa1", Caption::Low),
    Entry(Kind::Radio, &M::quality, &M::high, "Alta1", Caption::High),
    Entry(Kind::Check, &M::video, &M::specularLight, "Luz1", Caption::SpecularLight),
    Entry(Kind::Check, &M::video, &M::reflections, "Reflexo1", Caption::Reflections),
    Entry(Kind::Check, &M::video, &M::fullScreen, "Telacheia1", Caption::FullScreen, Qt::Key_F11),
    Entry(Kind::Check, &M::video, &M::colourSafeDiscs, "CoresDiscos1", Caption::ColourSafeDiscs),
    Submenu(&M::configuration, &M::sound, "udio1", Caption::SoundMenu),
    Entry(Kind::Check, &M::sound, &M::soundEffects, "Efeitossonoros1", Caption::SoundEffects),
    Entry(Kind::Check, &M::sound, &M::music, "Msica1", Caption::Music),
    Entry(Kind::Check, &M::sound, &M::chatEffects, "Efeitosdochat1", Caption::ChatEffects),
    Submenu(&M::configuration, &M::input, "Entrada1", Caption::InputMenu),
    Entry(Kind::Item, &M::input, &M::mouseSensitivity, "Definirsensibilidadedomouse1",
          Caption::MouseSensitivity),
    Submenu(&M::configuration, &M::other, "Outros1", Caption::OtherMenu),
    Entry(Kind::Check, &M::other, &M::ortogralMode, "ModoOrtogral1", Caption::OrtogralMode),
    Entry(Kind::Check, &M::configuration, &M::portMapping, "AbrirPorta1", Caption::PortMapping),

    Entry(Kind::Item, kBar, &M::about, "Sobre1", Caption::About),
};

}  // namespace

MainMenus::MainMenus(QMenuBar& bar) {
    // Each menu's exclusive group, made with its first radio item.
    std::map<QMenu*, QActionGroup*> groups;
    for (const MenuRow& row : kRows) {
        QMenu* parent = row.parent ? this->*row.parent : nullptr;
        if (row.kind == Kind::Separator) {
            parent->addSeparator();
            continue;
        }
        if (row.kind == Kind::Submenu) {
            QMenu* menu = parent ? new QMenu(parent) : new QMenu(&bar);
            menu->setObjectName(row.name);
            parent ? parent->addMenu(menu) : bar.addMenu(menu);
            this->*row.menu = menu;
            continue;
        }
        QAction* action = parent ? parent->addAction(QString()) : bar.addAction(QString());
        action->setObjectName(row.name);
        if (row.shortcut) action->setShortcut(row.shortcut);
        // A radio item starts unchecked; Show checks one of its group.
        if (row.kind == Kind::Check || row.kind == Kind::Radio) action->setCheckable(true);
        if (row.kind == Kind::Radio) {
            QActionGroup*& group = groups[parent];
            if (!group) group = new QActionGroup(parent);
            group->addAction(action);
        }
        this->*row.action = action;
    }
    other->menuAction()->setVisible(false);
    replaySpeed1->setChecked(true);

    Show(GameOptions{});
}

void MainMenus::SetCaptions(int language) {
    for (const MenuRow& row : kRows) {
        if (row.kind == Kind::Submenu)
            (this->*row.menu)->setTitle(CaptionText(row.caption, language));
        else if (row.kind != Kind::Separator)
            (this->*row.action)->setText(CaptionText(row.caption, language));
    }
}

RefreshRate MainMenus::CheckedRate() const {
    if (normal60->isChecked()) return RefreshRate::Normal60;
    return medium30->isChecked() ? RefreshRate::Medium30 : RefreshRate::Slow15;
}

GameOptions MainMenus::Options() const {
    GameOptions o;
    o.specularLight = specularLight->isChecked();
    o.reflection = reflections->isChecked();
    o.highQuality = high->isChecked();
    o.refreshRate = CheckedRate();
    o.soundEffects = soundEffects->isChecked();
    o.music = music->isChecked();
    o.chatEffects = chatEffects->isChecked();
    o.orthogonalMode = ortogralMode->isChecked();
    o.fullScreen = fullScreen->isChecked();
    o.discColours = colourSafeDiscs->isChecked() ? DiscColours::ColourSafe : DiscColours::Classic;
    o.portMapping = portMapping->isChecked();
    return o;
}

void MainMenus::Show(const GameOptions& o) {
    specularLight->setChecked(o.specularLight);
    reflections->setChecked(o.reflection);
    (o.highQuality ? high : low)->setChecked(true);
    switch (o.refreshRate) {
        case RefreshRate::Normal60:
            normal60->setChecked(true);
            break;
        case RefreshRate::Medium30:
            medium30->setChecked(true);
            break;
        case RefreshRate::Slow15:
            slow15->setChecked(true);
            break;
    }
    soundEffects->setChecked(o.soundEffects);
    music->setChecked(o.music);
    chatEffects->setChecked(o.chatEffects);
    ortogralMode->setChecked(o.orthogonalMode);
    fullScreen->setChecked(o.fullScreen);
    colourSafeDiscs->setChecked(o.discColours == DiscColours::ColourSafe);
    portMapping->setChecked(o.portMapping);
}
