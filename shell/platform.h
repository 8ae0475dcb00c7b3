#pragma once
// The platform layer: the few services of the desktop shell the program uses. Each has a
// real implementation per platform; tests replace them with fakes.
// Texts are UTF-8 (the Windows implementations convert to the ANSI code page).

#include <functional>
#include <memory>
#include <string>

namespace sumbrook::shell {

// Opens a link's target (a web address or a document) through the desktop shell.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    // Receives the shell's answer: true when it reports success.
    using Done = std::function<void(bool opened)>;
    // Asks the shell to open target and hands its answer to done: before returning where
    // the shell answers at once (Windows), later, from the event loop, where the answer
    // is the exit of an opener program that may run a browser in the foreground.
    virtual void open(const std::string& target, Done done) = 0;
    // Lets the user choose a program for ".htm" files; false where the platform has no
    // such chooser (nothing runs then).
    virtual bool runHtmProgramChooser() = 0;
};

// A shell-link object: four setters and Save, as the system's object offers them.
// Setter and Save results are not examined by the caller; Save throws on failure.
class ShellLink {
public:
    virtual ~ShellLink() = default;
    virtual void SetPath(const std::string& path) = 0;
    virtual void SetArguments(const std::string& arguments) = 0;
    virtual void SetWorkingDirectory(const std::string& folder) = 0;
    virtual void SetDescription(const std::string& description) = 0;
    virtual void Save(const std::string& linkPath) = 0;
};

// Holds the shell's object system open for one shortcut job. On Windows it initialises OLE
// and uninitialises it in the destructor, so every exit, thrown or not, stays balanced.
class ShellSession {
public:
    virtual ~ShellSession() = default;
};

// Where the shortcut goes and what it points at.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Opens a session that must outlive every shell-link object of the job. Not pure:
    // platforms without such a system (and simple fakes) need nothing here.
    virtual std::unique_ptr<ShellSession> beginSession() {
        return std::make_unique<ShellSession>();
    }
    // The current user's desktop folder; throws Exception when it cannot be found or does
    // not exist.
    virtual std::string desktopFolder() = 0;
    // Full path of the running program.
    virtual std::string programPath() = 0;
    // Creates a shell-link object; throws EOleSysError / EIntfCastError as the system does.
    virtual std::unique_ptr<ShellLink> createShellLink() = 0;
};

std::unique_ptr<LinkOpener> makeSystemLinkOpener();
std::unique_ptr<Desktop> makeSystemDesktop();

} // namespace sumbrook::shell
