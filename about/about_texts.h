#pragma once
// Every fixed text of the About window, in one place (UTF-8, as the main window's texts in
// main_window/form1_texts.h).

namespace sumbrook::about_texts {

inline constexpr char kCaption[] = "Lexfield";
inline constexpr char kPictureName[] = "Sumbrook 图片"; // what a screen reader calls the picture
inline constexpr char kLinkCaption[] = "zivev查看软件更新";
// The program's page on the download site, where the link looks for updates.
inline constexpr char kUpdatePageUrl[] = "https://zivev.example/sumbrook/";

// Face names. Where one is missing, a CJK face stands in for it (the main window installs
// the substitutes at start-up).
inline constexpr char kDefaultFace[] = "MS Sans Serif";
inline constexpr char kYaHei[] = "微软雅黑";
inline constexpr char kTahoma[] = "Tahoma";

} // namespace sumbrook::about_texts
