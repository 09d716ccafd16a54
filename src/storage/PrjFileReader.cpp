#include "storage/PrjFileReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "model/Error.h"
#include "model/Paths.h"
#include "storage/SafeFiles.h"

namespace kestrel {

namespace {

// Walks the file line by line in the order the writer produces it. Lines end at a
// carriage return; the byte after it (the line feed) is passed over unexamined.
class Reader {
public:
    Reader(std::string_view data, const std::string& fileName) : data_(data), file_(fileName) {}

    [[noreturn]] void Refuse(int line, const std::string& reason) const {
        throw Error("Cannot read the project file " + Quoted(file_) + ": line " + std::to_string(line) +
                    ": " + reason + ".");
    }
    // Named at the line where the data ends: a line skipped by its length may have
    // passed over a cut-off one.
    [[noreturn]] void Truncated() const {
        Refuse(1 + static_cast<int>(std::count(data_.begin(), data_.end(), '\n')), "the file ends inside a time section");
    }

    bool AtEnd() const { return pos_ >= data_.size(); }
    int LineNo() const { return line_; }

    void SkipBytes(size_t n) { pos_ = std::min(data_.size(), pos_ + n); }

    // The line that must stand here, exactly.
    void Expect(std::string_view known, const std::string& missing) {
        if (AtEnd()) Refuse(line_ + 1, missing);
        if (Line() != known) Refuse(line_, missing);
    }
    // A name of a file in the project folder; an empty one only where allowed.
    void CheckName(std::string_view name, bool emptyAllowed) const {
        if (name.empty() && emptyAllowed) return;
        if (const char* problem = FolderNameProblem(name)) Refuse(line_, Quoted(name) + ": " + problem);
    }

    // A line the writer puts here, passed over by its length; false when the data
    // ends before the line and its line end are complete.
    bool Skip(std::string_view known) {
        ++line_;
        size_t next = pos_ + known.size() + 2;
        pos_ = std::min(next, data_.size());
        return next <= data_.size();
    }
    // Inside a section the data must go on.
    void SkipInSection(std::string_view known) {
        if (AtEnd()) Truncated();
        if (!Skip(known)) Truncated();
    }

    // The next line; the last one may lack its line end.
    std::string_view Line() {
        ++line_;
        size_t cr = data_.find('\r', pos_);
        std::string_view line;
        if (cr == std::string_view::npos) {
            line = data_.substr(pos_);
            pos_ = data_.size();
        } else {
            line = data_.substr(pos_, cr - pos_);
            pos_ = std::min(data_.size(), cr + 2);
        }
        if (!ValidUtf8(line)) Refuse(line_, "the line is not UTF-8 text");
        return line;
    }
    std::string_view LineInSection() {
        if (AtEnd()) Truncated();
        return Line();
    }

    size_t Position() const { return pos_; }
    void Rewind(size_t pos) {
        pos_ = pos;
        --line_;
    }

    // The text after key="..." up to the next quotation mark or "<"; nullopt when the
    // key does not occur.
    static std::optional<std::string_view> Value(std::string_view line, std::string_view name) {
        std::string key = std::string(name) + "=\"";
        size_t at = line.find(key);
        if (at == std::string_view::npos) return std::nullopt;
        return Cut(line.substr(at + key.size()));
    }
    std::string Text(std::string_view line, std::string_view name) const {
        auto v = Value(line, name);
        return v ? std::string(*v) : std::string();
    }
    int NumberAfter(std::string_view rest, std::string_view line, std::string_view name) const {
        auto v = Value(rest, name);
        if (!v) v = Value(line, name);
        if (!v) return -1;
        return Integer(*v, name);
    }
    int Number(std::string_view line, std::string_view name) const {
        auto v = Value(line, name);
        if (!v) return -1;
        return Integer(*v, name);
    }
    // An optional + or - and ASCII digits within the 32-bit signed range.
    int Integer(std::string_view v, std::string_view what) const {
        std::string_view body = v;
        bool negative = false;
        if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
            negative = body.front() == '-';
            body.remove_prefix(1);
        }
        bool ok = !body.empty() && body.find_first_not_of("0123456789") == std::string_view::npos;
        long long value = 0;
        for (size_t n = 0; ok && n < body.size(); ++n) {
            value = value * 10 + (body[n] - '0');
            if (value > 2147483648LL) ok = false;
        }
        if (negative) value = -value;
        if (ok && (value < INT32_MIN || value > INT32_MAX)) ok = false;
        if (!ok)
            Refuse(line_, "the value " + Quoted(v) + " of " + std::string(what) + " is not a whole number");
        return static_cast<int>(value);
    }
    // The text after the first `chars` characters, up to the next quotation mark or "<".
    static std::string_view AfterPrefix(std::string_view line, size_t chars) {
        size_t i = 0;
        for (size_t n = 0; n < chars; ++n) {
            if (i >= line.size()) return {};
            ++i;
            while (i < line.size() && (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) ++i;
        }
        if (i >= line.size()) return {};
        return Cut(line.substr(i));
    }

private:
    static std::string_view Cut(std::string_view s) { return s.substr(0, s.find_first_of("\"<")); }

    std::string_view data_;
    const std::string& file_;
    size_t pos_ = 0;
    int line_ = 0;  // the number of the last line read or skipped (the declaration is 1)
};

// The number of the first line whose end is not CR LF (a lone CR or LF), or 0.
int FirstLoneLineEnd(std::string_view data) {
    int line = 1;
    for (size_t i = 0; i < data.size(); ++i) {
        if (data[i] == '\r') {
            if (i + 1 >= data.size() || data[i + 1] != '\n') return line;
            ++i;
            ++line;
        } else if (data[i] == '\n') {
            return line;
        }
    }
    return 0;
}

void ReadRect(Reader& r, std::string_view line, int& left, int& top, int& width, int& height) {
    left = r.Number(line, "x");
    top = r.Number(line, "y");
    width = r.Number(line, "w");
    height = r.Number(line, "h");
}

}  // namespace

void ReadPrjData(Project& prj, std::string_view data, const std::string& fileName) {
    Reader r(data, fileName);
    prj.TimeCount = 0;
    // Only a complete file of this form is a project: anything else (an empty or cut-off
    // file, an unrelated document) would open as an empty project and be overwritten.
    if (!data.starts_with("\xEF\xBB\xBF")) r.Refuse(1, "the file does not start with the UTF-8 byte order mark");
    if (int line = FirstLoneLineEnd(data.substr(3))) r.Refuse(line, "line ends are not CR LF");
    r.SkipBytes(3);
    r.Expect("<?xml version=\"1.0\" encoding=\"utf-8\"?>", "the declaration line is missing");
    r.Expect("<KESTREL>", "the root line <KESTREL> is missing");

    for (int i = 0;; ++i) {
        if (r.AtEnd()) r.Refuse(r.LineNo() + 1, "the closing line </KESTREL> is missing");
        std::string_view timeLine = r.Line();
        if (timeLine == "</KESTREL>") return;
        if (i >= MaxTimeIndex) r.Refuse(r.LineNo(), "more than 10 time sections");
        TTimePLData& rec = prj.TimePL[i];
        rec.StartTime = r.Number(timeLine, "s");
        rec.EndTime = r.Number(timeLine, "e");
        ++prj.TimeCount;

        r.SkipInSection(" <MAIN_WINDOW>");
        std::string_view rect = r.LineInSection();
        ReadRect(r, rect, rec.MainWin.Left, rec.MainWin.Top, rec.MainWin.Width, rec.MainWin.Height);
        r.SkipInSection("  <TRACK>");
        int k = 0;
        for (;;) {
            std::string_view line = r.LineInSection();
            if (line == "  </TRACK>") break;
            if (k > MaxPLIndex) r.Refuse(r.LineNo(), "more than 101 entries in the main window's playlist");
            TMainWinPL& e = rec.MainWin.PL[k];
            auto name = Reader::Value(line, "name");
            r.CheckName(name.value_or(std::string_view()), true);  // an entry may name no file
            e.FileName = prj.PrjDir + std::string(name.value_or(std::string_view()));
            // A file name may itself hold "vol=" or "interval=": the numbers are looked
            // for after the name first, where the writer puts them.
            std::string_view rest = line;
            if (name) rest = line.substr(static_cast<size_t>(name->data() + name->size() - line.data()));
            e.Vol = r.NumberAfter(rest, line, "vol");
            e.Interval = r.NumberAfter(rest, line, "interval");
            ++k;
        }
        rec.MainWin.PLCount = k;

        r.LineInSection();
        r.LineInSection();
        r.LineInSection();
        std::string_view windowLine = r.LineInSection();
        int subCount = r.Integer(Reader::AfterPrefix(windowLine, 11), "WINDOW");
        if (subCount > MaxSubWin) r.Refuse(r.LineNo(), "more than 8 sub windows in a time section");
        rec.SubWinCount = std::max(subCount, 0);  // a negative count reads no sub window

        rec.FileList.clear();
        r.SkipInSection("   <LIST>");
        for (;;) {
            std::string_view line = r.LineInSection();
            if (line == "   </LIST>") break;
            std::string_view entry = Reader::AfterPrefix(line, 7);
            r.CheckName(entry, false);
            rec.FileList.emplace_back(entry);
        }

        size_t mark = r.Position();
        std::string_view bg = Reader::AfterPrefix(r.LineInSection(), 15);
        if (bg.empty()) {
            r.Rewind(mark);
            rec.BGFile.clear();
        } else {
            r.CheckName(bg, false);
            rec.BGFile = prj.PrjDir + std::string(bg);
        }

        for (int j = 1; j <= rec.SubWinCount; ++j) {
            TSubWinData& w = rec.SubWin[j];
            r.SkipInSection("   <SUBW" + std::to_string(j) + ">");
            std::string_view subRect = r.LineInSection();
            ReadRect(r, subRect, w.Left, w.Top, w.Width, w.Height);
            const std::string closing = "   </SUBW" + std::to_string(j) + ">";
            int n = 0;
            for (;;) {
                std::string_view line = r.LineInSection();
                if (line == closing) break;
                if (n > MaxPLIndex)
                    r.Refuse(r.LineNo(), "more than 101 entries in the playlist of sub window " + std::to_string(j));
                TSubWinPL& e = w.PL[n];
                e.FileIndex = r.Number(line, "i");
                if (e.FileIndex < 0 || e.FileIndex >= static_cast<int>(rec.FileList.size()))
                    r.Refuse(r.LineNo(), "the file index " + std::to_string(e.FileIndex) +
                                             " lies outside the file list of " +
                                             std::to_string(rec.FileList.size()) + " entries");
                e.Times = r.Number(line, "t");
                e.FileName = prj.PrjDir + rec.FileList[e.FileIndex];
                ++n;
            }
            w.PLCount = n;
        }

        r.LineInSection();
        r.LineInSection();
        r.LineInSection();
    }
}

void ReadPrjFile(Project& prj) {
    const std::string& file = prj.PrjFileName;
    auto refuse = [&](const std::string& reason) {
        throw Error("Cannot read the project file " + Quoted(file) + ": line 1: " + reason + ".");
    };
    const RegularFile in(file);  // a named pipe or a device must not hang the editor
    if (in.Fd() < 0) refuse(in.Problem() == NotARegularFile ? "the file is not a regular file" : in.Problem());
    if (static_cast<std::uintmax_t>(in.Stat().st_size) > MaxPrjFileSize) refuse("the file is larger than 64 MiB");
    std::string data;
    char buf[1 << 16];
    for (;;) {
        ssize_t n = ::read(in.Fd(), buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) refuse(std::strerror(errno));
        if (n == 0) break;
        data.append(buf, static_cast<size_t>(n));
        if (data.size() > MaxPrjFileSize) refuse("the file is larger than 64 MiB");
    }
    ReadPrjData(prj, data, file);
}

}  // namespace kestrel
