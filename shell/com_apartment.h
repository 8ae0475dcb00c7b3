#pragma once
// COM for the GUI thread from start-up to exit: the Windows shell's objects (the link
// opener, the shell-link object) need it. Create one at the top of main(), before any
// window. Elsewhere there is nothing to initialise and it does nothing.

namespace sumbrook::shell {

#ifdef _WIN32
class ComApartment {
public:
    // CoInitialize(nullptr) on the calling thread.
    ComApartment();
    // CoUninitialize(), only when the initialisation above succeeded, so a thread that was
    // already in another kind of apartment keeps its own.
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_initialized;
};
#else
class ComApartment {
public:
    ComApartment() = default;
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};
#endif

} // namespace sumbrook::shell
