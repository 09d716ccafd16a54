#include "tool/ReportCommands.h"

#include <charconv>
#include <optional>
#include <iostream>
#include <nlohmann/json.hpp>
#include <vector>

#include "check/ProjectCheck.h"
#include "check/Schedule.h"
#include "model/Error.h"
#include "tool/ProjectRender.h"

namespace kestrel::tool {

namespace {

using Json = nlohmann::ordered_json;

constexpr int ExitProblems = 4;

struct Use {
    std::string command;
    std::string file;
    std::string out;   // render
    int section = 1;   // render, from 1
    bool json = false; // check
};

// Nothing when the arguments are no valid use of the command.
std::optional<Use> Parse(const std::vector<std::string>& args) {
    Use use;
    use.command = args[0];
    std::vector<std::string> plain;
    for (size_t i = 1; i < args.size(); ++i) {
        if (use.command == "check" && args[i] == "--json" && !use.json) {
            use.json = true;
        } else if (use.command == "render" && args[i] == "--section" && i + 1 < args.size()) {
            const std::string& n = args[++i];
            auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), use.section);
            if (ec != std::errc() || end != n.data() + n.size() || use.section < 1) return std::nullopt;
        } else {
            plain.push_back(args[i]);
        }
    }
    const size_t wanted = use.command == "render" ? 2 : 1;
    if (plain.size() != wanted) return std::nullopt;
    use.file = plain[0];
    if (wanted == 2) use.out = plain[1];
    return use;
}

Json OrNull(const std::string& text) { return text.empty() ? Json(nullptr) : Json(text); }

Json FindingJson(const Finding& f) {
    Json j;
    j["level"] = LevelName(f.level);
    j["code"] = f.Code;
    j["section"] = OrNull(f.SectionText);
    j["window"] = f.Window >= 0 ? Json(WindowName(f.Window)) : Json(nullptr);
    j["entry"] = f.Entry > 0 ? Json(f.Entry) : Json(nullptr);
    j["file"] = OrNull(f.File);
    j["message"] = f.Message;
    return j;
}

int Check(const Project& prj, bool json) {
    const CheckReport report = CheckProject(prj);
    if (json) {
        Json root;
        root["findings"] = Json::array();
        for (const Finding& f : report.Findings) root["findings"].push_back(FindingJson(f));
        root["media_bytes"] = report.MediaBytes;
        std::cout << root.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
    } else {
        for (const Finding& f : report.Findings) std::cout << f.Line() << "\n";
    }
    return report.Problems() > 0 ? ExitProblems : 0;
}

int Render(const Project& prj, const Use& use) {
    if (use.section > ListedSections(prj)) {
        std::cerr << use.file << " has no time section " << use.section << " (it has " << ListedSections(prj)
                  << ")\n";
        return 2;
    }
#ifdef KESTREL_TOOL_RENDER
    RenderSectionToFile(prj, use.section - 1, use.out);
    return 0;
#else
    std::cerr << "render: this kestrel-tool was built without Qt and cannot draw\n";
    return 2;
#endif
}

}  // namespace

bool IsReportCommand(const std::string& command) {
    return command == "check" || command == "schedule" || command == "render";
}

int RunReportCommand(int argc, char** argv, const char* usage, ProjectReader read) {
    const std::optional<Use> use = Parse(std::vector<std::string>(argv + 1, argv + argc));
    if (!use) {
        std::cerr << usage << "\n";
        return 2;
    }
    try {
        const std::unique_ptr<Project> prj = read(use->file);
        if (use->command == "check") return Check(*prj, use->json);
        if (use->command == "render") return Render(*prj, *use);
        for (const std::string& line : ScheduleLines(*prj)) std::cout << line << "\n";
    } catch (const Error& e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << use->file << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace kestrel::tool
