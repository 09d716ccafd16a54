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
#include "storage/SafeFiles.h"

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

// A name goes into the file only when the reader gives back exactly that name.
const std::string& Writable(const std::string& name, int section, bool emptyAllowed = false) {
    if (name.empty() && emptyAllowed) return name;
    if (const char* problem = FolderNameProblem(name))
        throw Error("The project cannot be saved: the file name " + Quoted(name) + " in time section " +
                    std::to_string(section + 1) + " cannot be stored in the project file (" + problem + ").");
    return name;
}

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
            l << "   <a name=\"" << Writable(BareName(e.FileName), i, true) << "\" vol=\"" << e.Vol << "\" interval=\""
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
            l << "    <P>" << Writable(entry, i) << "</P>";
            l.End();
        }
        l << "   </LIST>";
        l.End();
        // A background line with an empty name could not be read back: the reader
        // would take it for the line after it. Such a background names no file anyway.
        if (!BareName(rec.BGFile).empty()) {
            l << "   <BACKGROUND>" << Writable(BareName(rec.BGFile), i) << "</BACKGROUND>";
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

void CheckReplaceable(const std::string& path) {
    const std::string target = FollowLinks(path);
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) return;  // a new file
    if (!S_ISREG(old.st_mode))
        throw Error("Cannot save over " + Quoted(target) + ": it is not a regular file.");
    if ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
        throw Error("The file " + Quoted(target) + " is write-protected; it was not replaced.");
}

void WriteFileReplacing(const std::string& path, const std::string& bytes) {
    // A project file that is a link stays one: its target is what gets replaced.
    const std::string target = FollowLinks(path);
    auto fail = [&](int err) {
        return Error("Cannot create the file " + Quoted(target) + ": " + std::strerror(err) + ".");
    };
    CheckReplaceable(target);
    const std::string folder = FolderPart(target);
    TemporaryFile tmp(folder);
    if (tmp.Fd() < 0) {
        if (tmp.Errno() == ENOENT || tmp.Errno() == ENOTDIR) throw fail(tmp.Errno());
        throw Error("Cannot save " + Quoted(target) + ": the folder " + Quoted(folder.empty() ? "." : folder) +
                    " does not allow a new file next to it (" + std::strerror(tmp.Errno()) +
                    "), and the file is only ever replaced by a complete new one.");
    }
    // The new file gets the old one's permissions, or the usual ones of a new file.
    struct stat old {};
    int err = tmp.SetMode(::stat(target.c_str(), &old) == 0 ? static_cast<int>(old.st_mode & 07777) : -1);
    for (size_t done = 0; !err && done < bytes.size();) {
        ssize_t n = ::write(tmp.Fd(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) err = errno;
        else done += static_cast<size_t>(n);
    }
    if (!err) err = tmp.PlaceAs(target);
    if (err) throw fail(err);
}

void WritePrjFile(const Project& prj) { WriteFileReplacing(prj.PrjFileName, PrjFileText(prj)); }

}  // namespace kestrel
