// The UTF-8 <-> ANSI boundary: what the "A" calls are given and what comes back from them.
#include "engine/exceptions.h"
#include "shell/ansi_text_win.h"
#include "tests/windows/windows_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using sumbrook::Exception;
using sumbrook::shell::AnsiToUtf8;
using sumbrook::shell::Utf8ToAnsi;
using sumbrook::shell::Utf8ToWide;

TEST(AnsiText, ChineseTextTravelsInCodePage936) {
    SUMBROOK_REQUIRE_CODE_PAGE_936();
    // 练习 is C1 B7 CF B0 in GBK; 乗 is 81 5C, whose second byte is the code of '\'.
    EXPECT_EQ(Utf8ToAnsi("C:\\练习\\乗", "path"), "C:\\\xC1\xB7\xCF\xB0\\\x81\x5C");
    EXPECT_EQ(AnsiToUtf8("C:\\\xC1\xB7\xCF\xB0\\\x81\x5C"), "C:\\练习\\乗");
    EXPECT_EQ(Utf8ToAnsi("Sumbrook", "description"), "Sumbrook");
    EXPECT_EQ(Utf8ToAnsi("", "arguments"), "");
    EXPECT_EQ(AnsiToUtf8(""), "");
}

TEST(AnsiText, RefusesWhatTheCodePageWouldTurnIntoQuestionMarks) {
    SUMBROOK_REQUIRE_CODE_PAGE_936();
    // Thai has no place in code page 936; an "A" call would see "C:\?".
    try {
        Utf8ToAnsi("C:\\ก", "快捷方式的目标");
        FAIL() << "no error for a character outside the code page";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), "快捷方式的目标含有系统代码页无法表示的字符");
    }
}

TEST(AnsiText, RefusesBrokenUtf8AndEmbeddedNul) {
    EXPECT_THROW(Utf8ToAnsi("C:\\\xFF", "path"), Exception);
    EXPECT_THROW(Utf8ToAnsi("C:\\\xE7\xBB", "path"), Exception) << "a cut-off character";
    EXPECT_THROW(Utf8ToAnsi(std::string("C:\\a\0b", 6), "path"), Exception);
    EXPECT_THROW(Utf8ToWide(std::string("C:\\a\0b.lnk", 10), "path"), Exception);
    EXPECT_THROW(Utf8ToWide("\xC0\xAF", "path"), Exception) << "an overlong '/'";
}

TEST(AnsiText, WideTextForTheUnicodeCalls) {
    EXPECT_EQ(Utf8ToWide("C:\\练习\\Sumbrook.lnk", "path"), L"C:\\练习\\Sumbrook.lnk");
    EXPECT_EQ(Utf8ToWide("😀", "path"), L"\xD83D\xDE00");
    EXPECT_EQ(Utf8ToWide("", "path"), L"");
}

} // namespace
