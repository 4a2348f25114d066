// The end-to-end cases against the Unicode face's module file as the host of
// our own loads it for marten-edit: the loader with its version check, the
// host's services, its settings store holding the case's settings, and its
// dispatch of each key. Native only: the Windows build of the host, which
// serves the runner under wine, has no settings store.
#pragma once

#include <string>

#include "tests/e2e/case_file.hpp"
#include "tests/e2e/case_runner.hpp"

namespace e2e {

CaseOutcome RunCaseThroughHost(const Case& c, const std::string& modulePath);

}  // namespace e2e
