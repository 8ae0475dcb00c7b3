// Read-aloud on Linux through speech-dispatcher's own client library: one connection,
// opened on the first open() (never at start-up), in single mode (no thread of its own).
#include "shell/speaker.h"
#include "shell/speaker_voice.h"

#include <libspeechd.h>

#include <cstdlib>
#include <vector>

namespace sumbrook::shell {
namespace {

class SpeechDispatcherSpeaker final : public Speaker {
public:
    ~SpeechDispatcherSpeaker() override { close(); }

    Voice open() override {
        if (m_connection != nullptr)
            return m_voice;
        char* error = nullptr;
        // autospawn: a desktop session starts speech-dispatcher on its first client.
        m_connection =
            spd_open2("sumbrook", "read-aloud", nullptr, SPD_MODE_SINGLE, nullptr, 1, &error);
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
            spd_cancel(m_connection);
        if (spd_say(m_connection, SPD_MESSAGE, text.c_str()) >= 0)
            return true;
        // The service went away (it ends itself when idle in some set-ups): reconnect once.
        close();
        if (open() != Voice::Mandarin)
            return false;
        return spd_say(m_connection, SPD_MESSAGE, text.c_str()) >= 0;
    }

    void close() override {
        if (m_connection == nullptr)
            return;
        spd_cancel(m_connection);
        spd_close(m_connection);
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
        if (SPDVoice** listed = spd_list_synthesis_voices(m_connection)) {
            for (SPDVoice** v = listed; *v != nullptr; ++v)
                voices.push_back({(*v)->name ? (*v)->name : "",
                                  (*v)->language ? (*v)->language : "",
                                  (*v)->variant ? (*v)->variant : ""});
            free_spd_voices(listed);
        }
        const int chosen = chooseMandarinVoice(voices);
        if (chosen < 0)
            return Voice::Missing;
        const VoiceInfo& voice = voices[static_cast<std::size_t>(chosen)];
        // The language first: setting it picks that language's default voice, which the
        // named voice then replaces.
        spd_set_language(m_connection, voice.language.c_str());
        spd_set_synthesis_voice(m_connection, voice.name.c_str());
        m_voiceName = voice.name;
        return Voice::Mandarin;
    }

    SPDConnection* m_connection = nullptr;
    Voice m_voice = Voice::NoSpeech;
    std::string m_voiceName;
};

} // namespace

std::unique_ptr<Speaker> makeSystemSpeaker() {
    return std::make_unique<SpeechDispatcherSpeaker>();
}

} // namespace sumbrook::shell
