#pragma once
// The seam between the core and the desktop: every question, report and file choice.

#include <optional>
#include <string>
#include <vector>

namespace kestrel {

inline constexpr const char* AppTitle = "Kestrel";

enum class Buttons { Ok, YesNo };
enum class Icon { None, Information, Warning, Question, Error };
enum class Answer { Ok, Yes, No };

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
    // Called by a save before each media copy: the copy's source, the copies done so far
    // and the number planned for this save; once more with done == total (and no file)
    // when the copies are done.
    virtual void SaveProgress(const std::string& /*file*/, int /*done*/, int /*total*/) {}
    // Values remembered between runs (the last folder used, recent projects, toggles),
    // by key; "" when never set.
    virtual std::string Setting(const std::string& /*key*/) { return {}; }
    virtual void SetSetting(const std::string& /*key*/, const std::string& /*value*/) {}

    // Conveniences on top of Message.
    void Report(const std::string& text) { Message(AppTitle, text, Buttons::Ok, Icon::None); }
    void Warn(const std::string& text) { Message("Warning", text, Buttons::Ok, Icon::Warning); }
};

}  // namespace kestrel
