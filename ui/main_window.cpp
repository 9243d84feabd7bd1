// The main window as data: one row per control, then the event bindings.
#include "ui/main_window.h"

#include "addresses.h"
#include "app/program.h"
#include "platform/platform.h"
#include "ui/floor.h"
#include "ui/links.h"

namespace {

constexpr char PictureButtonText[] = "\xB0\xB4\xC5\xA5";  // 按钮
constexpr FontSpec TextButtonFont{.pixelHeight = 16, .weight = 700};
constexpr Rgb White{255, 255, 255};

// Columns: name, kind, parent, left, top, width, height, stacking place among siblings
// (0 = topmost), then what differs from the defaults. Rows are in creation order.
constexpr ControlRow MainWindowControls[] = {
    {.name = 图片框1, .kind = ControlKind::PicBox, .parent = MAIN_WINDOW, .left = 0, .top = 0, .width = 540, .height = 600, .stackFromTop = 2,
     .picture = "BackdropPicture"},
    {.name = 图片框2, .kind = ControlKind::PicBox, .parent = 图片框1, .left = 34, .top = 86, .width = 472, .height = 478, .stackFromTop = 0,
     .picture = "PanelPicture"},
    {.name = 按钮1, .kind = ControlKind::Button, .parent = 图片框2, .left = 282, .top = 82, .width = 105, .height = 50, .stackFromTop = 9,
     .text = PictureButtonText, .picture = "LookupPicture", .takesFocus = true,
     .accessibleName = "\xB2\xE9\xD1\xAF"},  // 查询
    {.name = 按钮2, .kind = ControlKind::Button, .parent = 图片框2, .left = 390, .top = 82, .width = 70, .height = 26, .stackFromTop = 8,
     .text = PictureButtonText, .picture = "PreviousFloorPicture", .takesFocus = true,
     .accessibleName = "\xC9\xCF\xD2\xBB\xB2\xE3"},  // 上一层
    {.name = 按钮3, .kind = ControlKind::Button, .parent = 图片框2, .left = 390, .top = 106, .width = 70, .height = 26, .stackFromTop = 7,
     .text = PictureButtonText, .picture = "NextFloorPicture", .takesFocus = true,
     .accessibleName = "\xCF\xC2\xD2\xBB\xB2\xE3"},  // 下一层
    {.name = 透明标签1, .kind = ControlKind::TransLabel, .parent = 图片框2, .left = 30, .top = 18, .width = 424, .height = 56, .stackFromTop = 6,
     .text = "\xB1\xBE\xB9\xA4\xBE\xDF\xBF\xC9\xD2\xD4\xB7\xBD\xB1\xE3\xB2\xE9\xD1\xAF\xB6\xB4\xD1\xA8\xC3\xBF\xD2\xBB\xB2\xE3\xB5\xC4\xB2\xBC\xD5\xF3\xB7\xBD\xB7\xA8\xA3\xAC\xCE\xDE\xD0\xE8\xBC\xC7\xD2\xE4\xB1\xF8\xD6\xD6\xCF\xE0\xBF\xCB\xA3\xAC\xC1\xD9\xCA\xB1\xCD\xC6\xC7\xC3\xA3\xAC\xCA\xB9\xD3\xC3\xB1\xBE\xB9\xA4\xBE\xDF\xA3\xAC\xB7\xBD\xB1\xE3\xBF\xEC\xBD\xDD\xCA\xA1\xCA\xC2\xA3\xA1"  // 本工具可以方便查询洞穴每一层的布阵方法，无需记忆兵种相克，临时推敲，使用本工具，方便快捷省事！
             KESTRUNE_FORUM_HOST,
     .font = {.face = "\xBF\xAC\xCC\xE5", .pixelHeight = 19, .weight = 400},  // 楷体
     .textColour = Rgb{255, 255, 0}, .wordWrap = true},
    {.name = 编辑框1, .kind = ControlKind::EditBox, .parent = 图片框2, .left = 166, .top = 97, .width = 96, .height = 24, .stackFromTop = 5,
     .text = "1", .font = {.pixelHeight = 20, .weight = 700}, .textColour = White, .backColour = Rgb{43, 39, 38},
     .alignment = Alignment::Centre, .border = false, .takesFocus = true, .typedCharacters = "-0123456789",
     .accessibleName = "\xCA\xD4\xC1\xB7\xB2\xE3\xCA\xFD\xA3\xA8" "1 \xB5\xBD 90\xA3\xA9"},  // 试练层数（1 到 90）
    {.name = 透明标签2, .kind = ControlKind::TransLabel, .parent = 图片框2, .left = 145, .top = 141, .width = 85, .height = 24, .stackFromTop = 4,
     .text = "\xC4\xA7\xC5\xDA\xB9\xAD\xB2\xBD",  // 魔炮弓步
     .font = {.pixelHeight = 19, .weight = 700}, .textColour = White},
    {.name = 透明标签3, .kind = ControlKind::TransLabel, .parent = 图片框2, .left = 22, .top = 210, .width = 80, .height = 32, .stackFromTop = 3,
     .text = "\xB2\xCE\xBF\xBC\xD5\xBD\xC1\xA6",  // 参考战力
     .font = {.pixelHeight = 19, .weight = 700}, .textColour = Rgb{216, 216, 0}},
    {.name = 透明标签4, .kind = ControlKind::TransLabel, .parent = 图片框2, .left = 114, .top = 210, .width = 312, .height = 32, .stackFromTop = 2,
     .text = "( \xB8\xF9\xBE\xDD\xD3\xA2\xD0\xDB\xB7\xA2\xD5\xB9\xB2\xE0\xD6\xD8\xD3\xEB\xB1\xF8\xC1\xA6\xB2\xBB\xCD\xAC\xD3\xD0\xCB\xF9\xB8\xA1\xB6\xAF\xA3\xAC\xBD\xF6\xB9\xA9\xB2\xCE\xBF\xBC )",  // ( 根据英雄发展侧重与兵力不同有所浮动，仅供参考 )
     .font = {.pixelHeight = 12, .weight = 400}, .textColour = Rgb{0, 128, 128}},
    {.name = 透明标签5, .kind = ControlKind::TransLabel, .parent = 图片框2, .left = 49, .top = 248, .width = 408, .height = 96, .stackFromTop = 1,
     .text = "20\xB2\xE3\xA3\xBA" "7250              30\xB2\xE3\xA3\xBA" "1.6\xCD\xF2-2\xCD\xF2\r\n\r\n40\xB2\xE3\xA3\xBA" "2.6\xCD\xF2-3.3\xCD\xF2       50\xB2\xE3\xA3\xBA" "4.5\xCD\xF2-4.7\xCD\xF2\r\n\r\n60\xB2\xE3\xA3\xBA" "5.7\xCD\xF2-6\xCD\xF2\r\n\r\n",  // 20层：7250              30层：1.6万-2万\r\n\r\n40层：2.6万-3.3万       50层：4.5万-4.7万\r\n\r\n60层：5.7万-6万\r\n\r\n
     .font = {.pixelHeight = 16, .weight = 400}, .textColour = White, .wordWrap = true},
    {.name = 按钮4, .kind = ControlKind::Button, .parent = 图片框2, .left = 161, .top = 368, .width = 149, .height = 88, .stackFromTop = 0,
     .text = "\xC1\xD4\xB3\xA1\xB9\xA5\xC2\xD4",  // 猎场攻略
     .font = TextButtonFont, .wordWrap = true, .takesFocus = true},
    {.name = 按钮5, .kind = ControlKind::Button, .parent = MAIN_WINDOW, .left = 344, .top = 454, .width = 149, .height = 88, .stackFromTop = 1,
     .text = "\xB9\xD9\xB7\xBD\xC2\xDB\xCC\xB3",  // 官方论坛
     .font = TextButtonFont, .wordWrap = true, .takesFocus = true},
    {.name = 按钮6, .kind = ControlKind::Button, .parent = MAIN_WINDOW, .left = 42, .top = 454, .width = 153, .height = 88, .stackFromTop = 0,
     .text = "\xB8\xFC\xB6\xE0\xB8\xA8\xD6\xFA\xB9\xA4\xBE\xDF",  // 更多辅助工具
     .font = TextButtonFont, .wordWrap = true, .takesFocus = true},
};

// Columns: control, event, handler.
constexpr EventBinding MainWindowBindings[] = {
    {MAIN_WINDOW, Event::Created, OnWindowCreated},
    {按钮1, Event::Clicked, OnLookupClicked},
    {按钮2, Event::Clicked, OnPreviousFloorClicked},
    {按钮3, Event::Clicked, OnNextFloorClicked},
    {按钮4, Event::Clicked, OnGuideClicked},
    {按钮5, Event::Clicked, OnForumClicked},
    {按钮6, Event::Clicked, OnMoreToolsClicked},
    {编辑框1, Event::TextChanged, OnFloorTextChanged},
};

constexpr WindowDescription Windows[] = {
    {.name = MAIN_WINDOW,
     .title = "KestruneV2.0  By\xA3\xBA" KESTRUNE_SITE_ADDRESS,  // KestruneV2.0  By：
     .width = 540, .height = 624, .icon = "DEFAULT_ICON",
     .controls = MainWindowControls, .bindings = MainWindowBindings},
};

}  // namespace

std::span<const WindowDescription> ProgramWindowDescriptions() { return Windows; }
