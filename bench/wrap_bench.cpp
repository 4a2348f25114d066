// The cost of one wrap: a character typed at the end of a single long line of
// words (RIndent 78), beside the reference `fold -s -w 78` on the same text,
// in one run. The wrap runs two ways: through the host of our own (its
// module loader, services and editor), and through the module's exports
// alone with a plain editor service of the benchmark's own, which holds a
// cursor at any column and so also measures lines past the host editor's
// column bound. bench/wrap-vs-fold.sh turns the figures into ratios.
//
// The time of a run is CPU time (user and system: the benchmark's own around
// the one call, fold's from its exit status), so that other work on a shared
// machine does not blur the ratios; the wall time is a counter beside it.
#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/cpu_time.hpp"
#include "bench/loaded_host.hpp"
#include "engine/editor.hpp"
#include "host/host.hpp"
#include "host/key_script.hpp"

namespace {

using bench::ReportWall;
using bench::TimeRun;

constexpr std::size_t kKilobyte = 1 << 10;

// Words of 1 to 10 letters with single blanks between them, always the same.
const std::string& LineOfWords(std::size_t bytes) {
    static std::map<std::size_t, std::string> made;
    std::string& line = made[bytes];
    if (line.empty()) {
        std::mt19937 random(static_cast<unsigned>(bytes));
        line.reserve(bytes + 16);
        while (line.size() < bytes) {
            if (!line.empty()) line += ' ';
            const int length = 1 + static_cast<int>(random() % 10);
            for (int i = 0; i < length; ++i) line += static_cast<char>('a' + random() % 26);
        }
        line.resize(bytes);
        if (line.back() == ' ') line.back() = 'z';
    }
    return line;
}

// The same text as a file, for fold.
const std::string& TextFile(std::size_t bytes) {
    static std::map<std::size_t, std::string> files;
    std::string& path = files[bytes];
    if (path.empty()) {
        path = (std::filesystem::temp_directory_path() /
                ("marten-wrap-bench-" + std::to_string(getpid()) + "-" + std::to_string(bytes)))
                   .string();
        std::ofstream(path, std::ios::binary) << LineOfWords(bytes);
        std::atexit([] {
            for (const auto& [size, file] : files) std::remove(file.c_str());
        });
    }
    return path;
}

// One host with the module loaded, shared by all runs; its settings live in
// a registry file of the benchmark's own, at their defaults (RIndent 78).
host::Host& LoadedHost() {
    static host::Host* loaded = [] {
        const std::string registry = (std::filesystem::temp_directory_path() /
                                      ("marten-wrap-bench-" + std::to_string(getpid()) + ".reg"))
                                         .string();
        std::remove(registry.c_str());
        setenv("MARTEN_REGISTRY", registry.c_str(), 1);
        host::Host* h = bench::LoadOrStop(MARTEN_MODULE_PATH);
        std::atexit([] { std::remove(std::getenv("MARTEN_REGISTRY")); });
        return h;
    }();
    return *loaded;
}

// The Unicode build by a host of its own, its settings store new and so at
// the defaults.
host::Host& LoadedUnicodeHost() {
    static host::Host* loaded = [] {
        LoadedHost();  // the registry file it could take settings over from, empty
        static const std::string folder =
            (std::filesystem::temp_directory_path() /
             ("marten-wrap-bench-" + std::to_string(getpid()) + "-settings"))
                .string();
        std::filesystem::remove_all(folder);
        setenv("MARTEN_SETTINGS", folder.c_str(), 1);
        host::Host* h = bench::LoadOrStop(MARTEN_UNICODE_MODULE_PATH);
        std::atexit([] { std::filesystem::remove_all(folder); });
        return h;
    }();
    return *loaded;
}

// The wrap through a host of either build of the module.
void WrapThrough(benchmark::State& state, host::Host& h) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * kKilobyte;
    const std::string& line = LineOfWords(bytes);
    std::string error;
    const auto strokes = host::ParseKeyScript("x", &error);
    const INPUT_RECORD down = host::KeyDownRecord(strokes->front());
    int lines = 0;
    double wall = 0;
    for (auto _ : state) {
        engine::Editor editor("reply.msg", line);
        editor.SetCursor(0, static_cast<int>(line.size()));
        h.SetEditor(&editor);
        TimeRun(state, wall, [&] { h.Dispatch(down); });
        lines = editor.LineCount();
        h.SetEditor(nullptr);
    }
    ReportWall(state, wall);
    if (lines == 1)
        state.SkipWithError("the host's editor cannot put the cursor at the end of this line");
    state.counters["lines"] = lines;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void WrapThroughHost(benchmark::State& state) { WrapThrough(state, LoadedHost()); }
void WrapThroughUnicodeHost(benchmark::State& state) { WrapThrough(state, LoadedUnicodeHost()); }

// ---------------------------------------------------------------------------
// The module's exports with an editor service of the benchmark's own

// The document as a list of lines, the wrapped line the last one, so that
// inserting below it costs nothing; conversions are the identity (OEM table).
struct PlainEditor {
    std::vector<std::string> lines;
    int curLine = 0;
    int curPos = 0;
};

PlainEditor* plain = nullptr;

int WINAPI PlainEditorControl(int command, void* param) {
    PlainEditor& e = *plain;
    switch (command) {
    case ECTL_GETINFO: {
        auto* info = static_cast<EditorInfo*>(param);
        *info = EditorInfo{};
        info->FileName = "reply.msg";
        info->TotalLines = static_cast<int>(e.lines.size());
        info->CurLine = e.curLine;
        info->CurPos = e.curPos;
        return 1;
    }
    case ECTL_GETSTRING: {
        auto* get = static_cast<EditorGetString*>(param);
        const int n = get->StringNumber == -1 ? e.curLine : get->StringNumber;
        if (n < 0 || n >= static_cast<int>(e.lines.size())) return 0;
        const std::string& line = e.lines[static_cast<std::size_t>(n)];
        get->StringText = line.data();
        get->StringEOL = "";
        get->StringLength = static_cast<int>(line.size());
        return 1;
    }
    case ECTL_SETSTRING: {
        auto* set = static_cast<EditorSetString*>(param);
        const int n = set->StringNumber == -1 ? e.curLine : set->StringNumber;
        if (n < 0 || n >= static_cast<int>(e.lines.size())) return 0;
        e.lines[static_cast<std::size_t>(n)].assign(set->StringText,
                                                    static_cast<std::size_t>(set->StringLength));
        return 1;
    }
    case ECTL_SETPOSITION: {
        auto* pos = static_cast<EditorSetPosition*>(param);
        if (pos->CurLine != -1) e.curLine = pos->CurLine;
        if (pos->CurPos != -1) e.curPos = pos->CurPos;
        return 1;
    }
    case ECTL_INSERTSTRING: {
        std::string& line = e.lines[static_cast<std::size_t>(e.curLine)];
        const std::size_t at = std::min(line.size(), static_cast<std::size_t>(e.curPos));
        std::string moved = line.substr(at);
        line.resize(at);
        const bool indent = param != nullptr && *static_cast<int*>(param) != 0;
        const int column =
            indent ? static_cast<int>(std::min(line.find_first_not_of(' '), line.size())) : 0;
        e.lines.insert(e.lines.begin() + e.curLine + 1, std::move(moved));
        ++e.curLine;
        e.curPos = column;
        return 1;
    }
    case ECTL_REDRAW:
    case ECTL_EDITORTOOEM:
    case ECTL_OEMTOEDITOR:
    case ECTL_PROCESSINPUT: return 1;
    default: return 0;
    }
}

int WINAPI MatchAll(const char*, const char*, int) { return 1; }

// A private copy of the module file, so that its state is apart from the
// instance that the host loaded.
ProcessEditorInputFn PlainModule() {
    static ProcessEditorInputFn process = [] {
        LoadedHost();  // the registry file and its environment
        const std::string copy = (std::filesystem::temp_directory_path() /
                                  ("marten-wrap-bench-" + std::to_string(getpid()) + ".so"))
                                     .string();
        std::filesystem::copy_file(MARTEN_MODULE_PATH, copy,
                                   std::filesystem::copy_options::overwrite_existing);
        void* library = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
        std::remove(copy.c_str());
        if (library == nullptr) {
            std::fprintf(stderr, "cannot load a copy of %s: %s\n", MARTEN_MODULE_PATH, dlerror());
            std::exit(1);
        }
        static PluginStartupInfo info{};
        info.StructSize = sizeof info;
        info.RootKey = "Software\\Far\\Plugins";
        info.CmpName = MatchAll;
        info.EditorControl = PlainEditorControl;
        reinterpret_cast<SetStartupInfoFn>(dlsym(library, "SetStartupInfo"))(&info);
        return reinterpret_cast<ProcessEditorInputFn>(dlsym(library, "ProcessEditorInput"));
    }();
    return process;
}

void WrapThroughModule(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * kKilobyte;
    const std::string& line = LineOfWords(bytes);
    const ProcessEditorInputFn process = PlainModule();
    std::string error;
    const INPUT_RECORD down = host::KeyDownRecord(host::ParseKeyScript("x", &error)->front());
    std::size_t lines = 0;
    double wall = 0;
    for (auto _ : state) {
        PlainEditor editor{{line}, 0, static_cast<int>(line.size())};
        plain = &editor;
        TimeRun(state, wall, [&] { process(&down); });
        lines = editor.lines.size();
        plain = nullptr;
    }
    ReportWall(state, wall);
    state.counters["lines"] = static_cast<double>(lines);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// fold on the same text.
void FoldReference(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * kKilobyte;
    bench::RunFold(state, TextFile(bytes), bytes);
}

// Lines of 10 KB to 10 MB, timed by CPU time.
void LineSizes(benchmark::internal::Benchmark* run) {
    run->Arg(10)->Arg(100)->Arg(1024)->Arg(10240)->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(FoldReference)->Apply(LineSizes);
BENCHMARK(WrapThroughHost)->Apply(LineSizes);
BENCHMARK(WrapThroughUnicodeHost)->Apply(LineSizes);
BENCHMARK(WrapThroughModule)->Apply(LineSizes);

}  // namespace

BENCHMARK_MAIN();
