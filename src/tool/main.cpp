// kestrel-tool: reads a project file as the editor's Open command does, prints it as
// JSON or writes it again with the editor's writer; check, schedule and render report
// on it (ReportCommands).
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "model/Error.h"
#include "model/Paths.h"
#include "storage/PrjFileReader.h"
#include "storage/PrjFileWriter.h"
#include "tool/ReportCommands.h"

namespace {

using kestrel::Project;
using Json = nlohmann::ordered_json;

constexpr const char* Usage =
    "usage: kestrel-tool dump FILE | kestrel-tool rewrite FILE OUT\n"
    "       kestrel-tool check FILE [--json] | kestrel-tool schedule FILE\n"
    "       kestrel-tool render FILE OUT.png [--section N]";

std::unique_ptr<Project> Read(const std::string& file) {
    auto prj = std::make_unique<Project>();
    prj->PrjFileName = file;
    prj->PrjDir = kestrel::FolderPart(file);  // the folder of the file as given
    kestrel::ReadPrjFile(*prj);
    return prj;
}

Json Dump(const Project& prj) {
    Json root;
    root["TimeCount"] = prj.TimeCount;
    Json sections = Json::array();
    for (int i = 0; i < prj.TimeCount; ++i) {
        const auto& s = prj.TimePL[i];
        Json main;
        main["Left"] = s.MainWin.Left;
        main["Top"] = s.MainWin.Top;
        main["Width"] = s.MainWin.Width;
        main["Height"] = s.MainWin.Height;
        main["PLCount"] = s.MainWin.PLCount;
        main["PL"] = Json::array();
        for (int k = 0; k < s.MainWin.PLCount; ++k)
            main["PL"].push_back({{"Interval", s.MainWin.PL[k].Interval},
                                  {"Vol", s.MainWin.PL[k].Vol},
                                  {"FileName", s.MainWin.PL[k].FileName}});
        Json subs = Json::array();
        for (int j = 1; j <= s.SubWinCount; ++j) {
            const auto& w = s.SubWin[j];
            Json sub;
            sub["Left"] = w.Left;
            sub["Top"] = w.Top;
            sub["Width"] = w.Width;
            sub["Height"] = w.Height;
            sub["PLCount"] = w.PLCount;
            sub["PL"] = Json::array();
            for (int k = 0; k < w.PLCount; ++k)
                sub["PL"].push_back({{"FileIndex", w.PL[k].FileIndex},
                                     {"Times", w.PL[k].Times},
                                     {"FileName", w.PL[k].FileName}});
            subs.push_back(std::move(sub));
        }
        Json section;
        section["StartTime"] = s.StartTime;
        section["EndTime"] = s.EndTime;
        section["MainWin"] = std::move(main);
        section["SubWinCount"] = s.SubWinCount;
        section["FileList"] = s.FileList;
        section["BGFile"] = s.BGFile;
        section["SubWin"] = std::move(subs);
        sections.push_back(std::move(section));
    }
    root["TimePL"] = std::move(sections);
    return root;
}

int Run(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (kestrel::tool::IsReportCommand(command)) return kestrel::tool::RunReportCommand(argc, argv, Usage, Read);
    if (!((command == "dump" && argc == 3) || (command == "rewrite" && argc == 4))) {
        std::cerr << Usage << "\n";
        return 2;
    }
    try {
        auto prj = Read(argv[2]);
        if (command == "dump") {
            std::cout << Dump(*prj).dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
        } else {
            prj->PrjFileName = argv[3];
            kestrel::WritePrjFile(*prj);  // copies no media
        }
    } catch (const kestrel::Error& e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << argv[2] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int status = Run(argc, argv);
    // A script must not take a report cut off by a full disk or a closed pipe for a whole one.
    if (!std::cout.flush()) {
        std::cerr << "kestrel-tool: the output could not be written\n";
        return 1;
    }
    return status;
}
