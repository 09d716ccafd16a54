// A saving process to be killed at random moments: builds a project from every file of a
// folder and saves it with the editor's Save as. Used by scripts/kill-during-save.
// usage: save_driver SOURCE_FOLDER PROJECT_FILE
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "model/Editor.h"
#include "model/Error.h"
#include "model/Paths.h"
#include "storage/ProjectSaver.h"

namespace {

// Answers the save dialog with one path and every question with Yes.
class ScriptedPlatform : public kestrel::Platform {
public:
    explicit ScriptedPlatform(std::string file) : file_(std::move(file)) {}
    kestrel::Answer Message(const std::string&, const std::string& text, kestrel::Buttons buttons,
                            kestrel::Icon) override {
        if (buttons == kestrel::Buttons::Ok) std::cout << text << "\n";
        return buttons == kestrel::Buttons::Ok ? kestrel::Answer::Ok : kestrel::Answer::Yes;
    }
    std::string OpenFile(const std::string&, const std::string&) override { return {}; }
    std::vector<std::string> OpenFiles(const std::string&, const std::string&) override { return {}; }
    std::string SaveFile(const std::string&, const std::string&) override { return file_; }
    std::optional<std::string> PictureProblem(const std::string&) override { return std::nullopt; }

private:
    std::string file_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: save_driver SOURCE_FOLDER PROJECT_FILE\n";
        return 2;
    }
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(argv[1]))
        if (e.is_regular_file()) files.push_back(e.path().string());
    std::sort(files.begin(), files.end());

    ScriptedPlatform platform(argv[2]);
    kestrel::Editor ed(platform);
    kestrel::Project& prj = *ed.Prj;
    prj.TimeCount = 1;
    prj.CurTimeIndex = 0;
    kestrel::TTimePLData& s = prj.TimePL[0];
    s.StartTime = 800;
    s.EndTime = 1700;
    s.SubWinCount = 1;
    for (const std::string& f : files) {
        bool picture = kestrel::IsPictureFile(f);
        if (picture && s.BGFile.empty()) {
            s.BGFile = f;  // kept once present: a cut-off copy would stay for good
        } else if (picture) {
            s.SubWin[1].PL[s.SubWin[1].PLCount++] = {0, 1, f};
        } else {
            s.MainWin.PL[s.MainWin.PLCount++] = {1, 50, f};
        }
    }
    try {
        kestrel::Saveas1Click(ed);
    } catch (const kestrel::Error& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
