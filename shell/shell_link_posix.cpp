#include "shell/shell_link_posix.h"

#include "engine/exceptions.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sumbrook::shell {
namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr unsigned char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
// LinkFlags. No relative path is written: the absolute local path is enough to resolve,
// and a relative one computed lexically can be wrong across symbolic links.
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasName = 0x04;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kIsUnicode = 0x80;

constexpr std::uint32_t kAttributeDirectory = 0x10;
constexpr std::uint32_t kAttributeNormal = 0x80;
constexpr std::uint32_t kShowNormal = 1;

// LinkInfo with the Unicode path offsets, so that readers need not guess a code page.
constexpr std::uint32_t kLinkInfoHeaderSize = 0x24;
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;
// VolumeID: size, drive type, serial, label offset, then the empty label.
constexpr std::uint32_t kVolumeIdSize = 0x11;
constexpr std::uint32_t kVolumeLabelOffset = 0x10;
constexpr std::uint32_t kDriveFixed = 3;

// Seconds from 1601-01-01 (where FILETIME counts from) to 1970-01-01.
constexpr std::int64_t kFileTimeEpochOffset = 11644473600;

// StringData and the LinkInfo offsets count in 16 bits at the narrowest.
constexpr std::size_t kMaxTextUnits = 0xFFFF;

void put16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

void put32(Bytes& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<unsigned char>((v >> shift) & 0xFF));
    }
}

void put64(Bytes& out, std::uint64_t v) {
    put32(out, static_cast<std::uint32_t>(v & 0xFFFFFFFFu));
    put32(out, static_cast<std::uint32_t>(v >> 32));
}

void putUtf16(Bytes& out, const std::u16string& text) {
    for (char16_t unit : text) {
        put16(out, static_cast<std::uint16_t>(unit));
    }
}

// Strict decoding: a shortcut with a silently altered path would point nowhere.
std::u16string toUtf16(const std::string& text, const char* what) {
    const auto invalid = [what]() {
        return Exception(std::string("快捷方式的") + what + "不是有效的文本");
    };
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::uint32_t cp = 0;
        std::size_t length = 0;
        if (lead < 0x80) {
            cp = lead;
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            cp = lead & 0x1Fu;
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            cp = lead & 0x0Fu;
            length = 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            cp = lead & 0x07u;
            length = 4;
        } else {
            throw invalid();
        }
        if (i + length > text.size()) {
            throw invalid();
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0u) != 0x80u) {
                throw invalid();
            }
            cp = (cp << 6) | (next & 0x3Fu);
        }
        const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
        if (cp == 0 || overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            throw invalid();
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FFu)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += length;
    }
    if (out.size() > kMaxTextUnits) {
        throw Exception(std::string("快捷方式的") + what + "太长");
    }
    return out;
}

// The program's code page: readers that take the link's non-Unicode path read it so.
constexpr char kAnsiCodePage[] = "CP936";

// The path in the program's code page. A character that code page lacks becomes '?', as
// the system's own conversion writes it; the Unicode copy of the path stays exact.
std::string toAnsiCodePage(const std::u16string& text) {
    const iconv_t convert = ::iconv_open(kAnsiCodePage, "UTF-16LE");
    // iconv_open reports a failure as (iconv_t)-1.
    if (convert == reinterpret_cast<iconv_t>(-1)) { // NOLINT(performance-no-int-to-ptr)
        throw Exception(std::string("无法转换到代码页 ") + kAnsiCodePage);
    }
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            out.push_back(static_cast<char>(unit));
            continue;
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) { // beyond the code page's plane
            if (unit < 0xDC00 && i + 1 < text.size()) {
                ++i;
            }
            out.push_back('?');
            continue;
        }
        char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        char encoded[4];
        char* inPtr = in;
        char* outPtr = encoded;
        std::size_t inLeft = sizeof in;
        std::size_t outLeft = sizeof encoded;
        if (::iconv(convert, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            out.push_back('?');
            ::iconv(convert, nullptr, nullptr, nullptr, nullptr); // reset the shift state
        } else {
            out.append(encoded, outPtr);
        }
    }
    ::iconv_close(convert);
    return out;
}

std::uint64_t toFileTime(const timespec& t) {
    if (t.tv_sec < -kFileTimeEpochOffset) {
        return 0;
    }
    return static_cast<std::uint64_t>(t.tv_sec + kFileTimeEpochOffset) * 10000000u +
           static_cast<std::uint64_t>(t.tv_nsec) / 100u;
}

// What the header records about the target; all zero when it cannot be examined, as for
// a target that does not exist yet.
struct TargetFacts {
    std::uint32_t attributes = 0;
    std::uint64_t writeTime = 0;
    std::uint32_t sizeLow = 0;
};

TargetFacts examineTarget(const std::string& path) {
    TargetFacts facts;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return facts;
    }
    facts.attributes = S_ISDIR(st.st_mode) ? kAttributeDirectory : kAttributeNormal;
    facts.writeTime = toFileTime(st.st_mtim);
    facts.sizeLow = static_cast<std::uint32_t>(static_cast<std::uint64_t>(st.st_size));
    return facts;
}

Bytes encodeLinkInfo(const std::u16string& pathUtf16) {
    const std::string path = toAnsiCodePage(pathUtf16);
    const std::uint32_t volumeIdOffset = kLinkInfoHeaderSize;
    const std::uint32_t basePathOffset = volumeIdOffset + kVolumeIdSize;
    const auto suffixOffset = static_cast<std::uint32_t>(basePathOffset + path.size() + 1);
    const std::uint32_t basePathUnicodeOffset = suffixOffset + 1;
    const auto suffixUnicodeOffset =
        static_cast<std::uint32_t>(basePathUnicodeOffset + 2 * (pathUtf16.size() + 1));
    const std::uint32_t size = suffixUnicodeOffset + 2;

    Bytes info;
    put32(info, size);
    put32(info, kLinkInfoHeaderSize);
    put32(info, kVolumeIdAndLocalBasePath);
    put32(info, volumeIdOffset);
    put32(info, basePathOffset);
    put32(info, 0); // no network location
    put32(info, suffixOffset);
    put32(info, basePathUnicodeOffset);
    put32(info, suffixUnicodeOffset);

    put32(info, kVolumeIdSize);
    put32(info, kDriveFixed);
    put32(info, 0); // serial number
    put32(info, kVolumeLabelOffset);
    info.push_back(0); // empty label

    info.insert(info.end(), path.begin(), path.end());
    info.push_back(0);
    info.push_back(0); // empty common path suffix
    putUtf16(info, pathUtf16);
    put16(info, 0);
    put16(info, 0); // empty common path suffix, Unicode
    return info;
}

void putCountedString(Bytes& out, const std::u16string& text) {
    put16(out, static_cast<std::uint16_t>(text.size()));
    putUtf16(out, text);
}

[[noreturn]] void failSave(const std::string& linkPath, int error) {
    throw Exception("无法保存快捷方式“" + linkPath + "”：" +
                    std::generic_category().message(error));
}

bool writeAll(int fd, const Bytes& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes beside the final name and renames, so the link is either whole or absent. The
// temporary file is created with 0666 so that the user's umask decides, as for any file.
void writeReplacing(const std::string& linkPath, const Bytes& content) {
    static std::atomic<unsigned> serial{0};
    const std::size_t slash = linkPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : linkPath.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? linkPath : linkPath.substr(slash + 1);

    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temp = folder;
        temp += '.';
        temp += name;
        temp += '.' + std::to_string(::getpid()) + '-' + std::to_string(serial++) + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt >= 100)) {
            failSave(linkPath, errno);
        }
    }

    int error = 0;
    if (!writeAll(fd, content) || ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temp.c_str(), linkPath.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        failSave(linkPath, error);
    }
}

class PosixShellLink final : public ShellLink {
public:
    void SetPath(const std::string& path) override { m_path = path; }
    void SetArguments(const std::string& arguments) override { m_arguments = arguments; }
    void SetWorkingDirectory(const std::string& folder) override { m_workingFolder = folder; }
    void SetDescription(const std::string& description) override { m_description = description; }

    void Save(const std::string& linkPath) override {
        if (m_path.empty()) {
            throw Exception("快捷方式“" + linkPath + "”没有目标");
        }
        writeReplacing(linkPath, encode());
    }

private:
    Bytes encode() const {
        const std::u16string path = toUtf16(m_path, "目标路径");
        const std::u16string description = toUtf16(m_description, "说明");
        const std::u16string workingFolder = toUtf16(m_workingFolder, "工作文件夹");
        const std::u16string arguments = toUtf16(m_arguments, "参数");

        std::uint32_t flags = kHasLinkInfo | kIsUnicode;
        if (!description.empty()) {
            flags |= kHasName;
        }
        if (!workingFolder.empty()) {
            flags |= kHasWorkingDir;
        }
        if (!arguments.empty()) {
            flags |= kHasArguments;
        }
        const TargetFacts target = examineTarget(m_path);

        Bytes out;
        put32(out, kHeaderSize);
        out.insert(out.end(), std::begin(kLinkClsid), std::end(kLinkClsid));
        put32(out, flags);
        put32(out, target.attributes);
        put64(out, 0); // creation time: POSIX does not keep one
        put64(out, 0); // access time: changes on every read, so left out
        put64(out, target.writeTime);
        put32(out, target.sizeLow);
        put32(out, 0); // icon index
        put32(out, kShowNormal);
        put16(out, 0); // no hot key
        put16(out, 0);
        put32(out, 0);
        put32(out, 0); // reserved

        const Bytes info = encodeLinkInfo(path);
        out.insert(out.end(), info.begin(), info.end());

        // StringData, in the order the format fixes.
        if (!description.empty()) {
            putCountedString(out, description);
        }
        if (!workingFolder.empty()) {
            putCountedString(out, workingFolder);
        }
        if (!arguments.empty()) {
            putCountedString(out, arguments);
        }
        put32(out, 0); // terminal block
        return out;
    }

    std::string m_path;
    std::string m_arguments;
    std::string m_workingFolder;
    std::string m_description;
};

} // namespace

std::unique_ptr<ShellLink> makePosixShellLink() {
    return std::make_unique<PosixShellLink>();
}

} // namespace sumbrook::shell
