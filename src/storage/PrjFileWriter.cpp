#include "storage/PrjFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "model/Error.h"
#include "model/Paths.h"

namespace kestrel {

namespace {

class Lines {
public:
    explicit Lines(std::string& out) : out_(out) {}
    Lines& operator<<(const std::string& s) {
        out_ += s;
        return *this;
    }
    Lines& operator<<(const char* s) {
        out_ += s;
        return *this;
    }
    Lines& operator<<(int v) {
        out_ += std::to_string(v);
        return *this;
    }
    void End() { out_ += "\r\n"; }

private:
    std::string& out_;
};

// Times are filled to four digits. A negative time (an absent attribute reads as -1)
// keeps its sign in front so that the file can be read again.
std::string TimeField(int t) { return t < 0 ? std::to_string(t) : FillZero(t, 4); }

template <class Win>
void Rect(Lines& l, const char* indent, const Win& w) {
    l << indent << "<rect x=\"" << w.Left << "\" y=\"" << w.Top << "\" w=\"" << w.Width
      << "\" h=\"" << w.Height << "\" /></rect>";
    l.End();
}

}  // namespace

std::string PrjFileText(const Project& prj) {
    std::string out = "\xEF\xBB\xBF";
    Lines l(out);
    l << "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
    l.End();
    l << "<KESTREL>";
    l.End();
    int sections = std::clamp(prj.TimeCount, 0, MaxTimeIndex + 1);
    for (int i = 0; i < sections; ++i) {
        const TTimePLData& rec = prj.TimePL[i];
        l << " <TIME s=\"" << TimeField(rec.StartTime) << "\" e=\"" << TimeField(rec.EndTime) << "\"/>";
        l.End();
        l << " <MAIN_WINDOW>";
        l.End();
        Rect(l, "  ", rec.MainWin);
        l << "  <TRACK>";
        l.End();
        int mainCount = std::clamp(rec.MainWin.PLCount, 0, MaxPLIndex + 1);
        for (int k = 0; k < mainCount; ++k) {
            const TMainWinPL& e = rec.MainWin.PL[k];
            l << "   <a name=\"" << BareName(e.FileName) << "\" vol=\"" << e.Vol << "\" interval=\""
              << e.Interval << "\" /></a>";
            l.End();
        }
        l << "  </TRACK>";
        l.End();
        l << " </MAIN_WINDOW>";
        l.End();
        l.End();
        l << "  <SUB_WINDOW>";
        l.End();
        l << "   <WINDOW>" << rec.SubWinCount << "</WINDOW>";
        l.End();
        l << "   <LIST>";
        l.End();
        for (const auto& entry : rec.FileList) {
            l << "    <P>" << entry << "</P>";
            l.End();
        }
        l << "   </LIST>";
        l.End();
        // A background line with an empty name could not be read back: the reader
        // would take it for the line after it. Such a background names no file anyway.
        if (!BareName(rec.BGFile).empty()) {
            l << "   <BACKGROUND>" << BareName(rec.BGFile) << "</BACKGROUND>";
            l.End();
        }
        int subCount = std::min(rec.SubWinCount, MaxSubWin);
        for (int j = 1; j <= subCount; ++j) {
            const TSubWinData& w = rec.SubWin[j];
            l << "   <SUBW" << j << ">";
            l.End();
            Rect(l, "    ", w);
            int count = std::clamp(w.PLCount, 0, MaxPLIndex + 1);
            for (int k = 0; k < count; ++k) {
                l << "    <a i=\"" << w.PL[k].FileIndex << "\" t=\"" << w.PL[k].Times << "\" /></a>";
                l.End();
            }
            l << "   </SUBW" << j << ">";
            l.End();
        }
        l << "  </SUB_WINDOW>";
        l.End();
        l << " </TIME>";
        l.End();
        l.End();
    }
    l << "</KESTREL>";
    l.End();
    return out;
}

void WriteFileReplacing(const std::string& path, const std::string& bytes) {
    auto fail = [&](int err) {
        return Error("Cannot create the file \"" + path + "\": " + std::strerror(err) + ".");
    };
    std::string folder = FolderPart(path);
    std::string tmpl = (folder.empty() ? std::string("./") : folder) + "." + BareName(path) + ".XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) throw fail(errno);
    auto abandon = [&](int err) {
        ::close(fd);
        ::unlink(tmpl.c_str());
        throw fail(err);
    };
    // The new file gets the old one's permissions, or the usual ones of a new file.
    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) abandon(errno);
    for (size_t done = 0; done < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            abandon(errno);
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) abandon(errno);
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(tmpl.c_str());
        throw fail(err);
    }
    if (::rename(tmpl.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(tmpl.c_str());
        throw fail(err);
    }
}

void WritePrjFile(const Project& prj) { WriteFileReplacing(prj.PrjFileName, PrjFileText(prj)); }

}  // namespace kestrel
