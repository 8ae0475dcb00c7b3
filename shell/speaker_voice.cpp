#include "shell/speaker_voice.h"

#include <algorithm>
#include <cctype>

namespace sumbrook::shell {
namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool hasSubtag(const std::string& tag, const std::string& subtag) {
    std::size_t start = 0;
    while (start <= tag.size()) {
        std::size_t end = tag.find_first_of("-_", start);
        if (end == std::string::npos)
            end = tag.size();
        if (tag.compare(start, end - start, subtag) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

// 0 for no Mandarin; higher is better.
int languageRank(const std::string& language) {
    const std::string tag = lower(language);
    const std::string primary = tag.substr(0, tag.find_first_of("-_"));
    if (primary != "cmn" && primary != "zh")
        return 0;
    // Chinese tags that name another language than Mandarin, or its Hong Kong form.
    for (const char* other : {"yue", "hak", "nan", "wuu", "hk"})
        if (hasSubtag(tag, other))
            return 0;
    if (hasSubtag(tag, "pinyin"))
        return 3;
    return primary == "cmn" ? 2 : 1;
}

} // namespace

int chooseMandarinVoice(const std::vector<VoiceInfo>& voices) {
    int best = -1;
    int bestScore = 0;
    for (std::size_t i = 0; i < voices.size(); ++i) {
        const int rank = languageRank(voices[i].language);
        if (rank == 0)
            continue;
        const std::string variant = lower(voices[i].variant);
        const bool ownVoice = variant.empty() || variant == "none";
        const int score = rank * 2 + (ownVoice ? 1 : 0);
        if (score > bestScore) {
            best = static_cast<int>(i);
            bestScore = score;
        }
    }
    return best;
}

} // namespace sumbrook::shell
