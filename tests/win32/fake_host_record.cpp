#include "tests/win32/fake_host_record.hpp"

#include <cstring>

namespace win32_tests {

std::string FakeMessage(int id) { return "msg" + std::to_string(id); }

ServedFakeHost::ServedFakeHost() {
    for (int id = 0; id < 16; ++id) host.texts.push_back(FakeMessage(id));
}

FakeStartupRecord::FakeStartupRecord(const char* rootKey, int structSize) {
    std::memset(this, 0, sizeof *this);
    info = testsupport::StartupInfoOf(rootKey, kFakeModuleNumber);
    info.StructSize = structSize;
    std::strcpy(info.ModuleName, "Z:\\marten\\marten.dll");
    // With a shorter StructSize the services behind it stay filled in: a
    // module that read past the size would call them, and the fake records it.
}

}  // namespace win32_tests
