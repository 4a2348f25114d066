// The cost of guessing a file's table on files of 1 MB and 10 MB, beside two
// references on the same bytes in the same run: the check for UTF-8 text
// that every open already makes (IsUtf8Text, one pass that decodes), and
// the cheapest pass there is (counting the bytes beyond ASCII). The guess
// reads each byte once, so its time grows with the size alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "edit/file/table_guess.hpp"
#include "edit/file/utf8_text.hpp"

namespace {

constexpr std::size_t kMegabyte = 1 << 20;

// As many whole copies of `line` as `size` bytes hold, so that no character
// is cut off.
std::string Text(std::string_view line, std::size_t size) {
    std::string text;
    text.reserve(size);
    while (text.size() + line.size() <= size) text += line;
    return text;
}

constexpr std::string_view kRussian =
    " SV> Автосоздание областей включается в конфиге тоссера, а путь к ним задаётся.\n";
constexpr std::string_view kAscii = " SV> Areas are created by the tosser, as its config says.\n";
constexpr std::string_view kChinese = "文件的编码是由它的字节决定的，而不是由它的名字决定的。\n";

void Guess(benchmark::State& state, std::string_view line) {
    const std::string text = Text(line, static_cast<std::size_t>(state.range(0)) * kMegabyte);
    for (auto _ : state) {
        benchmark::DoNotOptimize(edit::GuessTable({.bytes = text,
                                                   .path = "notes.txt",
                                                   .locale = engine::CodePage::Utf8,
                                                   .ftnFiles = "*.msg"}));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void GuessRussianUtf8(benchmark::State& state) { Guess(state, kRussian); }
void GuessAscii(benchmark::State& state) { Guess(state, kAscii); }
void GuessChineseUtf8(benchmark::State& state) { Guess(state, kChinese); }

// Reference: the hint for UTF-8 text that an open computes today.
void IsUtf8TextReference(benchmark::State& state) {
    const std::string text = Text(kRussian, static_cast<std::size_t>(state.range(0)) * kMegabyte);
    for (auto _ : state) benchmark::DoNotOptimize(edit::IsUtf8Text(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Reference: one pass that only looks at each byte.
void CountHighBytesReference(benchmark::State& state) {
    const std::string text = Text(kRussian, static_cast<std::size_t>(state.range(0)) * kMegabyte);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            std::count_if(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; }));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK(GuessRussianUtf8)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(GuessAscii)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(GuessChineseUtf8)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(IsUtf8TextReference)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(CountHighBytesReference)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
