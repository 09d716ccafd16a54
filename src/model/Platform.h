#pragma once
// The seam between the core and the desktop: every question, report and file choice.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

inline constexpr const char* AppTitle = "Kestrel";

enum class Buttons { Ok, YesNo };
enum class Icon { None, Information, Warning, Question, Error };
enum class Answer { Ok, Yes, No };

// How far long work has got: bytes done of the bytes to do, and the file at hand.
struct JobProgress {
    std::uint64_t BytesDone = 0;
    std::uint64_t BytesTotal = 0;
    std::string CurrentFile;
};
// Long work (copying media): it calls report as it goes, from the thread it runs on,
// and stops soon after cancel becomes true.
using JobReport = std::function<void(const JobProgress&)>;
using Job = std::function<void(const JobReport& report, const std::atomic<bool>& cancel)>;

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box; returns the button pressed (No when closed otherwise).
    virtual Answer Message(const std::string& caption, const std::string& text, Buttons buttons,
                           Icon icon) = 0;
    // File choosers. filter is "Text (*.EXT)|*.EXT". An empty result means cancelled.
    virtual std::string OpenFile(const std::string& filter, const std::string& initialDir) = 0;
    virtual std::vector<std::string> OpenFiles(const std::string& filter,
                                               const std::string& initialDir) = 0;
    virtual std::string SaveFile(const std::string& filter, const std::string& initialDir) = 0;
    // Whether a picture file can be shown: nullopt when it can, else the reason.
    virtual std::optional<std::string> PictureProblem(const std::string& path) = 0;
    // Runs long work and returns when it has ended, done or cancelled. A desktop runs it
    // off the user-interface thread and shows its progress with a Cancel button; the
    // windows keep painting but take no input meanwhile. This one runs it here, at once.
    virtual void RunJob(const Job& job) {
        const std::atomic<bool> notCancelled{false};
        job([](const JobProgress&) {}, notCancelled);
    }
    // Values remembered between runs (the last folder used, recent projects, toggles),
    // by key; "" when never set.
    virtual std::string Setting(const std::string& /*key*/) { return {}; }
    virtual void SetSetting(const std::string& /*key*/, const std::string& /*value*/) {}

    // Conveniences on top of Message.
    void Report(const std::string& text) { Message(AppTitle, text, Buttons::Ok, Icon::None); }
    void Warn(const std::string& text) { Message("Warning", text, Buttons::Ok, Icon::Warning); }
};

}  // namespace kestrel
