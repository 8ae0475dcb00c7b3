#pragma once
// A link opener that records what it was asked to open and answers as told.

#include "shell/platform.h"

#include <string>
#include <utility>
#include <vector>

namespace sumbrook::test {

class FakeLinkOpener final : public shell::LinkOpener {
public:
    void open(const std::string& target, Done done) override {
        opened.push_back(target);
        if (answersLater)
            pending.push_back(std::move(done));
        else
            done(succeeds);
    }
    bool runHtmProgramChooser() override {
        ++chooserRuns;
        return false;
    }

    bool succeeds = true;
    // Keeps the answers back, as an opener that runs a while does; answer() gives them.
    bool answersLater = false;
    std::vector<Done> pending;
    void answer(bool opened) {
        for (const Done& done : std::exchange(pending, {}))
            done(opened);
    }
    std::vector<std::string> opened;
    int chooserRuns = 0;
};

} // namespace sumbrook::test
