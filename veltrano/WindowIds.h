#pragma once

#include <QEvent>

namespace veltrano {

// Window constants of the main window.
inline constexpr int IDT_PROGRESS = 1112; // progress timer of a running conversion
inline constexpr int kProgressIntervalMs = 1000;
inline constexpr int kSliderMaximum = 600;          // the position slider runs 0..600
inline constexpr int WM_GRAPHNOTIFY = 1024 + 13;    // conversion graph events are queued
inline constexpr int WM_PLAYER_POSITION = 1024 + 3; // the preview player's position moved
inline constexpr int IDM_ABOUTBOX = 16;             // About item of the window menu

// Posted-event type of the preview player's position message.
inline constexpr QEvent::Type kPlayerPositionEvent =
    static_cast<QEvent::Type>(QEvent::User + WM_PLAYER_POSITION);

// Controls of the main window (template 102).
namespace idc {
inline constexpr int kOpenVideo = 1006;
inline constexpr int kOptions = 1003;
inline constexpr int kConvert = 1000;
inline constexpr int kHelp = 1084;
inline constexpr int kAbout = 1042;
inline constexpr int kPosition = 1057;
inline constexpr int kSlider = 1055;
inline constexpr int kPlay = 1058;
inline constexpr int kPause = 1060;
inline constexpr int kStop = 1061;
inline constexpr int kStartTime = 1062;
inline constexpr int kStartMark = 1065;
inline constexpr int kEndTime = 1063;
inline constexpr int kEndMark = 1064;
inline constexpr int kHomepage = 1047;
inline constexpr int kExit = 1076;
inline constexpr int kStatus = 1021;
inline constexpr int kAddMusic = 1007;
inline constexpr int kMusicList = 1008;
inline constexpr int kClipList = 1009;
inline constexpr int kTransition = 1016;
inline constexpr int kClipInfo = 1017;
inline constexpr int kPreview = 1019;
inline constexpr int kPlayerClosed = 1056;
// The clip-list editor's unlabelled buttons, in template order.
inline constexpr int kEditorButton1 = 1029;
inline constexpr int kEditorButton2 = 1030;
inline constexpr int kEditorButton3 = 1031;
inline constexpr int kEditorButton4 = 1032;
inline constexpr int kEditorButton5 = 1033;
inline constexpr int kProgress = 1090;
} // namespace idc

// Commands of the preview window's popup menu (menu 134).
inline constexpr int kPreviewCommandFullScreen = 32771;
inline constexpr int kPreviewCommandNormalSize = 32772;
inline constexpr int kPreviewCommandPlay = 32773;
inline constexpr int kPreviewCommandPause = 32774;
inline constexpr int kPreviewCommandStop = 32775;
inline constexpr int kPreviewCommandClose = 32776;

// Popup-menu commands of the main window.
inline constexpr int kCommandAbout = 32778;
inline constexpr int kCommandFont = 32781;
inline constexpr int kCommandHelp = 57670;
inline constexpr int kFirstLanguageCommand = 45400;
inline constexpr int kLastLanguageCommand = 46399;

// Icon and string resources.
inline constexpr int kMainIcon = 128;
inline constexpr int kAboutMenuString = 101;

} // namespace veltrano
