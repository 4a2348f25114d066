// Key-down records as a plug-in of the Unicode interface receives them: the
// character in UnicodeChar (0 for a key without one).
#pragma once

#include "api/ansi_api.hpp"
#include "tests/support/key_records.hpp"

namespace host_test {

inline INPUT_RECORD UnicodeKey(char16_t unit, WORD virtualKey = 0, DWORD control = 0) {
    return testsupport::UnicodeKeyRecord(static_cast<WCHAR>(unit), virtualKey, control);
}

}  // namespace host_test
