// The check and the render of the largest project (10 sections, 8 sub windows each, 101
// entries in every playlist) with every file in its project folder, and, to set them
// apart, the reading of the pictures that the render shows.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "check/ProjectCheck.h"
#include "model/Paths.h"
#include "storage/ProjectSamples.h"
#include "tool/ProjectRender.h"

namespace {

using namespace kestrel;
namespace fs = std::filesystem;

// The largest project in a folder of its own; the pictures are real JPEG files of a
// typical size, the other media a few bytes each.
struct LargestProject {
    fs::path dir;
    Project prj;

    LargestProject() {
        std::string t = (fs::temp_directory_path() / "kestrel-check-bench-XXXXXX").string();
        dir = ::mkdtemp(t.data());
        prj.PrjDir = dir.string() + "/";
        prj.PrjFileName = prj.PrjDir + "LARGEST.XML";
        test::FillLargest(prj, prj.PrjDir);
        std::ofstream(prj.PrjFileName) << "project";
        QImage picture(640, 360, QImage::Format_RGB32);
        picture.fill(QColor(40, 120, 200));
        for (const std::string& file : Files()) {
            if (IsPictureFile(file))
                picture.save(QString::fromStdString(file), "JPG");
            else
                std::ofstream(file) << "media";
        }
    }
    ~LargestProject() { fs::remove_all(dir); }

    std::set<std::string> Files() const {
        std::set<std::string> files;
        for (int i = 0; i < prj.TimeCount; ++i) {
            const TTimePLData& s = prj.TimePL[i];
            files.insert(s.BGFile);
            for (int k = 0; k < s.MainWin.PLCount; ++k) files.insert(s.MainWin.PL[k].FileName);
            for (int j = 1; j <= s.SubWinCount; ++j)
                for (int k = 0; k < s.SubWin[j].PLCount; ++k) files.insert(s.SubWin[j].PL[k].FileName);
        }
        return files;
    }
    // What one section's render reads: its background and each window's first picture.
    std::vector<std::string> RenderedPictures(int i) const {
        const TTimePLData& s = prj.TimePL[i];
        std::vector<std::string> files{s.BGFile};
        for (int j = 1; j <= s.SubWinCount; ++j) files.push_back(s.SubWin[j].PL[0].FileName);
        return files;
    }
};

LargestProject& Largest() {
    static LargestProject p;
    return p;
}

void BM_CheckLargestProject(benchmark::State& state) {
    const Project& prj = Largest().prj;
    size_t findings = 0;
    for (auto _ : state) findings = CheckProject(prj).Findings.size();
    state.counters["findings"] = static_cast<double>(findings);
    state.counters["files"] = static_cast<double>(Largest().Files().size());
}
BENCHMARK(BM_CheckLargestProject)->Unit(benchmark::kMillisecond);

void BM_RenderSection(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(RenderSection(Largest().prj, 0));
}
BENCHMARK(BM_RenderSection)->Unit(benchmark::kMillisecond);

// The part of the render that is the reading of its pictures.
void BM_ReadSectionPictures(benchmark::State& state) {
    const std::vector<std::string> files = Largest().RenderedPictures(0);
    for (auto _ : state)
        for (const std::string& f : files) benchmark::DoNotOptimize(QImageReader(QString::fromStdString(f)).read());
    state.counters["pictures"] = static_cast<double>(files.size());
}
BENCHMARK(BM_ReadSectionPictures)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
