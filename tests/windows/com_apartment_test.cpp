// COM for the GUI thread: initialised for the helper's lifetime, and left alone when the
// thread already belongs to another kind of apartment.
#include "shell/com_apartment.h"

#include <windows.h>
// After windows.h, which they rely on.
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <thread>

namespace {

HRESULT createShellLink() {
    IUnknown* object = nullptr;
    const HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IUnknown, reinterpret_cast<void**>(&object));
    if (object != nullptr) {
        object->Release();
    }
    return hr;
}

// Each case runs on a thread of its own, which starts with no COM at all.
template <typename Body> void onFreshThread(Body body) {
    std::thread(body).join();
}

TEST(ComApartment, InitialisesForItsLifetime) {
    onFreshThread([] {
        EXPECT_EQ(createShellLink(), CO_E_NOTINITIALIZED);
        {
            sumbrook::shell::ComApartment com;
            EXPECT_EQ(createShellLink(), S_OK);
            // A single-threaded apartment, as the GUI's windows need.
            EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
        }
        EXPECT_EQ(createShellLink(), CO_E_NOTINITIALIZED);
    });
}

TEST(ComApartment, NestsWithAnEarlierInitialisation) {
    onFreshThread([] {
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        { sumbrook::shell::ComApartment com; }
        EXPECT_EQ(createShellLink(), S_OK) << "the helper took more than it gave";
        CoUninitialize();
        EXPECT_EQ(createShellLink(), CO_E_NOTINITIALIZED);
    });
}

TEST(ComApartment, LeavesAMultithreadedApartmentAlone) {
    onFreshThread([] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        { sumbrook::shell::ComApartment com; }
        EXPECT_EQ(createShellLink(), S_OK) << "the helper uninitialised what it did not own";
        CoUninitialize();
    });
}

} // namespace
