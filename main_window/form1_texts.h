#pragma once
// Every fixed text of the main window, in one place. '\r' is a line break.

namespace sumbrook::form1_texts {

inline constexpr char kCaption[] = "Sumbrook";
inline constexpr char kYaHei[] = "微软雅黑";
inline constexpr char kDefaultFace[] = "MS Sans Serif";

inline constexpr char kGrp4[] = "请计算";
inline constexpr char kGrp9[] = "竖式";
inline constexpr char kColumnDesign[] = "200";
inline constexpr char kSignDesign[] = "＋";
inline constexpr char kFeedbackStart[] = "提示：";
inline constexpr char kLogStart[] = "mmo1";
inline constexpr char kGrp6[] = "取值范围";
inline constexpr char kEdt2Label[] = "运算最大值    ";
inline constexpr char kEdt2Start[] = "20";
inline constexpr char kLbledt1Label[] = "每次最多出    ";
inline constexpr char kLbledt1Start[] = "25";
inline constexpr char kGrp7[] = "运算选择";
inline constexpr char kAdd[] = "加法";
inline constexpr char kSubtract[] = "减法";
inline constexpr char kMultiply[] = "乘法";
inline constexpr char kDivide[] = "除法";
inline constexpr char kRg2[] = "参与运算个数";
inline constexpr char kTwoNumbers[] = "两个数运算";
inline constexpr char kThreeNumbers[] = "三个数运算";
inline constexpr char kGrp5[] = "帮助";
inline constexpr char kLbl7Design[] = " ";
inline constexpr char kBtn1[] = "下一题(&N)";

inline constexpr char kMenuSystem[] = "系统(&S)";
inline constexpr char kMenuShortcut[] = "创建桌面快捷方式(&L)";
inline constexpr char kMenuAbout[] = "关于(&A)";
inline constexpr char kShortcutDone[] = "创建桌面快捷方式完成！";

inline constexpr char kHelpText[] = "Sumbrook\r"
                                    "快捷键列表：\r"
                                    "　　回车键：判断对错\r"
                                    "空格或Ｎ键：下一题\r"
                                    "　　Ｚ　键：显示正确答案\r"
                                    "愿和天下含辛茹苦的父母们分享";

inline constexpr char kCannotFocus[] = "Cannot focus a disabled or invisible window";

// Accessible names for controls whose text alone does not say what they are.
inline constexpr char kAnswerBoxName[] = "答案";

} // namespace sumbrook::form1_texts
