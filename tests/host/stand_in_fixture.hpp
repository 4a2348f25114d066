// A plug-in folder of its own for each test: a copy of a stand-in module with
// language and help files beside it, loaded by a Host.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "host/ansi/ansi_plugin.hpp"
#include "host/host.hpp"
#include "tests/host/stand_in_state.hpp"

namespace host_test {

class StandInFolder : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Copies the module file at `source` into the folder under `name`.
    std::string Install(const char* source, const char* name = "stand_in.so");
    void WriteFile(const char* name, const std::string& text);
    // English and Russian language files and an English help file.
    void WriteTexts();

    // Loads the installed stand-in; fails the test when it cannot.
    void Load(host::HostOptions options = {});
    // The stand-in's record of what it saw; null when it is not loaded.
    StandInState* State() const;
    // The address of an export of the loaded module; null when it is not loaded.
    void* LookUp(const char* symbol) const;

    std::filesystem::path folder_;
    std::string modulePath_;
    std::unique_ptr<host::Host> host_;
};

}  // namespace host_test
