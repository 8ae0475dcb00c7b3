#include "shell/com_apartment.h"

#include <windows.h>
// After windows.h, which they rely on.
#include <objbase.h>

namespace sumbrook::shell {

ComApartment::ComApartment() : m_initialized(SUCCEEDED(CoInitialize(nullptr))) {}

ComApartment::~ComApartment() {
    if (m_initialized) {
        CoUninitialize();
    }
}

} // namespace sumbrook::shell
