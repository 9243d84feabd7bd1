// The main window: its name and the names of its controls, as the window description uses them.
#pragma once

inline constexpr char MAIN_WINDOW[] = "主窗口";
inline constexpr char 图片框1[] = "图片框1";
inline constexpr char 图片框2[] = "图片框2";
inline constexpr char 按钮1[] = "按钮1";
inline constexpr char 按钮2[] = "按钮2";
inline constexpr char 按钮3[] = "按钮3";
inline constexpr char 按钮4[] = "按钮4";
inline constexpr char 按钮5[] = "按钮5";
inline constexpr char 按钮6[] = "按钮6";
inline constexpr char 编辑框1[] = "编辑框1";
inline constexpr char 透明标签1[] = "透明标签1";
inline constexpr char 透明标签2[] = "透明标签2";
inline constexpr char 透明标签3[] = "透明标签3";
inline constexpr char 透明标签4[] = "透明标签4";
inline constexpr char 透明标签5[] = "透明标签5";
