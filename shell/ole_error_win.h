#pragma once
// Messages for failed COM calls, as the general error report shows them.

#include <windows.h>

#include <string>

namespace sumbrook::shell {

// Drops trailing control characters, blanks and full stops, so that the error report can
// add its own full stop.
std::string TrimSystemMessage(std::string text);

// The system's text for a result code (at most 256 bytes of it, trimmed), in UTF-8; when
// the system has none, "OLE error " and the code as 8 hexadecimal digits.
std::string OleSysErrorMessage(HRESULT result);

// Throws EOleSysError carrying the result code and its message.
[[noreturn]] void ThrowOleSysError(HRESULT result);

} // namespace sumbrook::shell
