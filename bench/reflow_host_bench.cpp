// The reflow command through the host of our own: the Unicode build's macro
// call "Reflow" (as marten-edit's Alt+B makes it) on one paragraph of one
// quoted author, " AB> " and ragged lines of words, about 12,000 lines per
// MB, beside `fold -s -w 78` on the same text, in one run. Greedy and
// balanced lines run in two copies of the module, each loaded with a
// settings store of its own, so that each keeps its own settings.
// bench/reflow-vs-fold.sh turns the figures into ratios.
//
// The time of a run is CPU time around the one call (fold's from its exit
// status); the editor is made afresh outside it for every run.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

#include "bench/cpu_time.hpp"
#include "bench/loaded_host.hpp"
#include "engine/editor.hpp"
#include "host/unicode/unicode_settings_store.hpp"
#include "module/unicode/guids.hpp"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kKilobyte = 1 << 10;

// One line of the paragraph: " AB> " and words of 1 to 10 letters up to
// 40 to 90 characters.
std::string QuotedLine(std::mt19937& random) {
    std::string line = " AB> ";
    const std::size_t length = 40 + random() % 51;
    while (line.size() < length) {
        if (line.size() > 5) line += ' ';
        const int word = 1 + static_cast<int>(random() % 10);
        for (int i = 0; i < word; ++i) line += static_cast<char>('a' + random() % 26);
    }
    return line;
}

// The paragraph of `bytes` with CRLF ends, always the same.
const std::string& ParagraphText(std::size_t bytes) {
    static std::map<std::size_t, std::string> made;
    std::string& text = made[bytes];
    std::mt19937 random(static_cast<unsigned>(bytes));
    while (text.size() < bytes) text += QuotedLine(random) + "\r\n";
    return text;
}

fs::path Scratch(const std::string& name) {
    return fs::temp_directory_path() /
           ("marten-reflow-bench-" + std::to_string(getpid()) + "-" + name);
}

// The same text as a file, for fold.
const std::string& TextFile(std::size_t bytes) {
    static std::map<std::size_t, std::string> files;
    std::string& path = files[bytes];
    if (path.empty()) {
        path = Scratch(std::to_string(bytes)).string();
        std::ofstream(path, std::ios::binary) << ParagraphText(bytes);
        std::atexit([] {
            for (const auto& [size, file] : files) std::remove(file.c_str());
        });
    }
    return path;
}

// A copy of the Unicode module loaded by a host of its own, with a settings
// store of its own that holds `balanced` (every other setting at its
// default): a second copy has globals of its own.
host::Host* LoadCopy(const std::string& name, bool balanced) {
    const fs::path folder = Scratch(name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path module = folder / ("MartenW-" + name + ".so");
    fs::copy_file(MARTEN_UNICODE_MODULE_PATH, module);
    setenv("MARTEN_SETTINGS", (folder / "settings").c_str(), 1);
    {
        const unicode_api::GUID& plugin = marten::unicode::kPluginGuid;
        host::SettingsStore store(plugin);
        unicode_api::FarSettingsCreate create{sizeof create, plugin, nullptr};
        store.Control(nullptr, unicode_api::SCTL_CREATE, unicode_api::PSL_ROAMING, &create);
        unicode_api::FarSettingsItem item{sizeof item, 0, u"Balanced", unicode_api::FST_QWORD, {}};
        item.Number = balanced ? 1 : 0;
        store.Control(create.Handle, unicode_api::SCTL_SET, 0, &item);
        store.Control(create.Handle, unicode_api::SCTL_FREE, 0, nullptr);
    }
    host::Host* loaded = bench::LoadOrStop(module.c_str());
    return loaded;
}

host::Host& GreedyHost() {
    static host::Host* loaded = LoadCopy("greedy", false);
    return *loaded;
}

host::Host& BalancedHost() {
    static host::Host* loaded = LoadCopy("balanced", true);
    return *loaded;
}

// One reflow of the whole paragraph, the cursor on its first line.
void ReflowThrough(benchmark::State& state, host::Host& h) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * kKilobyte;
    const std::string& text = ParagraphText(bytes);
    double wall = 0;
    for (auto _ : state) {
        engine::Editor editor("/fido/reply.msg", text);
        h.SetEditor(&editor);
        std::optional<std::intptr_t> answer;
        bench::TimeRun(state, wall, [&] { answer = h.CallFromMacro("Reflow"); });
        h.SetEditor(nullptr);
        if (answer != 1) {
            state.SkipWithError("the reflow changed nothing");
            break;
        }
    }
    bench::ReportWall(state, wall);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void ReflowGreedy(benchmark::State& state) { ReflowThrough(state, GreedyHost()); }
void ReflowBalanced(benchmark::State& state) { ReflowThrough(state, BalancedHost()); }

void FoldReference(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * kKilobyte;
    bench::RunFold(state, TextFile(bytes), bytes);
}

// 1 MB and 10 MB, timed by CPU time.
void Sizes(benchmark::internal::Benchmark* run) {
    run->Arg(1024)->Arg(10240)->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(FoldReference)->Apply(Sizes);
BENCHMARK(ReflowGreedy)->Apply(Sizes);
BENCHMARK(ReflowBalanced)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
