#pragma once
// Every text the engine writes or says, in one place. UTF-8; '\r' is a line break.

namespace sumbrook::texts {

// The equation line while a problem is being set (it takes 200 ms or more).
inline constexpr char kWaiting[] = "稍等，出题中... ...";

// The feedback panel: the praise, the prompt to think again, and the answer on Ctrl+Z
// (followed by the number).
inline constexpr char kCorrect[] = "真聪明!\r答对了!";
inline constexpr char kWrong[] = "再想想!\r答错了!";
inline constexpr char kAnswer[] = "正确答案\r";

// The score panel: at start "正确个数:" over "错误个数:"; after a judgement the second
// line reads "错误次数:" (wrong attempts) with the numbers after the colons.
inline constexpr char kScoreStart[] = "正确个数:\r错误个数:";
inline constexpr char kScoreCorrect[] = "正确个数:";
inline constexpr char kScoreWrong[] = "\r错误次数:";

// The limit reached: kRestBefore + the limit + kRestAfter.
inline constexpr char kRestBefore[] = "已经做了";
inline constexpr char kRestAfter[] = "道题了,休息吧.";

// The question header, kHeaderBefore + the problem's number + kHeaderAfter, and the same
// number as a listener hears it, without the colons a screen reader would pronounce.
inline constexpr char kHeaderBefore[] = "请计算:第";
inline constexpr char kHeaderAfter[] = "题:";
inline constexpr char kSpokenBefore[] = "第";
inline constexpr char kSpokenAfter[] = "题 ";

// Full-width operator signs and the equals sign of the equation line and the column.
inline constexpr char kPlus[] = "＋";
inline constexpr char kMinus[] = "－";
inline constexpr char kEquals[] = "＝";

// The diagnostic log's three lines per problem: the operands (v0 … v2) and the operator
// codes, "tibz" the first and "tijbz2" the second (1 plus, 2 minus, 0 none drawn).
inline constexpr char kLogOperand1[] = "v0:";
inline constexpr char kLogOperand2[] = "v1:";
inline constexpr char kLogOperand3[] = "v2:";
inline constexpr char kLogFirstOperator[] = " tibz:";
inline constexpr char kLogSecondOperator[] = " tijbz2:";

} // namespace sumbrook::texts
