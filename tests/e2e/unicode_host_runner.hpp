// The end-to-end cases against the Unicode face's module file as the host of
// our own loads it for marten-edit: the loader with its version check, the
// host's services, its settings store holding the case's settings, and its
// dispatch of each key. Native only: the Windows build of the host, which
// serves the runner under wine, has no settings store.
#pragma once

#include <string>
#include <vector>

#include "host/host.hpp"
#include "host/ui.hpp"
#include "tests/e2e/case_file.hpp"
#include "tests/e2e/case_runner.hpp"

namespace e2e {

CaseOutcome RunCaseThroughHost(const Case& c, const std::string& modulePath);

// The case through a host of our own whose settings are in place already:
// loads `modulePath`, which `speaks` must find loaded through the interface
// wanted (else the report says `notSpoken`), types the case and compares
// texts, cursor, answer and the messages shown.
CaseOutcome TypeCaseThroughHost(const Case& c, const std::string& modulePath,
                                bool (*speaks)(host::Host&), const std::string& notSpoken);

// The lines of the message boxes shown, in UTF-8, against the case's; the
// report of a difference, empty when none. A case without the section
// expects no message.
std::string CompareMessages(const Case& c, const std::vector<host::MessageCall>& shown);

}  // namespace e2e
