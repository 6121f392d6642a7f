#include "frontend/ui/main_menus.h"

#include "frontend/texts/window_texts.h"

namespace {

template <typename Parent>  // the menu bar or a menu
QMenu* Submenu(Parent* parent, const char* name) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(name);
    parent->addMenu(menu);
    return menu;
}

QAction* Item(QMenu* menu, const char* name) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(name);
    return action;
}

// A radio item starts unchecked; Show checks one of its group.
QAction* Check(QMenu* menu, const char* name, QActionGroup* group = nullptr) {
    QAction* action = Item(menu, name);
    action->setCheckable(true);
    if (group) group->addAction(action);
    return action;
}

}  // namespace

MainMenus::MainMenus(QMenuBar& bar) {
    game = Submenu(&bar, "Jogo1");
    newGame = Item(game, "Novo1");
    playComputer = Submenu(game, "JogarComputador1");
    beginner = Item(playComputer, "Iniciante1");
    club = Item(playComputer, "Clube1");
    master = Item(playComputer, "Mestre1");
    bestScores = Item(game, "Verrecordes1");
    // Beside the best plays, the other look back at games played.
    watchReplay = Item(game, "AssistirReplay1");
    replay = Submenu(game, "Replay1");
    replayPause = Item(replay, "ReplayPausa1");
    replayPause->setShortcut(Qt::Key_Space);
    auto* speeds = new QActionGroup(replay);
    replaySpeed1 = Check(replay, "ReplayVelocidade1", speeds);
    replaySpeed2 = Check(replay, "ReplayVelocidade2", speeds);
    replaySpeed4 = Check(replay, "ReplayVelocidade4", speeds);
    replaySpeed1->setShortcut(Qt::Key_1);
    replaySpeed2->setShortcut(Qt::Key_2);
    replaySpeed4->setShortcut(Qt::Key_4);
    replaySpeed1->setChecked(true);
    replayNextShot = Item(replay, "ReplayProxima1");
    replayNextShot->setShortcut(Qt::Key_N);
    replayStop = Item(replay, "ReplayParar1");
    replayStop->setShortcut(Qt::Key_Escape);
    game->addSeparator();
    exit = Item(game, "Sair1");

    configuration = Submenu(&bar, "Configurao1");
    video = Submenu(configuration, "Vdeo1");
    refreshRate = Submenu(video, "axadeatualizao1");
    auto* rates = new QActionGroup(refreshRate);
    slow15 = Check(refreshRate, "N10FPS1", rates);
    medium30 = Check(refreshRate, "Medio1", rates);
    normal60 = Check(refreshRate, "N60FPS1", rates);
    quality = Submenu(video, "Qualidade1");
    auto* qualities = new QActionGroup(quality);
    low = Check(quality, "Baixa1", qualities);
    high = Check(quality, "Alta1", qualities);
    specularLight = Check(video, "Luz1");
    reflections = Check(video, "Reflexo1");

    sound = Submenu(configuration, "udio1");
    soundEffects = Check(sound, "Efeitossonoros1");
    music = Check(sound, "Msica1");
    chatEffects = Check(sound, "Efeitosdochat1");

    input = Submenu(configuration, "Entrada1");
    mouseSensitivity = Item(input, "Definirsensibilidadedomouse1");

    other = Submenu(configuration, "Outros1");
    other->menuAction()->setVisible(false);
    ortogralMode = Check(other, "ModoOrtogral1");

    fullScreen = Check(video, "Telacheia1");
    fullScreen->setShortcut(Qt::Key_F11);
    colourSafeDiscs = Check(video, "CoresDiscos1");
    portMapping = Check(configuration, "AbrirPorta1");

    about = bar.addAction(QString());
    about->setObjectName("Sobre1");

    Show(GameOptions{});
}

void MainMenus::SetCaptions(int language) {
    const auto set = [language](auto* target, Caption caption) {
        target->setTitle(CaptionText(caption, language));
    };
    const auto text = [language](QAction* target, Caption caption) {
        target->setText(CaptionText(caption, language));
    };
    set(game, Caption::GameMenu);
    text(newGame, Caption::New);
    set(playComputer, Caption::PlayComputer);
    text(beginner, Caption::Beginner);
    text(club, Caption::Club);
    text(master, Caption::Master);
    text(bestScores, Caption::BestScores);
    text(exit, Caption::Exit);
    text(watchReplay, Caption::WatchReplay);
    set(replay, Caption::ReplayMenu);
    text(replayPause, Caption::ReplayPause);
    text(replaySpeed1, Caption::ReplaySpeed1);
    text(replaySpeed2, Caption::ReplaySpeed2);
    text(replaySpeed4, Caption::ReplaySpeed4);
    text(replayNextShot, Caption::ReplayNextShot);
    text(replayStop, Caption::ReplayStop);
    set(configuration, Caption::ConfigurationMenu);
    set(video, Caption::VideoMenu);
    set(refreshRate, Caption::RefreshRateMenu);
    text(slow15, Caption::Slow15);
    text(medium30, Caption::Medium30);
    text(normal60, Caption::Normal60);
    set(quality, Caption::QualityMenu);
    text(low, Caption::Low);
    text(high, Caption::High);
    text(specularLight, Caption::SpecularLight);
    text(reflections, Caption::Reflections);
    set(sound, Caption::SoundMenu);
    text(soundEffects, Caption::SoundEffects);
    text(music, Caption::Music);
    text(chatEffects, Caption::ChatEffects);
    set(input, Caption::InputMenu);
    text(mouseSensitivity, Caption::MouseSensitivity);
    set(other, Caption::OtherMenu);
    text(ortogralMode, Caption::OrtogralMode);
    text(about, Caption::About);
    text(fullScreen, Caption::FullScreen);
    text(colourSafeDiscs, Caption::ColourSafeDiscs);
    text(portMapping, Caption::PortMapping);
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
