// The system's voice through SAPI, as the program uses it: wherever SAPI has no Chinese
// voice or fails (wine), it reports so and refuses to speak, and never takes the program
// down; where there is one, it speaks asynchronously.
#include "shell/com_apartment.h"
#include "shell/speaker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

using sumbrook::shell::Speaker;

TEST(SapiSpeaker, OpensSaysAndClosesWhateverTheSystemHas) {
    sumbrook::shell::ComApartment com;
    const auto speaker = sumbrook::shell::makeSystemSpeaker();
    EXPECT_FALSE(speaker->say("第1题 1 加 1 等于", Speaker::Mode::Interrupt)); // not open yet
    const Speaker::Voice voice = speaker->open();
    EXPECT_EQ(speaker->open(), voice); // a second open reports the same
    const bool mandarin = voice == Speaker::Voice::Mandarin;
    std::printf("SAPI: %s, voice \"%s\"\n",
                mandarin ? "a Chinese voice"
                         : (voice == Speaker::Voice::Missing ? "no Chinese voice" : "no speech"),
                speaker->voiceName().c_str());
    EXPECT_EQ(!speaker->voiceName().empty(), mandarin);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(speaker->say("真聪明! 答对了! 第2题 16 加 15 加 9 等于", Speaker::Mode::Interrupt),
              mandarin);
    EXPECT_EQ(speaker->say("已经做了2道题了,休息吧.", Speaker::Mode::After), mandarin);
    // Asynchronous: handing a sentence over never waits for it to be spoken.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(500));
    speaker->close();
    speaker->close();
    EXPECT_FALSE(speaker->say("正确答案 4", Speaker::Mode::Interrupt));
    EXPECT_TRUE(speaker->voiceName().empty());
}

TEST(SapiSpeaker, WithoutComReportsNoSpeech) {
    std::thread([] {
        const auto speaker = sumbrook::shell::makeSystemSpeaker();
        EXPECT_EQ(speaker->open(), Speaker::Voice::NoSpeech);
        EXPECT_FALSE(speaker->say("第1题", Speaker::Mode::Interrupt));
    }).join();
}
