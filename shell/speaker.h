#pragma once
// Read-aloud: the system's own voice speaking short Mandarin texts. Nothing is connected
// or loaded until open() is called, so a program that never reads aloud pays nothing.
// Texts are UTF-8.

#include <memory>
#include <string>

namespace sumbrook::shell {

class Speaker {
public:
    enum class Voice {
        Mandarin, // connected, a Mandarin voice chosen: say() speaks
        Missing,  // connected, but the system has no Mandarin voice
        NoSpeech, // the system's speech could not be reached
    };
    enum class Mode {
        Interrupt, // silence whatever is being said first
        After,     // speak once what is being said has been said
    };

    virtual ~Speaker() = default;
    // Connects to the system's speech and chooses a Mandarin voice by its language; once
    // connected, calling it again only reports what was found.
    virtual Voice open() = 0;
    // Hands a text to the voice without waiting for it to be spoken; false when the speech
    // is not open or refused it.
    virtual bool say(const std::string& text, Mode mode) = 0;
    // Silences the voice at once and lets go of the system's speech.
    virtual void close() = 0;
    // The chosen voice's name as the system gives it (empty until one is chosen).
    virtual std::string voiceName() const = 0;
    // What a parent installs to get a Mandarin voice on this system.
    virtual std::string installHint() const = 0;
};

std::unique_ptr<Speaker> makeSystemSpeaker();

} // namespace sumbrook::shell
