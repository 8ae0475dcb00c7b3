// Choosing the Mandarin voice among what a speech system lists.
#include "shell/speaker_voice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using sumbrook::shell::chooseMandarinVoice;
using sumbrook::shell::VoiceInfo;

namespace {

struct Choice {
    const char* name;
    std::vector<VoiceInfo> voices;
    int chosen;
};

class MandarinVoice : public ::testing::TestWithParam<Choice> {};

TEST_P(MandarinVoice, IsChosenByLanguage) {
    EXPECT_EQ(chooseMandarinVoice(GetParam().voices), GetParam().chosen);
}

// espeak-ng's list as speech-dispatcher gives it (names are not looked at).
const VoiceInfo kEnglish{"English (Great Britain)", "en-GB", "none"};
const VoiceInfo kCantonese{"Chinese (Cantonese)", "yue", "none"};
const VoiceInfo kHakka{"Hakka Chinese", "hak", "none"};
const VoiceInfo kMandarinEnglishLatin{"Chinese (Mandarin, latin as English)", "cmn", "none"};
const VoiceInfo kMandarinVariant{"Chinese (Mandarin, latin as English)+Adam", "cmn", "Adam"};
const VoiceInfo kPinyin{"Chinese (Mandarin, latin as Pinyin)", "cmn-LATN-PINYIN", "none"};
const VoiceInfo kPinyinVariant{"Chinese (Mandarin, latin as Pinyin)+Annie", "cmn-latn-pinyin",
                               "Annie"};

INSTANTIATE_TEST_SUITE_P(
    Lists, MandarinVoice,
    ::testing::Values(
        Choice{"espeak_ng",
               {kEnglish, kMandarinVariant, kMandarinEnglishLatin, kCantonese, kPinyin},
               4},
        Choice{"pinyin_own_voice_before_its_variant", {kPinyinVariant, kPinyin}, 1},
        Choice{"pinyin_variant_before_other_mandarin", {kMandarinEnglishLatin, kPinyinVariant}, 1},
        Choice{"cmn_before_zh", {{"a", "zh", ""}, kMandarinEnglishLatin}, 1},
        Choice{"zh_cn_with_a_variant", {kEnglish, {"b", "zh-CN", "MALE1"}}, 1},
        Choice{"first_of_equals", {{"c", "zh", ""}, {"d", "zh", ""}}, 0},
        Choice{"not_cantonese_or_hakka",
               {kCantonese, kHakka, {"e", "zh-yue", ""}, {"f", "zh_HK", ""}, {"g", "zhx", ""}},
               -1},
        Choice{"none", {kEnglish}, -1}, Choice{"empty", {}, -1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
