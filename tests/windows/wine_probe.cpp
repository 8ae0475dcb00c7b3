// A helper for the installer's round trip under wine, which has no tool of its own for it:
//   wine_probe hold FILE SECONDS    keeps FILE open for reading and writing but not for
//                                   deleting, as a virus scanner or an editor might, prints
//                                   "holding", then exits after SECONDS
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4 || std::wcscmp(argv[1], L"hold") != 0) {
        std::fputs("usage: wine_probe hold FILE SECONDS\n", stderr);
        return 2;
    }
    const HANDLE file = CreateFileW(argv[2], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open the file (error %lu)\n", GetLastError());
        return 2;
    }
    std::puts("holding");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10) * 1000));
    CloseHandle(file);
    return 0;
}
