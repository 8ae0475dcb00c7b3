#include "shell/shell_link_win.h"

#include "engine/exceptions.h"
#include "shell/ansi_text_win.h"
#include "shell/ole_error_win.h"

#include <shlobj.h>

#include <string>
#include <utility>

namespace sumbrook::shell {
namespace {

class OleSession final : public ShellSession {
public:
    explicit OleSession(const OleCalls& calls) : m_uninitialize(calls.uninitialize) {
        m_initialized = SUCCEEDED(calls.initialize(nullptr));
    }
    ~OleSession() override {
        if (m_initialized) {
            m_uninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    std::function<void()> m_uninitialize;
    bool m_initialized = false;
};

// Holds one reference to a COM interface.
template <typename Interface> class ComRef {
public:
    ComRef() = default;
    ~ComRef() { reset(); }
    ComRef(ComRef&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            reset();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* get() const { return m_p; }
    Interface* operator->() const { return m_p; }
    void** out() {
        reset();
        return reinterpret_cast<void**>(&m_p);
    }
    void reset() {
        if (m_p != nullptr) {
            std::exchange(m_p, nullptr)->Release();
        }
    }

private:
    Interface* m_p = nullptr;
};

[[noreturn]] void failCall(const std::string& what, HRESULT result) {
    throw Exception(what + "：" + OleSysErrorMessage(result));
}

class WindowsShellLink final : public ShellLink {
public:
    WindowsShellLink(ComRef<IShellLinkA> link, ComRef<IPersistFile> file)
        : m_link(std::move(link)), m_file(std::move(file)) {}

    void SetPath(const std::string& path) override {
        const std::string what = "快捷方式的目标“" + path + "”";
        check(what, m_link->SetPath(Utf8ToAnsi(path, what).c_str()));
    }
    void SetArguments(const std::string& arguments) override {
        const std::string what = "快捷方式的参数“" + arguments + "”";
        check(what, m_link->SetArguments(Utf8ToAnsi(arguments, what).c_str()));
    }
    void SetWorkingDirectory(const std::string& folder) override {
        const std::string what = "快捷方式的起始位置“" + folder + "”";
        check(what, m_link->SetWorkingDirectory(Utf8ToAnsi(folder, what).c_str()));
    }
    void SetDescription(const std::string& description) override {
        const std::string what = "快捷方式的说明“" + description + "”";
        check(what, m_link->SetDescription(Utf8ToAnsi(description, what).c_str()));
    }

    void Save(const std::string& linkPath) override {
        const std::string what = "快捷方式“" + linkPath + "”";
        const std::wstring path = Utf8ToWide(linkPath, what);
        // fRemember FALSE: the object does not take the file as its current one.
        const HRESULT result = m_file->Save(path.c_str(), FALSE);
        if (FAILED(result)) {
            failCall("无法保存" + what, result);
        }
    }

private:
    static void check(const std::string& what, HRESULT result) {
        if (FAILED(result)) {
            failCall("无法设置" + what, result);
        }
    }

    ComRef<IShellLinkA> m_link;
    ComRef<IPersistFile> m_file;
};

} // namespace

std::unique_ptr<ShellSession> beginOleSession(const OleCalls& calls) {
    return std::make_unique<OleSession>(calls);
}

std::unique_ptr<ShellLink> makeWindowsShellLink(const OleCalls& calls) {
    ComRef<IUnknown> object;
    const HRESULT created =
        calls.createInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                             IID_IUnknown, object.out());
    if (FAILED(created) || object.get() == nullptr) {
        ThrowOleSysError(FAILED(created) ? created : E_POINTER);
    }
    ComRef<IShellLinkA> link;
    ComRef<IPersistFile> file;
    if (FAILED(object->QueryInterface(IID_IShellLinkA, link.out())) || link.get() == nullptr ||
        FAILED(object->QueryInterface(IID_IPersistFile, file.out())) || file.get() == nullptr) {
        throw EIntfCastError("Interface not supported");
    }
    return std::make_unique<WindowsShellLink>(std::move(link), std::move(file));
}

} // namespace sumbrook::shell
