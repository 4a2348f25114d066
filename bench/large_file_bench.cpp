// A large file through the host's editor, in process: a 20 MB reply of
// 350,000 lines is opened, Ctrl+End and one character are dispatched through
// the loaded module, and the document is written out piece by piece (to a
// sink that only counts). bench/large-file.sh runs it beside the real
// marten-edit and vim.
//
// OpenEndSave does the same without the character, so the ratio of the two
// is what one edit costs the run, its undo step included; the counters say
// how much memory the undo history holds after the run and how much the
// lines hold besides the file's own bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "bench/loaded_host.hpp"
#include "engine/editor.hpp"
#include "host/host.hpp"
#include "host/key_script.hpp"

namespace {

constexpr int kLines = 350000;

// About 20 MB: lines of 40 to 70 bytes of words, Latin and Cyrillic (code
// page 866), with CR LF; every tenth a quote.
const std::string& Document() {
    static const std::string doc = [] {
        std::mt19937 random(20);
        std::uniform_int_distribution<int> letter(0, 25), length(1, 10), width(40, 70);
        std::string text;
        text.reserve(std::size_t{kLines} * 60);
        for (int n = 0; n < kLines; ++n) {
            const std::size_t start = text.size();
            if (n % 10 == 0) text += " AB> ";
            const int target = width(random);
            while (static_cast<int>(text.size() - start) < target) {
                const int count = length(random);
                const char base = n % 3 == 0 ? '\xA0' : 'a';  // small Cyrillic letters in 866, or Latin
                for (int i = 0; i < count; ++i) text += static_cast<char>(base + letter(random) % 16);
                text += ' ';
            }
            text.back() = '\r';
            text += '\n';
        }
        return text;
    }();
    return doc;
}

void Keys(host::Host& host, const char* script) {
    std::string error;
    const auto strokes = host::ParseKeyScript(script, &error);
    for (const host::KeyStroke& stroke : *strokes) {
        host.Dispatch(host::KeyDownRecord(stroke));
        host.Dispatch(host::KeyUpRecord(stroke));
    }
}

void Run(benchmark::State& state, const char* keys) {
    host::Host& host = bench::LoadedHost("/tmp/marten-large-file-bench.reg");
    std::size_t historyBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string bytes = Document();  // the file as read
        state.ResumeTiming();
        engine::Editor editor("/home/u/fido/reply.msg", std::move(bytes));
        host.SetEditor(&editor);
        Keys(host, keys);
        std::size_t written = 0;
        editor.WriteTo([&](std::string_view piece) {
            written += piece.size();
            return true;
        });
        benchmark::DoNotOptimize(written);
        historyBytes = editor.UndoHistorySize().bytes;
        host.SetEditor(nullptr);
    }
    state.counters["file_bytes"] = static_cast<double>(Document().size());
    state.counters["history_bytes"] = static_cast<double>(historyBytes);
}

void OpenEndKeySave(benchmark::State& state) { Run(state, "{Ctrl+End}x"); }
void OpenEndSave(benchmark::State& state) { Run(state, "{Ctrl+End}"); }

}  // namespace

BENCHMARK(OpenEndKeySave)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenEndSave)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
