// Read-aloud on Linux through speech-dispatcher's own client library, which keeps its
// knowledge of where the service listens and how to start it. The library is loaded on
// the first open(), never at start-up: a family that never switches read-aloud on loads
// nothing and connects to nothing. One connection, in single mode (no thread of its own).
#include "shell/speaker.h"
#include "shell/speaker_voice.h"

#include <libspeechd.h>

#include <dlfcn.h>

#include <cstdlib>
#include <type_traits>
#include <vector>

namespace sumbrook::shell {
namespace {

// The library's calls the speaker makes, looked up once.
struct SpeechLibrary {
    decltype(&spd_open2) open2 = nullptr;
    decltype(&spd_close) close = nullptr;
    decltype(&spd_say) say = nullptr;
    decltype(&spd_cancel) cancel = nullptr;
    decltype(&spd_set_language) setLanguage = nullptr;
    decltype(&spd_set_synthesis_voice) setVoice = nullptr;
    decltype(&spd_list_synthesis_voices) listVoices = nullptr;
    decltype(&free_spd_voices) freeVoices = nullptr;

    // nullptr when the library (package libspeechd2) is not installed.
    static const SpeechLibrary* load() {
        static const SpeechLibrary* const loaded = []() -> const SpeechLibrary* {
            void* handle = dlopen("libspeechd.so.2", RTLD_NOW | RTLD_LOCAL);
            if (handle == nullptr)
                return nullptr;
            static SpeechLibrary library;
            const auto find = [handle](auto& function, const char* name) {
                function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                    dlsym(handle, name));
                return function != nullptr;
            };
            if (find(library.open2, "spd_open2") && find(library.close, "spd_close") &&
                find(library.say, "spd_say") && find(library.cancel, "spd_cancel") &&
                find(library.setLanguage, "spd_set_language") &&
                find(library.setVoice, "spd_set_synthesis_voice") &&
                find(library.listVoices, "spd_list_synthesis_voices") &&
                find(library.freeVoices, "free_spd_voices"))
                return &library;
            return nullptr;
        }();
        return loaded;
    }
};

class SpeechDispatcherSpeaker final : public Speaker {
public:
    ~SpeechDispatcherSpeaker() override { close(); }

    Voice open() override {
        if (m_connection != nullptr)
            return m_voice;
        m_spd = SpeechLibrary::load();
        if (m_spd == nullptr)
            return Voice::NoSpeech;
        char* error = nullptr;
        // autospawn: a desktop session starts speech-dispatcher on its first client.
        m_connection =
            m_spd->open2("sumbrook", "read-aloud", nullptr, SPD_MODE_SINGLE, nullptr, 1, &error);
        std::free(error);
        if (m_connection == nullptr)
            return Voice::NoSpeech;
        m_voice = chooseVoice();
        return m_voice;
    }

    bool say(const std::string& text, Mode mode) override {
        if (m_connection == nullptr || m_voice != Voice::Mandarin)
            return false;
        // Priority "message": a later message waits for the one being spoken (a "text"
        // would cut it short); cancelling first makes it interrupt instead.
        if (mode == Mode::Interrupt)
            m_spd->cancel(m_connection);
        if (m_spd->say(m_connection, SPD_MESSAGE, text.c_str()) >= 0)
            return true;
        // The service went away (it ends itself when idle in some set-ups): reconnect once.
        close();
        if (open() != Voice::Mandarin)
            return false;
        return m_spd->say(m_connection, SPD_MESSAGE, text.c_str()) >= 0;
    }

    void close() override {
        if (m_connection == nullptr)
            return;
        m_spd->cancel(m_connection);
        m_spd->close(m_connection);
        m_connection = nullptr;
        m_voice = Voice::NoSpeech;
    }

    std::string voiceName() const override { return m_voiceName; }

    std::string installHint() const override {
        return "在终端里运行：sudo apt install speech-dispatcher-espeak-ng\r"
               "然后关掉再打开“朗读”。";
    }

private:
    Voice chooseVoice() {
        std::vector<VoiceInfo> voices;
        if (SPDVoice** listed = m_spd->listVoices(m_connection)) {
            for (SPDVoice** v = listed; *v != nullptr; ++v)
                voices.push_back({(*v)->name ? (*v)->name : "",
                                  (*v)->language ? (*v)->language : "",
                                  (*v)->variant ? (*v)->variant : ""});
            m_spd->freeVoices(listed);
        }
        const int chosen = chooseMandarinVoice(voices);
        if (chosen < 0)
            return Voice::Missing;
        const VoiceInfo& voice = voices[static_cast<std::size_t>(chosen)];
        // The language first: setting it picks that language's default voice, which the
        // named voice then replaces.
        m_spd->setLanguage(m_connection, voice.language.c_str());
        m_spd->setVoice(m_connection, voice.name.c_str());
        m_voiceName = voice.name;
        return Voice::Mandarin;
    }

    const SpeechLibrary* m_spd = nullptr;
    SPDConnection* m_connection = nullptr;
    Voice m_voice = Voice::NoSpeech;
    std::string m_voiceName;
};

} // namespace

std::unique_ptr<Speaker> makeSystemSpeaker() {
    return std::make_unique<SpeechDispatcherSpeaker>();
}

} // namespace sumbrook::shell
