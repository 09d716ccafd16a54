// Writing and reading the largest project, the file list rebuild with the media in
// place, and the media copy against a plain read/write loop.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "storage/MediaCopy.h"
#include "storage/PrjFileReader.h"
#include "storage/PrjFileWriter.h"
#include "storage/ProjectFolder.h"
#include "storage/ProjectSaver.h"
#include "storage/ProjectSamples.h"
#include "support/SilentPlatform.h"
#include "support/TempFolder.h"

namespace {

using namespace kestrel;
namespace fs = std::filesystem;

using bench::Folder;

void BM_WriteLargestProject(benchmark::State& state) {
    auto prj = std::make_unique<Project>();
    test::FillLargest(*prj, "/media/");
    size_t bytes = 0;
    for (auto _ : state) {
        std::string text = PrjFileText(*prj);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["file_bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteLargestProject)->Unit(benchmark::kMicrosecond);

void BM_WriteLargestProjectToDisk(benchmark::State& state) {
    Folder dir;
    auto prj = std::make_unique<Project>();
    test::FillLargest(*prj, "/media/");
    prj->PrjFileName = dir.Dir() + "plan.XML";
    for (auto _ : state) WritePrjFile(*prj);  // includes fsync and rename
}
BENCHMARK(BM_WriteLargestProjectToDisk)->Unit(benchmark::kMillisecond);

void BM_ReadLargestProject(benchmark::State& state) {
    auto source = std::make_unique<Project>();
    test::FillLargest(*source, "/media/");
    const std::string text = PrjFileText(*source);
    for (auto _ : state) {
        auto prj = std::make_unique<Project>();
        prj->PrjDir = "/prj/";
        ReadPrjData(*prj, text, "plan.XML");
        benchmark::DoNotOptimize(prj->TimeCount);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadLargestProject)->Unit(benchmark::kMicrosecond);

// 8 sub windows x 101 entries, every file already copied: only metadata is touched.
void BM_RefreshFileListMediaInPlace(benchmark::State& state) {
    Folder media, project;
    bench::SilentPlatform platform;
    Editor ed(platform);
    test::FillLargest(*ed.Prj, media.Dir());
    ed.Prj->PrjDir = project.Dir();
    ed.Prj->PrjFileName = project.Dir() + "plan.XML";
    ed.Prj->CurTimeIndex = 0;
    const std::string content(64 * 1024, 'p');
    for (int j = 1; j <= MaxSubWin; ++j)
        for (int k = 0; k <= MaxPLIndex; ++k) std::ofstream(ed.Prj->TimePL[0].SubWin[j].PL[k].FileName) << content;
    RefreshFileList(ed);  // the first copies
    auto before = MediaBytesCopied();
    for (auto _ : state) RefreshFileList(ed);
    state.counters["bytes_copied"] = static_cast<double>(MediaBytesCopied() - before);
}
BENCHMARK(BM_RefreshFileListMediaInPlace)->Unit(benchmark::kMicrosecond);

// A second save of the worked example's shape scaled up: nothing changed, nothing copied.
void BM_SecondSaveNothingChanged(benchmark::State& state) {
    Folder media, project;
    bench::SilentPlatform platform;
    Editor ed(platform);
    test::FillLargest(*ed.Prj, media.Dir());
    for (int i = 0; i < MaxTimeIndex; ++i) {
        auto& s = ed.Prj->TimePL[i];
        std::ofstream(s.BGFile) << "bg";
        for (int k = 0; k <= MaxPLIndex; ++k) std::ofstream(s.MainWin.PL[k].FileName) << "main";
        for (int j = 1; j <= MaxSubWin; ++j)
            for (int k = 0; k <= MaxPLIndex; ++k) std::ofstream(s.SubWin[j].PL[k].FileName) << "sub";
    }
    ed.Prj->PrjDir = project.Dir();
    ed.Prj->PrjFileName = project.Dir() + "plan.XML";
    ed.Prj->CurTimeIndex = 0;
    TBtnSavePrjClick(ed);  // the first save copies everything
    auto before = MediaBytesCopied();
    for (auto _ : state) TBtnSavePrjClick(ed);
    state.counters["bytes_copied"] = static_cast<double>(MediaBytesCopied() - before);
}
BENCHMARK(BM_SecondSaveNothingChanged)->Unit(benchmark::kMillisecond);

constexpr off_t BigSize = 256 << 20;

struct BigFile {
    Folder dir;
    std::string source = dir.Dir() + "big.mp4";
    std::string target = dir.Dir() + "copy.mp4";
    BigFile() {
        std::vector<char> chunk(1 << 20);
        for (size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>(i * 31);
        std::ofstream out(source, std::ios::binary);
        for (off_t n = 0; n < BigSize; n += static_cast<off_t>(chunk.size())) out.write(chunk.data(), chunk.size());
    }
};

void BM_CopyMedia256MiB(benchmark::State& state) {
    BigFile big;
    for (auto _ : state) {
        fs::remove(big.target);  // a fresh destination each time, so the bytes move
        auto r = CopyMediaFile(big.source, big.target, true);
        if (r.Status != CopyStatus::Copied) state.SkipWithError(r.Reason.c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * BigSize);
}
BENCHMARK(BM_CopyMedia256MiB)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CopyReadWriteLoop256MiB(benchmark::State& state) {
    BigFile big;
    std::vector<char> buf(64 * 1024);
    for (auto _ : state) {
        fs::remove(big.target);
        int in = ::open(big.source.c_str(), O_RDONLY);
        int out = ::open(big.target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ssize_t n;
        while ((n = ::read(in, buf.data(), buf.size())) > 0)
            if (::write(out, buf.data(), static_cast<size_t>(n)) != n) break;
        ::close(in);
        ::close(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * BigSize);
}
BENCHMARK(BM_CopyReadWriteLoop256MiB)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
