#include "tests/host/probe3_fixture.hpp"

#include <dlfcn.h>

namespace host_test {

void Probe3Folder::TearDown() {
    host_.reset();
    editor_.reset();
    StandInFolder::TearDown();
}

void Probe3Folder::LoadProbe(void (*prepare)(Probe3State&), host::HostOptions options) {
    Install(PROBE3_PATH, "probe3.so");
    if (prepare != nullptr) {
        // The state is the module's: load it once to reach it, then let the
        // host load the same copy (the dynamic loader keeps one instance).
        void* handle = dlopen(modulePath_.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr);
        prepare(*reinterpret_cast<Probe3State* (*)()>(dlsym(handle, "GetProbe3State"))());
        Load(options);
        dlclose(handle);
        return;
    }
    Load(options);
}

Probe3State* Probe3Folder::Probe() const {
    auto get = reinterpret_cast<Probe3State* (*)()>(LookUp("GetProbe3State"));
    return get != nullptr ? get() : nullptr;
}

host::Editor& Probe3Folder::Edit(std::string bytes, host::CodePage table, int line, int pos) {
    if (host_) host_->SetEditor(nullptr);
    editor_ = std::make_unique<host::Editor>("/tmp/reply.msg", std::move(bytes), table);
    editor_->SetCursor(line, pos);
    if (host_) host_->SetEditor(editor_.get());
    return *editor_;
}

std::string Probe3Folder::Lines() const {
    std::string text;
    for (int n = 0; n < editor_->LineCount(); ++n) {
        if (n > 0) text += '|';
        text += editor_->LineAt(n).text;
    }
    return text;
}

}  // namespace host_test
