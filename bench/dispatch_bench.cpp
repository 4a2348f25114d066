// The cost of one editor event: ordinary typing (a letter at the end of a
// short quoted line, then Backspace, each a key-down and a key-up record)
// through the module and the host's editor, in an editor whose file matches
// the module's masks and in one whose file does not, beside the editor's own
// handling of the same records. bench/dispatch-ratio.sh turns the figures
// into the module's cost per event as a ratio to the editor's.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/loaded_host.hpp"
#include "engine/editor.hpp"
#include "host/ansi/ansi_plugin.hpp"
#include "host/host.hpp"
#include "host/key_input.hpp"

namespace {

// A reply of 60 short quoted and unquoted lines, in code page 866.
std::string Reply() {
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += (i % 3 == 0) ? "Plain text of a reply line.\r\n" : " AB> quoted text of a line\r\n";
    return text;
}

INPUT_RECORD Key(bool down, WORD vk, char ch) {
    INPUT_RECORD rec{};
    rec.EventType = KEY_EVENT;
    rec.Event.KeyEvent.bKeyDown = down;
    rec.Event.KeyEvent.wRepeatCount = 1;
    rec.Event.KeyEvent.wVirtualKeyCode = vk;
    rec.Event.KeyEvent.uChar.AsciiChar = ch;
    return rec;
}

// One round of typing: 'x' down and up, Backspace down and up.
const INPUT_RECORD kRound[] = {Key(true, 'X', 'x'), Key(false, 'X', 'x'), Key(true, VK_BACK, 8),
                               Key(false, VK_BACK, 8)};
constexpr int kEventsPerRound = 4;

host::Host& LoadedHost() { return bench::LoadedHost("/dev/shm/marten-dispatch-bench.reg"); }

void PlaceAtEndOfQuotedLine(engine::Editor& editor) {
    editor.SetCursor(1, static_cast<int>(editor.LineAt(1).text.size()));
}

void EditorOwnHandling(benchmark::State& state) {
    engine::Editor editor("reply.msg", Reply());
    PlaceAtEndOfQuotedLine(editor);
    for (auto _ : state) {
        for (const INPUT_RECORD& rec : kRound) host::HandleKey(editor, rec);
    }
    state.SetItemsProcessed(state.iterations() * kEventsPerRound);
}

host::Host& LoadedUnicodeHost() {
    return bench::LoadedUnicodeHost("/dev/shm/marten-dispatch-bench-settings");
}

// The same typing through either build of the module: a Unicode host gets
// the records as the terminal makes them and hands the plug-in their
// Unicode form, each line it reads converted from the file's bytes.
void Dispatch(benchmark::State& state, host::Host& host, const char* fileName) {
    engine::Editor editor(fileName, Reply());
    PlaceAtEndOfQuotedLine(editor);
    host.SetEditor(&editor);
    for (auto _ : state) {
        for (const INPUT_RECORD& rec : kRound) host.Dispatch(rec);
        if (auto* ansi = host.PluginAs<host::AnsiPlugin>()) ansi->Editor()->ClearLog();
    }
    host.SetEditor(nullptr);
    state.SetItemsProcessed(state.iterations() * kEventsPerRound);
}

void DispatchMatching(benchmark::State& state) {
    Dispatch(state, LoadedHost(), "C:\\FIDO\\reply.msg");
}
void DispatchNotMatching(benchmark::State& state) {
    Dispatch(state, LoadedHost(), "C:\\FIDO\\notes.txt");
}
void UnicodeDispatchMatching(benchmark::State& state) {
    Dispatch(state, LoadedUnicodeHost(), "C:\\FIDO\\reply.msg");
}
void UnicodeDispatchNotMatching(benchmark::State& state) {
    Dispatch(state, LoadedUnicodeHost(), "C:\\FIDO\\notes.txt");
}

#ifdef MARTEN_FAR2L_MODULE_PATH
host::Host& LoadedFar2lHost() {
    return bench::LoadedFar2lHost("/dev/shm/marten-dispatch-bench-far2l");
}

// far2l's face, handed the records as far2l hands them.
void Far2lDispatchMatching(benchmark::State& state) {
    Dispatch(state, LoadedFar2lHost(), "C:\\FIDO\\reply.msg");
}
void Far2lDispatchNotMatching(benchmark::State& state) {
    Dispatch(state, LoadedFar2lHost(), "C:\\FIDO\\notes.txt");
}
#endif

}  // namespace

BENCHMARK(EditorOwnHandling);
BENCHMARK(DispatchMatching);
BENCHMARK(DispatchNotMatching);
BENCHMARK(UnicodeDispatchMatching);
BENCHMARK(UnicodeDispatchNotMatching);
#ifdef MARTEN_FAR2L_MODULE_PATH
BENCHMARK(Far2lDispatchMatching);
BENCHMARK(Far2lDispatchNotMatching);
#endif
BENCHMARK_MAIN();
