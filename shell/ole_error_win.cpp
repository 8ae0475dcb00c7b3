#include "shell/ole_error_win.h"

#include "engine/exceptions.h"
#include "shell/ansi_text_win.h"

#include <cstdio>

namespace sumbrook::shell {

std::string TrimSystemMessage(std::string text) {
    while (!text.empty()) {
        const auto last = static_cast<unsigned char>(text.back());
        if (last >= 0x21 && last != '.') {
            break;
        }
        text.pop_back();
    }
    return text;
}

std::string OleSysErrorMessage(HRESULT result) {
    char buffer[256];
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(result), 0, buffer, sizeof buffer, nullptr);
    std::string message;
    if (length > 0 && length < sizeof buffer) {
        message = TrimSystemMessage(AnsiToUtf8(std::string_view(buffer, length)));
    }
    if (message.empty()) {
        char fallback[32];
        std::snprintf(fallback, sizeof fallback, "OLE error %.8lx",
                      static_cast<unsigned long>(static_cast<DWORD>(result)));
        message = fallback;
    }
    return message;
}

void ThrowOleSysError(HRESULT result) {
    throw EOleSysError(OleSysErrorMessage(result), static_cast<std::int32_t>(result));
}

} // namespace sumbrook::shell
