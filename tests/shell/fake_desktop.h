#pragma once
// A desktop whose shell-link objects only record what is asked of them, in one log shared
// with the desktop, so tests see the order of every call.

#include "engine/exceptions.h"
#include "shell/platform.h"

#include <memory>
#include <string>
#include <vector>

namespace sumbrook::testing {

class FakeDesktop final : public shell::Desktop {
public:
    using Log = std::vector<std::string>;

    std::string desktopFolder() override { return folder; }
    std::string programPath() override { return program; }

    std::unique_ptr<shell::ShellSession> beginSession() override {
        log->push_back("beginSession");
        return std::make_unique<Session>(log);
    }

    std::unique_ptr<shell::ShellLink> createShellLink() override {
        log->push_back("createShellLink");
        if (noLink) {
            return nullptr;
        }
        return std::make_unique<Link>(log, saveError);
    }

    std::string folder = "/home/kid/Desktop";
    std::string program = "/opt/sumbrook/sumbrook";
    std::string saveError; // Save throws Exception with this text when set
    bool noLink = false;   // createShellLink hands back nothing
    std::shared_ptr<Log> log = std::make_shared<Log>();

private:
    class Session final : public shell::ShellSession {
    public:
        explicit Session(std::shared_ptr<Log> log) : m_log(std::move(log)) {}
        ~Session() override { m_log->push_back("endSession"); }

    private:
        std::shared_ptr<Log> m_log;
    };

    class Link final : public shell::ShellLink {
    public:
        Link(std::shared_ptr<Log> log, std::string saveError)
            : m_log(std::move(log)), m_saveError(std::move(saveError)) {}
        ~Link() override { m_log->push_back("releaseLink"); }
        void SetPath(const std::string& v) override { m_log->push_back("SetPath " + v); }
        void SetArguments(const std::string& v) override { m_log->push_back("SetArguments " + v); }
        void SetWorkingDirectory(const std::string& v) override {
            m_log->push_back("SetWorkingDirectory " + v);
        }
        void SetDescription(const std::string& v) override {
            m_log->push_back("SetDescription " + v);
        }
        void Save(const std::string& v) override {
            m_log->push_back("Save " + v);
            if (!m_saveError.empty()) {
                throw Exception(m_saveError);
            }
        }

    private:
        std::shared_ptr<Log> m_log;
        std::string m_saveError;
    };
};

} // namespace sumbrook::testing
