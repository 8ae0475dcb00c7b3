// Read-aloud on Windows through the system's speech object (SAPI), created on the first
// open() on the GUI thread, whose COM apartment main() keeps.
#include "shell/speaker.h"

#include "shell/ansi_text_win.h"

#include <windows.h>
// After windows.h, which they rely on.
#include <objbase.h>
#include <sapi.h>

namespace sumbrook::shell {
namespace {

// The voices' token category; sapi.h leaves its name to a helper header.
constexpr wchar_t kVoicesCategory[] = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices";
// The tokens' Language attribute is the hexadecimal language id: 804 is Chinese (PRC).
constexpr wchar_t kMandarin[] = L"Language=804";

template <class Interface> void release(Interface*& object) {
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

class SapiSpeaker final : public Speaker {
public:
    ~SapiSpeaker() override { close(); }

    Voice open() override {
        if (m_voice != nullptr)
            return m_found;
        if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice,
                                    reinterpret_cast<void**>(&m_voice))) ||
            m_voice == nullptr) {
            m_voice = nullptr;
            return Voice::NoSpeech;
        }
        m_found = chooseVoice() ? Voice::Mandarin : Voice::Missing;
        return m_found;
    }

    bool say(const std::string& text, Mode mode) override {
        if (m_voice == nullptr || m_found != Voice::Mandarin)
            return false;
        std::wstring wide;
        try {
            wide = Utf8ToWide(text, "read-aloud text");
        } catch (...) {
            return false;
        }
        DWORD flags = SPF_ASYNC | SPF_IS_NOT_XML;
        if (mode == Mode::Interrupt)
            flags |= SPF_PURGEBEFORESPEAK;
        return SUCCEEDED(m_voice->Speak(wide.c_str(), flags, nullptr));
    }

    void close() override {
        if (m_voice == nullptr)
            return;
        m_voice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
        release(m_voice);
        m_found = Voice::NoSpeech;
        m_voiceName.clear();
    }

    std::string voiceName() const override { return m_voiceName; }

    std::string installHint() const override {
        return "打开“设置 › 时间和语言 › 语音”，在“管理语音”里添加“中文(简体)”的语音，"
               "然后关掉再打开“朗读”。";
    }

private:
    // The first voice whose token says Chinese; false when there is none or it cannot be
    // used (the default voice would read Chinese characters as nothing or as codes).
    bool chooseVoice() {
        ISpObjectTokenCategory* category = nullptr;
        IEnumSpObjectTokens* tokens = nullptr;
        ISpObjectToken* token = nullptr;
        bool chosen = false;
        if (SUCCEEDED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL,
                                       IID_ISpObjectTokenCategory,
                                       reinterpret_cast<void**>(&category))) &&
            category != nullptr && SUCCEEDED(category->SetId(kVoicesCategory, FALSE)) &&
            SUCCEEDED(category->EnumTokens(kMandarin, nullptr, &tokens)) && tokens != nullptr &&
            tokens->Next(1, &token, nullptr) == S_OK && token != nullptr &&
            SUCCEEDED(m_voice->SetVoice(token))) {
            chosen = true;
            wchar_t* name = nullptr;
            if (SUCCEEDED(token->GetStringValue(nullptr, &name)) && name != nullptr) {
                const int size =
                    WideCharToMultiByte(CP_UTF8, 0, name, -1, nullptr, 0, nullptr, nullptr);
                if (size > 1) {
                    m_voiceName.assign(static_cast<std::size_t>(size - 1), '\0');
                    WideCharToMultiByte(CP_UTF8, 0, name, -1, m_voiceName.data(), size, nullptr,
                                        nullptr);
                }
                CoTaskMemFree(name);
            }
        }
        release(token);
        release(tokens);
        release(category);
        return chosen;
    }

    ISpVoice* m_voice = nullptr;
    Voice m_found = Voice::NoSpeech;
    std::string m_voiceName;
};

} // namespace

std::unique_ptr<Speaker> makeSystemSpeaker() {
    return std::make_unique<SapiSpeaker>();
}

} // namespace sumbrook::shell
