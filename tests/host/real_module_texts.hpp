// Loading a build of the real module and checking that it found its
// language and help files in `language`, as either interface's test does.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/host.hpp"

namespace host_test {

inline void ExpectLoadedWithTexts(host::Host& host, const std::string& path, const char* language) {
    std::string error;
    ASSERT_TRUE(host.LoadModule(path, &error)) << error;
    EXPECT_EQ(host.LoadWarnings(), "");
    ASSERT_NE(host.Messages(), nullptr);
    EXPECT_EQ(host.Messages()->language, language);
    ASSERT_NE(host.Help(), nullptr);
    EXPECT_EQ(host.Help()->language, language);
}

// Loads the build at `path` once in each language the module has files
// for, checks its texts, and hands the host to `check`.
template <class Check>
void ForEachLanguage(const std::string& path, Check check) {
    for (const char* language : {"English", "Russian"}) {
        SCOPED_TRACE(language);
        host::HostOptions options;
        options.language = language;
        host::Host host(options);
        ExpectLoadedWithTexts(host, path, language);
        if (::testing::Test::HasFatalFailure()) return;
        check(host);
    }
}

}  // namespace host_test
