#include "storage/SafeFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "model/Paths.h"

namespace kestrel {

TemporaryFile::TemporaryFile(const std::string& folder) {
    path_ = (folder.empty() ? std::string("./") : folder) + TemporaryPrefix + "XXXXXX";
    fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        path_.clear();
    }
}

TemporaryFile::~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
}

int TemporaryFile::SetMode(int mode) {
    if (mode < 0) {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = static_cast<int>(0666 & ~mask);
    }
    return ::fchmod(fd_, static_cast<mode_t>(mode)) == 0 ? 0 : errno;
}

int TemporaryFile::PlaceAs(const std::string& destination) {
    if (::fsync(fd_) != 0) return errno;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return errno;
    if (::rename(path_.c_str(), destination.c_str()) != 0) return errno;
    path_.clear();
    return 0;
}

RegularFile::RegularFile(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) openErrno_ = errno;
    const char* why = nullptr;
    if (fd_ < 0 || ::fstat(fd_, &stat_) != 0) why = std::strerror(errno);
    else if (S_ISDIR(stat_.st_mode)) why = std::strerror(EISDIR);
    else if (!S_ISREG(stat_.st_mode)) why = NotARegularFile;
    if (!why) return;
    problem_ = why;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

RegularFile::~RegularFile() {
    if (fd_ >= 0) ::close(fd_);
}

int RegularFile::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void RemoveStaleTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return;
    const size_t prefix = std::strlen(TemporaryPrefix);
    while (const dirent* e = ::readdir(dir)) {
        if (std::strncmp(e->d_name, TemporaryPrefix, prefix) != 0) continue;
        // Only what this program names so: a prefix followed by mkstemp's six characters.
        if (std::strlen(e->d_name) != prefix + 6) continue;
        ::unlinkat(::dirfd(dir), e->d_name, 0);
    }
    ::closedir(dir);
}

std::string FollowLinks(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<size_t>(n) >= target.size()) return current;
        target.resize(static_cast<size_t>(n));
        current = !target.empty() && target[0] == '/' ? target : FolderPart(current) + target;
    }
    return current;
}

}  // namespace kestrel
