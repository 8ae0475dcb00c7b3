// Messages for failed COM calls: the system's text, trimmed, or "OLE error" and the code.
#include "engine/exceptions.h"
#include "shell/ole_error_win.h"
#include "tests/windows/windows_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using sumbrook::EOleSysError;
using sumbrook::shell::OleSysErrorMessage;
using sumbrook::shell::ThrowOleSysError;
using sumbrook::shell::TrimSystemMessage;
using sumbrook::testing::toUtf8;

TEST(OleError, TrimDropsTrailingBlanksControlsAndFullStops) {
    EXPECT_EQ(TrimSystemMessage("Access denied.\r\n"), "Access denied");
    EXPECT_EQ(TrimSystemMessage("Class not registered. . \t.\r\n"), "Class not registered");
    EXPECT_EQ(TrimSystemMessage(std::string("text\0\x1F ", 7)), "text");
    EXPECT_EQ(TrimSystemMessage("...\r\n"), "");
    EXPECT_EQ(TrimSystemMessage(""), "");
    // Only the end: inner line breaks and stops stay, and so does what sorts after '.'.
    EXPECT_EQ(TrimSystemMessage("One.\r\nTwo.\r\n"), "One.\r\nTwo");
    EXPECT_EQ(TrimSystemMessage("(see above.)"), "(see above.)");
    EXPECT_EQ(TrimSystemMessage("v1.0!"), "v1.0!");
    EXPECT_EQ(TrimSystemMessage("拒绝访问。\r\n"), "拒绝访问。");
    EXPECT_EQ(TrimSystemMessage("x-"), "x-") << "only '.' among the punctuation goes";
    EXPECT_EQ(TrimSystemMessage("!"), "!");
}

TEST(OleError, CodesWithoutSystemTextNameTheCodeInEightHexDigits) {
    // Codes with the customer bit set belong to no system component.
    EXPECT_EQ(OleSysErrorMessage(static_cast<HRESULT>(0xA0041234u)), "OLE error a0041234");
    EXPECT_EQ(OleSysErrorMessage(static_cast<HRESULT>(0xE00000ABu)), "OLE error e00000ab");
    EXPECT_EQ(OleSysErrorMessage(static_cast<HRESULT>(0x2000000Fu)), "OLE error 2000000f");
}

TEST(OleError, CodesWithSystemTextUseItTrimmed) {
    // The system's own text, read through the Unicode call for comparison.
    wchar_t raw[256];
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(E_ACCESSDENIED), 0, raw, 256, nullptr);
    ASSERT_GT(length, 0u) << "the system has no text for E_ACCESSDENIED";
    const std::string full = toUtf8(std::wstring(raw, length));

    const std::string message = OleSysErrorMessage(E_ACCESSDENIED);
    ASSERT_FALSE(message.empty());
    EXPECT_EQ(message.rfind("OLE error", 0), std::string::npos) << message;
    const auto last = static_cast<unsigned char>(message.back());
    EXPECT_TRUE(last > 0x20 && last != '.') << "untrimmed: " << message;
    // Only the end is cut: the system's text starts with what is left, and what was cut
    // is blanks, controls and full stops.
    ASSERT_EQ(full.rfind(message, 0), 0u) << message << " / " << full;
    for (const char c : full.substr(message.size())) {
        EXPECT_TRUE(static_cast<unsigned char>(c) < 0x21 || c == '.') << full;
    }
}

TEST(OleError, ThrownErrorCarriesCodeAndMessage) {
    const auto code = static_cast<HRESULT>(0xA0040001u);
    try {
        ThrowOleSysError(code);
        FAIL() << "nothing thrown";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.errorCode(), static_cast<std::int32_t>(0xA0040001u));
        EXPECT_EQ(e.message(), "OLE error a0040001");
    }
}

} // namespace
