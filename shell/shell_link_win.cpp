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

// Each text goes through IShellLinkA, byte for byte in the ANSI code page, when that code
// page can hold it; otherwise through the same object's IShellLinkW, so that a path under
// a user or folder name foreign to the code page is written as it is, not refused.
class WindowsShellLink final : public ShellLink {
public:
    WindowsShellLink(ComRef<IUnknown> object, ComRef<IShellLinkA> link, ComRef<IPersistFile> file)
        : m_object(std::move(object)), m_link(std::move(link)), m_file(std::move(file)) {}

    void SetPath(const std::string& path) override {
        set("快捷方式的目标“" + path + "”", path, &IShellLinkA::SetPath, &IShellLinkW::SetPath);
    }
    void SetArguments(const std::string& arguments) override {
        set("快捷方式的参数“" + arguments + "”", arguments, &IShellLinkA::SetArguments,
            &IShellLinkW::SetArguments);
    }
    void SetWorkingDirectory(const std::string& folder) override {
        set("快捷方式的起始位置“" + folder + "”", folder, &IShellLinkA::SetWorkingDirectory,
            &IShellLinkW::SetWorkingDirectory);
    }
    void SetDescription(const std::string& description) override {
        set("快捷方式的说明“" + description + "”", description, &IShellLinkA::SetDescription,
            &IShellLinkW::SetDescription);
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
    using AnsiSetter = HRESULT (STDMETHODCALLTYPE IShellLinkA::*)(LPCSTR);
    using WideSetter = HRESULT (STDMETHODCALLTYPE IShellLinkW::*)(LPCWSTR);

    void set(const std::string& what, const std::string& text, AnsiSetter ansiSetter,
             WideSetter wideSetter) {
        if (const auto ansi = Utf8ToAnsiIfRepresentable(text, what)) {
            check(what, (m_link.get()->*ansiSetter)(ansi->c_str()));
            return;
        }
        const std::wstring wide = Utf8ToWide(text, what);
        check(what, (wideLink()->*wideSetter)(wide.c_str()));
    }

    // Asked for only when a text needs it, so that a path the code page holds touches
    // nothing but IShellLinkA.
    IShellLinkW* wideLink() {
        if (m_wide.get() == nullptr) {
            if (FAILED(m_object->QueryInterface(IID_IShellLinkW, m_wide.out())) ||
                m_wide.get() == nullptr) {
                throw EIntfCastError("Interface not supported");
            }
        }
        return m_wide.get();
    }

    static void check(const std::string& what, HRESULT result) {
        if (FAILED(result)) {
            failCall("无法设置" + what, result);
        }
    }

    ComRef<IUnknown> m_object;
    ComRef<IShellLinkA> m_link;
    ComRef<IPersistFile> m_file;
    ComRef<IShellLinkW> m_wide;
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
    return std::make_unique<WindowsShellLink>(std::move(object), std::move(link), std::move(file));
}

} // namespace sumbrook::shell
