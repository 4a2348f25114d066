// The end-to-end cases against far2l's face as the host of our own loads
// it: its module file through far2l's interface, keys handed over as far2l
// hands them, the case's settings in the config.ini of a far2l profile of
// the case's own (FARSETTINGS), and the messages it shows compared.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "tests/e2e/case_file.hpp"
#include "tests/e2e/case_runner.hpp"

namespace e2e {

// A far2l profile of its own, named by FARSETTINGS as far2l names it for
// `-u`, holding the settings given; gone again with the object.
class Far2lProfile {
public:
    explicit Far2lProfile(const CaseSettings& s);
    Far2lProfile(const Far2lProfile&) = delete;
    Far2lProfile& operator=(const Far2lProfile&) = delete;
    ~Far2lProfile();

private:
    std::filesystem::path folder_;
    std::optional<std::string> earlier_;
};

CaseOutcome RunCaseThroughFar2lHost(const Case& c, const std::string& modulePath);

}  // namespace e2e
