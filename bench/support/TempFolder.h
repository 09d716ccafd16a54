#pragma once
// A real temporary folder for a benchmark, removed with everything in it at the end.

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace kestrel::bench {

struct Folder {
    std::filesystem::path path;
    Folder() {
        std::string t = (std::filesystem::temp_directory_path() / "kestrel-bench-XXXXXX").string();
        path = ::mkdtemp(t.data());
    }
    ~Folder() { std::filesystem::remove_all(path); }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    std::string Dir() const { return path.string() + "/"; }
};

}  // namespace kestrel::bench
