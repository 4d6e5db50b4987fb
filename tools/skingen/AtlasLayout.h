#pragma once
// Where every control image lies in the control atlas (picture 0) and the sizes of the other
// pictures. The painters draw into these cells and the description text names them, so both
// read them from here. Cells never overlap (a test checks it).
#include <array>

#include "Image.h"

namespace skingen::atlas {

inline constexpr int Width = 256, Height = 528;

// Picture sizes.
inline constexpr int FrameWidth = 200, FrameHeight = 120;
inline constexpr int PopupWidth = 64, PopupHeight = 48;
inline constexpr int HintWidth = 48, HintHeight = 28;
inline constexpr int TileSize = 64;

// Indexes of the further pictures.
inline constexpr int AtlasPicture = 0, PopupPicture = 1, HintPicture = 2, TilePicture = 3;

// Push buttons: normal, hot, pressed, disabled side by side.
inline constexpr std::array<Rect, 4> Button{rectAt(0, 0, 64, 25), rectAt(64, 0, 64, 25),
                                             rectAt(128, 0, 64, 25), rectAt(192, 0, 64, 25)};
inline constexpr std::array<Rect, 4> ToolButton{rectAt(0, 25, 64, 23), rectAt(64, 25, 64, 23),
                                                 rectAt(128, 25, 64, 23), rectAt(192, 25, 64, 23)};
inline constexpr std::array<Rect, 4> ResizeButton{rectAt(0, 48, 48, 20), rectAt(48, 48, 48, 20),
                                                   rectAt(96, 48, 48, 20), rectAt(144, 48, 48, 20)};

// Tabs: normal, active, focused, hot; and the strip behind them.
inline constexpr std::array<Rect, 4> Tab{rectAt(0, 68, 48, 22), rectAt(48, 68, 48, 22),
                                          rectAt(96, 68, 48, 22), rectAt(144, 68, 48, 22)};
inline constexpr Rect TabBackground = rectAt(192, 68, 16, 22);

// Caption buttons, 16 x 16, in this order of kinds; normal and pressed in the left half,
// hot and inactive in the right half.
enum CaptionKind { CapClose, CapMaximize, CapRestore, CapMinimize, CapRollUp, CapRollDown, CapTray,
                   CapSysMenu, CaptionKinds };
inline constexpr int CaptionButtonSize = 16;
constexpr Rect captionNormal(int kind) { return rectAt(kind * 16, 90, 16, 16); }
constexpr Rect captionDown(int kind) { return rectAt(kind * 16, 106, 16, 16); }
constexpr Rect captionHot(int kind) { return rectAt(128 + kind * 16, 90, 16, 16); }
constexpr Rect captionInactive(int kind) { return rectAt(128 + kind * 16, 106, 16, 16); }

// Check and radio marks, 14 x 14, drawn with the key colour around them: unchecked, checked,
// hot unchecked, hot checked, disabled unchecked, disabled checked.
inline constexpr int MarkSize = 14;
constexpr Rect checkMark(int i) { return rectAt(i * 14, 122, 14, 14); }
constexpr Rect radioMark(int i) { return rectAt(84 + i * 14, 122, 14, 14); }
// Roll-up panel buttons, 14 x 14: close normal, hot, pressed.
constexpr Rect panelClose(int state) { return rectAt(168 + state * 14, 122, 14, 14); }
// Roll and restore buttons (normal, hot, pressed) for both directions.
constexpr Rect vRoll(int state) { return rectAt(state * 14, 136, 14, 14); }
constexpr Rect vRestore(int state) { return rectAt(42 + state * 14, 136, 14, 14); }
constexpr Rect hRoll(int state) { return rectAt(84 + state * 14, 136, 14, 14); }
constexpr Rect hRestore(int state) { return rectAt(126 + state * 14, 136, 14, 14); }

// Menus.
inline constexpr Rect MenuItem = rectAt(0, 150, 96, 20);
inline constexpr Rect MenuItemActive = rectAt(96, 150, 96, 20);
inline constexpr Rect MenuDivider = rectAt(192, 150, 64, 6);

// Track bars and their thumbs (key colour around the thumb).
inline constexpr Rect HTrackBar = rectAt(0, 170, 100, 20);
inline constexpr Rect HThumb = rectAt(100, 170, 10, 20);
inline constexpr Rect HThumbActive = rectAt(110, 170, 10, 20);
inline constexpr Rect VTrackBar = rectAt(57, 248, 20, 100);
inline constexpr Rect VThumb = rectAt(77, 248, 20, 10);
inline constexpr Rect VThumbActive = rectAt(77, 258, 20, 10);

// Edits and combo boxes.
inline constexpr Rect Edit = rectAt(120, 170, 64, 20);
inline constexpr Rect EditActive = rectAt(184, 170, 64, 20);
inline constexpr Rect Combo = rectAt(0, 190, 80, 20);
inline constexpr Rect ComboActive = rectAt(80, 190, 80, 20);
inline constexpr Rect ComboButtonInCombo = {62, 2, 78, 18};  // relative to the combo image
inline constexpr Rect ComboButtonHot = rectAt(160, 192, 16, 16);
inline constexpr Rect ComboButtonDown = rectAt(176, 192, 16, 16);
inline constexpr Rect ComboButtonDisabled = rectAt(192, 192, 16, 16);

// Up-down: the two halves and their hot and pressed states.
inline constexpr Rect UpDown = rectAt(208, 190, 36, 18);
inline constexpr Rect UpDownDownHot = rectAt(178, 229, 18, 18);
inline constexpr Rect UpDownDownPressed = rectAt(196, 229, 18, 18);
inline constexpr Rect UpDownUpHot = rectAt(214, 229, 18, 18);
inline constexpr Rect UpDownUpPressed = rectAt(232, 229, 18, 18);

// Scroll bars: the horizontal bars, the hot and pressed arrows, the thumbs and their grip.
inline constexpr int ScrollSize = 19, ScrollLength = 100, ThumbLength = 30;
inline constexpr Rect HScroll = rectAt(0, 210, 100, 19);
inline constexpr Rect HScrollBoth = rectAt(100, 210, 119, 19);
inline constexpr Rect HArrowNearHot = rectAt(0, 229, 19, 19);
inline constexpr Rect HArrowNearDown = rectAt(19, 229, 19, 19);
inline constexpr Rect HArrowFarHot = rectAt(38, 229, 19, 19);
inline constexpr Rect HArrowFarDown = rectAt(57, 229, 19, 19);
inline constexpr std::array<Rect, 3> HThumbs{rectAt(76, 229, 30, 19), rectAt(106, 229, 30, 19),
                                              rectAt(136, 229, 30, 19)};
inline constexpr Rect HGrip = rectAt(168, 235, 8, 7);
inline constexpr Rect VScroll = rectAt(0, 248, 19, 100);
inline constexpr std::array<Rect, 3> VThumbs{rectAt(19, 248, 19, 30), rectAt(19, 278, 19, 30),
                                              rectAt(19, 308, 19, 30)};
inline constexpr Rect VArrowNearHot = rectAt(38, 248, 19, 19);
inline constexpr Rect VArrowNearDown = rectAt(38, 267, 19, 19);
inline constexpr Rect VArrowFarHot = rectAt(38, 286, 19, 19);
inline constexpr Rect VArrowFarDown = rectAt(38, 305, 19, 19);
inline constexpr Rect VGrip = rectAt(226, 250, 7, 8);

// Panels.
inline constexpr Rect Panel = rectAt(97, 248, 64, 64);
inline constexpr int PanelHeader = 20;
inline constexpr Rect ExPanel = rectAt(161, 248, 64, 64);
inline constexpr int ExPanelHeader = 21;
inline constexpr Rect ListBox = rectAt(97, 312, 64, 64);
inline constexpr Rect ToolPanel = rectAt(161, 312, 32, 25);
inline constexpr Rect StatusBar = rectAt(193, 312, 32, 21);
inline constexpr Rect SizeGrip = rectAt(225, 312, 12, 12);

// Rolled-up panels, list items, check and radio boxes, the tab sheet.
inline constexpr Rect RollV = rectAt(0, 376, 64, 21);
inline constexpr std::array<Rect, 3> ListItem{rectAt(64, 376, 64, 18), rectAt(128, 376, 64, 18),
                                               rectAt(192, 376, 64, 18)};
inline constexpr Rect RollH = rectAt(0, 397, 21, 64);
inline constexpr Rect CheckBox = rectAt(21, 397, 96, 20);
inline constexpr Rect CheckBoxActive = rectAt(117, 397, 96, 20);
inline constexpr Rect RadioBox = rectAt(21, 417, 96, 20);
inline constexpr Rect RadioBoxActive = rectAt(117, 417, 96, 20);
inline constexpr Rect TabSheet = rectAt(0, 461, 64, 64);

// Animation strips of the "animated" skins: three frames from normal to hot, side by side.
inline constexpr int AnimationFrames = 3;
inline constexpr Rect ButtonAnimation = rectAt(64, 437, 192, 25);
inline constexpr Rect ToolButtonAnimation = rectAt(64, 462, 192, 23);
inline constexpr Rect ResizeButtonAnimation = rectAt(64, 485, 144, 20);

}  // namespace skingen::atlas
