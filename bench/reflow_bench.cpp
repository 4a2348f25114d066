// The reflow's rules alone, on one paragraph of one quoted author (" AB> "
// and ragged lines of words, about 12,000 lines per MB) in UTF-16 lines, as
// the Unicode face holds them: greedy and balanced, on 1 MB and 10 MB. The
// reference in the same run copies every line of the paragraph once, the
// least that any reflow does. Ratios to read: each reflow against the copy
// of the same size, 10 MB against 1 MB (linear: about 10x), balanced against
// greedy. What the command costs through the host is measured apart.
//
// A 10 MB paragraph takes about 60 MB of new memory a run, which the C
// library maps afresh each time; on a virtual machine the first touch of a
// page can cost more than the rules' own work on it. To see the rules alone,
// keep the heap's memory between runs:
//   GLIBC_TUNABLES=glibc.malloc.mmap_max=0:glibc.malloc.trim_threshold=4294967295 \
//     build/release/bench/reflow_bench
#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "module/editor/reflow.hpp"

namespace {

constexpr std::size_t kKilobyte = 1 << 10;
constexpr std::size_t kMargin = 78;

// The paragraph as lines of 40 to 90 units after the prefix, always the same.
struct Paragraph {
    std::vector<std::u16string> lines;
    std::vector<std::u16string_view> views;
};

const Paragraph& ParagraphOf(std::size_t bytes) {
    static std::map<std::size_t, Paragraph> made;
    Paragraph& paragraph = made[bytes];
    if (paragraph.lines.empty()) {
        std::mt19937 random(static_cast<unsigned>(bytes));
        std::size_t total = 0;
        while (total < bytes) {
            std::u16string line = u" AB> ";
            const std::size_t length = 40 + random() % 51;
            while (line.size() < length) {
                if (line.size() > 5) line += u' ';
                const int word = 1 + static_cast<int>(random() % 10);
                for (int i = 0; i < word; ++i) line += static_cast<char16_t>(u'a' + random() % 26);
            }
            total += line.size() + 1;
            paragraph.lines.push_back(std::move(line));
        }
        for (const auto& line : paragraph.lines) paragraph.views.emplace_back(line);
    }
    return paragraph;
}

void CopyReference(benchmark::State& state) {
    const Paragraph& paragraph = ParagraphOf(static_cast<std::size_t>(state.range(0)) * kKilobyte);
    for (auto _ : state) {
        marten::BasicText<char16_t> copy;
        for (const auto line : paragraph.views) copy.append(line);
        benchmark::DoNotOptimize(copy.data());
    }
    state.counters["lines"] = static_cast<double>(paragraph.lines.size());
}

void Reflow(benchmark::State& state, marten::ReflowMode mode) {
    const Paragraph& paragraph = ParagraphOf(static_cast<std::size_t>(state.range(0)) * kKilobyte);
    marten::ViewLines<char16_t> source(paragraph.views);
    const marten::ReflowRequest request{0, std::nullopt, kMargin, mode};
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto result = marten::Reflow(source, request);
        lines = result.edits.empty() ? 0 : result.edits[0].LineCount();
    }
    if (lines == 0) state.SkipWithError("the paragraph was not reflowed");
    state.counters["lines"] = static_cast<double>(lines);
}

void ReflowGreedy(benchmark::State& state) { Reflow(state, marten::ReflowMode::Greedy); }
void ReflowBalanced(benchmark::State& state) { Reflow(state, marten::ReflowMode::Balanced); }

// Paragraphs of 1 MB and 10 MB.
void Sizes(benchmark::internal::Benchmark* run) {
    run->Arg(1024)->Arg(10240)->Unit(benchmark::kMillisecond);
}

BENCHMARK(CopyReference)->Apply(Sizes);
BENCHMARK(ReflowGreedy)->Apply(Sizes);
BENCHMARK(ReflowBalanced)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
