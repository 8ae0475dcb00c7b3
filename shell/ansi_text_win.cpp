#include "shell/ansi_text_win.h"

#include "engine/exceptions.h"

#include <windows.h>

#include <climits>
#include <utility>

namespace sumbrook::shell {
namespace {

[[noreturn]] void refuse(std::string_view what, const char* why) {
    throw Exception(std::string(what) + why);
}

int checkedLength(std::size_t size, std::string_view what) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        refuse(what, "太长");
    }
    return static_cast<int>(size);
}

std::wstring wideFrom(UINT codePage, DWORD flags, std::string_view text, std::string_view what) {
    if (text.empty()) {
        return {};
    }
    const int length = checkedLength(text.size(), what);
    const int needed = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        refuse(what, "不是有效的文本");
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), needed);
    return wide;
}

} // namespace

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = checkedLength(wide.size(), "系统返回的文本");
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), needed, nullptr, nullptr);
    return utf8;
}

std::string AnsiToUtf8(std::string_view ansi) {
    return WideToUtf8(wideFrom(CP_ACP, 0, ansi, "系统返回的文本"));
}

std::wstring Utf8ToWide(std::string_view utf8, std::string_view what) {
    if (utf8.find('\0') != std::string_view::npos) {
        refuse(what, "含有空字符");
    }
    return wideFrom(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, what);
}

std::optional<std::string> Utf8ToAnsiIfRepresentable(std::string_view utf8, std::string_view what) {
    const std::wstring wide = Utf8ToWide(utf8, what);
    if (wide.empty()) {
        return std::string();
    }
    if (GetACP() == CP_UTF8) {
        // A system set to UTF-8 takes the text as it is; the check above validated it.
        return std::string(utf8);
    }
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length,
                                           nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string ansi(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, ansi.data(), needed,
                        nullptr, nullptr);
    return ansi;
}

std::string Utf8ToAnsi(std::string_view utf8, std::string_view what) {
    std::optional<std::string> ansi = Utf8ToAnsiIfRepresentable(utf8, what);
    if (!ansi) {
        refuse(what, "含有系统代码页无法表示的字符");
    }
    return std::move(*ansi);
}

} // namespace sumbrook::shell
