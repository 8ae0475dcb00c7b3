#pragma once
// Every fixed text of the main window, in one place. '\r' is a line break.

namespace sumbrook::form1_texts {

inline constexpr char kCaption[] = "Sumbrook";

// Faces: the window's default (8 pt, 11 px) and the large texts'; where a face is missing
// (the About window's "Tahoma" too), the CJK face draws it.
inline constexpr char kDefaultFace[] = "MS Sans Serif";
inline constexpr int kDefaultPixels = 11;
inline constexpr char kYaHei[] = "微软雅黑";
inline constexpr char kCjkFace[] = "WenQuanYi Micro Hei";

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
inline constexpr char kMenuReadAloud[] = "朗读题目和对错(&R)";
inline constexpr char kMenuAbout[] = "关于(&A)";
inline constexpr char kShortcutDone[] = "创建桌面快捷方式完成！";

inline constexpr char kHelpText[] = "Sumbrook\r"
                                    "快捷键列表：\r"
                                    "　　回车键：判断对错\r"
                                    "空格或Ｎ键：下一题\r"
                                    "　　Ｚ　键：显示正确答案\r"
                                    "愿和天下含辛茹苦的父母们分享";

// Read-aloud: the sentence said when it is switched on, and what a parent is told when
// there is no voice to read with (the system's advice follows on the next line).
inline constexpr char kReadAloudOn[] = "朗读已打开";
inline constexpr char kNoMandarinVoice[] = "找不到说普通话的声音，题目和对错读不出来。";
inline constexpr char kNoSpeech[] = "连接不上系统的语音服务，题目和对错读不出来。";

inline constexpr char kCannotFocus[] = "Cannot focus a disabled or invisible window";

// What a screen reader says of the controls: names where the text on screen does not say
// what a control is, and descriptions of what to do with it.
inline constexpr char kAnswerBoxName[] = "答案";
inline constexpr char kAnswerBoxDescription[] = "输入算式的得数，按回车键判断对错";
inline constexpr char kEdt2Description[] = "出题用到的最大的数";
inline constexpr char kLbledt1Description[] = "答对这么多道题后休息";
inline constexpr char kAddDescription[] = "出加法题";
inline constexpr char kSubtractDescription[] = "出减法题";
inline constexpr char kTwoNumbersDescription[] = "每道题两个数";
inline constexpr char kThreeNumbersDescription[] = "每道题三个数";
inline constexpr char kBtn1Name[] = "下一题";
inline constexpr char kBtn1Description[] = "判断答案，再出下一题";
inline constexpr char kLogName[] = "诊断记录";
inline constexpr char kLogDescription[] = "每道题的数和运算符";

} // namespace sumbrook::form1_texts
