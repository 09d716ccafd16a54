// Closing a dialog with the largest project (10 sections, 9 windows each, 101 entries
// in every playlist) and all its media in place: the main window becomes active again,
// rebuilds the current section's file list and checks its copies. Offscreen; the time
// per iteration is one close, from the close to the main window's events handled.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "app/KestrelApp.h"
#include "app/PList.h"
#include "app/about.h"
#include "storage/CopyWorker.h"
#include "storage/MediaCopy.h"
#include "storage/ProjectSaver.h"
#include "storage/ProjectSamples.h"
#include "support/TempFolder.h"
#include "timesections/TimeSections.h"

namespace {

using namespace kestrel;
namespace fs = std::filesystem;

using bench::Folder;

// The largest project, its first section shown, every file copied into its folder.
void LoadLargest(KestrelApp& app, const Folder& media, const Folder& project) {
    Editor& ed = app.ed;
    Project& prj = *ed.Prj;
    test::FillLargest(prj, media.Dir());
    prj.PrjDir = project.Dir();
    prj.PrjFileName = project.Dir() + "plan.XML";
    for (const CopyJob& job : SaveCopyPlan(prj)) std::ofstream(job.Source) << "media of " << job.Source;
    QImage background(136, 77, QImage::Format_RGB32);  // the section shows its background
    background.fill(Qt::darkCyan);
    for (int i = 0; i < prj.TimeCount; ++i) background.save(QString::fromStdString(prj.TimePL[i].BGFile), "JPG");
    CopyWorker copies(SaveCopyPlan(prj));
    std::atomic<bool> cancel{false};
    copies.Run([](const JobProgress&) {}, cancel);
    app.Form1->RunCommand([&] {
        prj.CurTimeIndex = 0;
        ShowTimeSection(ed);
    });
}

void BM_CloseDialogLargestProject(benchmark::State& state) {
    Folder media, project;
    KestrelApp app;
    app.ShowMain();
    LoadLargest(app, media, project);
    QApplication::processEvents();
    const auto before = MediaBytesCopied();
    for (auto _ : state) {
        app.AboutFrm->ShowOverMain();
        QApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        app.AboutFrm->close();
        QApplication::processEvents();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["entries_in_section"] = SectionEntryCount(app.ed.Prj->TimePL[0]);
    state.counters["bytes_copied"] = double(MediaBytesCopied() - before);
}
BENCHMARK(BM_CloseDialogLargestProject)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
