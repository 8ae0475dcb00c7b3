#pragma once
// A link opener that records what it was asked to open and answers as told.

#include "shell/platform.h"

#include <string>
#include <vector>

namespace sumbrook::test {

class FakeLinkOpener final : public shell::LinkOpener {
public:
    bool open(const std::string& target) override {
        opened.push_back(target);
        return succeeds;
    }
    bool runHtmProgramChooser() override {
        ++chooserRuns;
        return false;
    }

    bool succeeds = true;
    std::vector<std::string> opened;
    int chooserRuns = 0;
};

} // namespace sumbrook::test
