#include "tests/host/unicode_probe_fixture.hpp"

#include <dlfcn.h>

namespace host_test {

void UnicodeProbeFolder::TearDown() {
    host_.reset();
    editor_.reset();
    StandInFolder::TearDown();
}

void UnicodeProbeFolder::LoadProbe(void (*prepare)(UnicodeProbeState&), host::HostOptions options) {
    Install(UNICODE_PROBE_PATH, "unicode_probe.so");
    if (prepare != nullptr) {
        // The state is the module's: load it once to reach it, then let the
        // host load the same copy (the dynamic loader keeps one instance).
        void* handle = dlopen(modulePath_.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr);
        prepare(
            *reinterpret_cast<UnicodeProbeState* (*)()>(dlsym(handle, "GetUnicodeProbeState"))());
        Load(options);
        dlclose(handle);
        return;
    }
    Load(options);
}

UnicodeProbeState* UnicodeProbeFolder::Probe() const {
    auto get = reinterpret_cast<UnicodeProbeState* (*)()>(LookUp("GetUnicodeProbeState"));
    return get != nullptr ? get() : nullptr;
}

engine::Editor& UnicodeProbeFolder::Edit(std::string bytes, engine::CodePage table, int line,
                                         int pos) {
    if (host_) host_->SetEditor(nullptr);
    editor_ = std::make_unique<engine::Editor>("/tmp/reply.msg", std::move(bytes), table);
    editor_->SetCursor(line, pos);
    if (host_) host_->SetEditor(editor_.get());
    return *editor_;
}

std::string UnicodeProbeFolder::Lines() const {
    std::string text;
    for (int n = 0; n < editor_->LineCount(); ++n) {
        if (n > 0) text += '|';
        text += editor_->LineAt(n).text;
    }
    return text;
}

}  // namespace host_test
