#pragma once
// Holds every text, visibility and focus the engine writes, and the log lines.

#include "engine/drill_display.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace sumbrook::testing {

class RecordingDisplay final : public DrillDisplay {
public:
    void setText(Element element, const std::string& text) override {
        texts[element] = text;
        ++writes;
    }
    std::string text(Element element) const override {
        const auto it = texts.find(element);
        return it == texts.end() ? std::string() : it->second;
    }
    void setVisible(Element element, bool visible) override { visibility[element] = visible; }
    void setFocus(Element element) override { focus.push_back(element); }
    void appendLog(const std::string& line) override { log.push_back(line); }
    int rg2ItemIndex() const override { return rg2; }
    void announce(Announcement kind, const std::string& text) override {
        announcements.emplace_back(kind, text);
    }

    bool visible(Element element) const {
        const auto it = visibility.find(element);
        return it == visibility.end() || it->second;
    }

    std::map<Element, std::string> texts;
    std::map<Element, bool> visibility;
    std::vector<Element> focus;
    std::vector<std::string> log;
    std::vector<std::pair<Announcement, std::string>> announcements;
    int rg2 = 1;
    int writes = 0;
};

} // namespace sumbrook::testing
