#include "model/Paths.h"

#include <cstdint>
#include <filesystem>

namespace kestrel {

static std::string::size_type LastDelimiter(const std::string& path) {
    for (auto i = path.size(); i > 0; --i)
        if (IsPathDelimiter(path[i - 1])) return i - 1;
    return std::string::npos;
}

std::string BareName(const std::string& path) {
    auto d = LastDelimiter(path);
    return d == std::string::npos ? path : path.substr(d + 1);
}

std::string FolderPart(const std::string& path) {
    auto d = LastDelimiter(path);
    return d == std::string::npos ? std::string() : path.substr(0, d + 1);
}

std::string AsciiUpper(std::string s) {
    for (auto& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

bool IsPictureFile(const std::string& path) {
    auto dot = path.rfind('.');
    if (dot == std::string::npos) return false;
    auto d = LastDelimiter(path);
    if (d != std::string::npos && d > dot) return false;
    auto ext = AsciiUpper(path.substr(dot));
    return ext == ".JPG" || ext == ".BMP";
}

bool ValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t len;
        std::uint32_t cp;
        if ((c & 0xE0) == 0xC0) len = 2, cp = c & 0x1F;
        else if ((c & 0xF0) == 0xE0) len = 3, cp = c & 0x0F;
        else if ((c & 0xF8) == 0xF0) len = 4, cp = c & 0x07;
        else return false;
        if (i + len > s.size()) return false;
        for (size_t k = 1; k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
            cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

const char* FolderNameProblem(std::string_view name) {
    if (name.empty()) return "the name is empty";
    // Both delimiters count on every system: the file travels between them.
    if (name.find_first_of("/\\") != std::string_view::npos) return "the name has a folder part";
    if (name == "." || name == "..") return "the name is not a file name";
    if (name.size() > 255) return "the name is longer than 255 bytes";
    if (name.find_first_of(std::string_view("\"<\r\n\0", 5)) != std::string_view::npos)
        return "the name contains a quotation mark, \"<\", a line break or a null character";
    if (!ValidUtf8(name)) return "the name is not UTF-8 text";
    return nullptr;
}

bool SameCopyName(const std::string& a, const std::string& b) { return AsciiUpper(a) == AsciiUpper(b); }

std::string ProgramFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return FolderPart(exe.string());
}

}  // namespace kestrel
