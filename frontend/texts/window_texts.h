// The captions of the main window's menus, panels and buttons, the dialogs'
// titles and labels, and the buttons' hints, in the three languages. Beside
// ui_texts.h, which holds what the online game says.
#pragma once

#include <QString>

enum class Caption {
    GameMenu,
    ConfigurationMenu,
    About,
    New,
    BestScores,
    Exit,
    VideoMenu,
    RefreshRateMenu,
    Slow15,
    Medium30,
    Normal60,
    QualityMenu,
    Low,
    High,
    SpecularLight,
    Reflections,
    SoundMenu,
    SoundEffects,
    Music,
    ChatEffects,
    InputMenu,
    MouseSensitivity,
    OtherMenu,
    OrtogralMode,
    Nickname,
    Players,
    PlayOnline,
    Join,
    Create,
    Practice,
    Start,
    Close,
    JoinTitle,
    CreateTitle,
    Port,
    Password,
    OwnAddress,
    JoinConfirm,
    CreateConfirm,
    Cancel,
    Yes,
    No,
    PlayComputer,
    Beginner,
    Club,
    Master,
    ComputerName,
    FullScreen,
    WatchReplay,
    ReplayMenu,
    ReplayPause,
    ReplaySpeed1,
    ReplaySpeed2,
    ReplaySpeed4,
    ReplayNextShot,
    ReplayStop,
    OpenReplayFile,
    ColourSafeDiscs,
    PortMapping,
    CopyAddress,
    OnlineLobby,
    PlayOnlineNow,
};

enum class Hint { Join, Create, Practice, Start, Close };

QString CaptionText(Caption caption, int uiLanguage);
QString HintText(Hint hint, int uiLanguage);

// Texts that are the same in every language.
inline constexpr char kWindowCaption[] = "VEX Ringdisk v1.1";
inline constexpr char kApplicationTitle[] = "VEX Ringdisk";
inline constexpr char kVersionText[] = "v1.1";
