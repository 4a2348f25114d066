// Settings load and save against the size of the registry file: the file
// holds the module's key among many keys of other programs, all of which a
// load parses and a save writes back whole (temporary file, flush, rename).
// The file lives in /dev/shm, so the figures are the parsing and writing,
// not the disk's flush.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "module/ansi/host_info.hpp"
#include "module/ansi/settings_store.hpp"

namespace {

constexpr const char* kFile = "/dev/shm/marten-settings-bench.reg";

// A registry file with `foreignKeys` keys of five values each, then the module's.
void WriteRegistry(int foreignKeys) {
    std::ofstream out(kFile, std::ios::binary | std::ios::trunc);
    out << "REGEDIT4\r\n";
    for (int k = 0; k < foreignKeys; ++k) {
        out << "\r\n[HKEY_CURRENT_USER\\Software\\Other\\Program" << k << "]\r\n"
            << "\"Name\"=\"some text of program " << k << "\"\r\n"
            << "\"Count\"=dword:0000002a\r\n\"Flag\"=hex:01\r\n"
            << "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f\r\n"
            << "\"Path\"=\"C:\\\\Program Files\\\\Other\"\r\n";
    }
}

void Prepare(benchmark::State& state) {
    setenv("MARTEN_REGISTRY", kFile, 1);
    WriteRegistry(static_cast<int>(state.range(0)));
    static const char root[] = "Software\\Far\\Plugins";
    marten::ansi::HostInfo.StructSize = kKnownStartupInfoSize;
    marten::ansi::HostInfo.RootKey = root;
    marten::ansi::LoadSettings();  // the first start writes the seven values
    std::ifstream in(kFile, std::ios::binary | std::ios::ate);
    state.counters["file_kb"] = static_cast<double>(in.tellg()) / 1024.0;
}

void LoadSettingsBench(benchmark::State& state) {
    Prepare(state);
    for (auto _ : state) marten::ansi::LoadSettings();
}

void SaveSettingsBench(benchmark::State& state) {
    Prepare(state);
    for (auto _ : state) marten::ansi::SaveSettings();
}

}  // namespace

BENCHMARK(LoadSettingsBench)->Arg(0)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveSettingsBench)->Arg(0)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
