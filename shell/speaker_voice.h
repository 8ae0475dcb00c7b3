#pragma once
// Choosing the Mandarin voice among the ones a speech system lists, by language tag.
// Plain C++ so that both platforms' speakers and their tests share it.

#include <string>
#include <vector>

namespace sumbrook::shell {

struct VoiceInfo {
    std::string name;
    std::string language; // a language tag: "cmn", "cmn-latn-pinyin", "zh-CN", "yue", "en-US"
    std::string variant;  // empty or "none" for a synthesizer's own voice
};

// The index of the voice that speaks Mandarin best, or -1 when none does. Mandarin is
// "cmn" or "zh" with no Cantonese or Hakka subtag. Preferred, in order: a tag that reads
// Latin letters as Pinyin (espeak-ng's other Mandarin voice reads the Pinyin it makes of
// each character as English, "zhen1 cong1 ming2"), then "cmn", then "zh"; a voice without
// a variant before its variants; the list's order last.
int chooseMandarinVoice(const std::vector<VoiceInfo>& voices);

} // namespace sumbrook::shell
