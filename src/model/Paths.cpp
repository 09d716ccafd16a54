#include "model/Paths.h"

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

std::string ProgramFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return FolderPart(exe.string());
}

}  // namespace kestrel
