#pragma once
// Files that appear in the project folder only when complete: each is written under a
// temporary name in the folder and renamed into place. A rename replaces whatever
// stood under the name, a symbolic link included, and never writes through it.

#include <sys/stat.h>

#include <string>

namespace kestrel {

// Every temporary file in a project folder starts with this, so that leftovers of an
// interrupted save can be recognised, and the name stays short for any legal file name.
inline constexpr const char* TemporaryPrefix = ".kestrel~";

// An open temporary file in a folder (fd -1 and the errno value in Error when none
// could be made). The file is removed again unless Keep() is called.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& folder);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Fd() const { return fd_; }
    int Errno() const { return error_; }
    // Gives the file the usual permissions of a new file, or mode when given.
    int SetMode(int mode = -1);
    // Flushes and closes the file and renames it to destination; 0 or an errno value.
    int PlaceAs(const std::string& destination);

private:
    std::string path_;
    int fd_ = -1;
    int error_ = 0;
};

// Removes the temporary files an interrupted save left in folder.
void RemoveStaleTemporaries(const std::string& folder);

// What RegularFile says of a file that is there but is no regular file.
inline constexpr const char* NotARegularFile = "not a regular file";

// A file opened for reading only when it is a regular file (links followed), without
// blocking: a named pipe or a device among received files cannot hang the program.
// Closed with the object.
class RegularFile {
public:
    explicit RegularFile(const std::string& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    int Fd() const { return fd_; }  // -1 when it is not open
    const struct stat& Stat() const { return stat_; }
    int OpenErrno() const { return openErrno_; }  // why open itself failed, else 0
    // Why it is not open: the system's reason ("No such file or directory", "Is a
    // directory") or "not a regular file".
    const std::string& Problem() const { return problem_; }
    int Release();  // the descriptor, now the caller's to close

private:
    int fd_ = -1;
    struct stat stat_ {};
    int openErrno_ = 0;
    std::string problem_;
};

// The file a path finally names once its symbolic links are followed (the path itself
// when it is no link or the links cannot be read).
std::string FollowLinks(const std::string& path);

}  // namespace kestrel
