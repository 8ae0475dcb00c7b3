#pragma once
// Conversions between the program's texts (UTF-8) and what the system's "A" calls take
// and give (the ANSI code page) or its "W" calls (UTF-16).
//
// The conversion happens at this boundary and nowhere else: the desktop hands the
// shortcut job UTF-8 paths, and the shell-link object turns them back into ANSI for its
// setters. The shortcut job therefore scans UTF-8, where no byte of a multi-byte
// character can be taken for '\' or '.', and passes no lead-byte predicate; one that
// worked on the ANSI bytes themselves would have to pass IsDBCSLeadByte instead.

#include <optional>
#include <string>
#include <string_view>

namespace sumbrook::shell {

// Text from an "A" call, in the ANSI code page, as UTF-8.
std::string AnsiToUtf8(std::string_view ansi);

// Text from a "W" call, in UTF-16, as UTF-8.
std::string WideToUtf8(std::wstring_view wide);

// UTF-8 text for an "A" call. Throws Exception, naming `what`, when the text is not valid
// UTF-8, holds a NUL (the call would see only the part before it) or holds a character
// the ANSI code page cannot represent (the call would see a '?' in its place).
std::string Utf8ToAnsi(std::string_view utf8, std::string_view what);

// The same, but nullopt instead of the refusal when the ANSI code page cannot represent
// the text: the caller then takes the "W" call. Broken UTF-8 and a NUL are still refused.
std::optional<std::string> Utf8ToAnsiIfRepresentable(std::string_view utf8, std::string_view what);

// UTF-8 text for a "W" call; the same refusals, bar the code page.
std::wstring Utf8ToWide(std::string_view utf8, std::string_view what);

} // namespace sumbrook::shell
