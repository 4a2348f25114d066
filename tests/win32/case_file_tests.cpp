// placeholder
#include "tests/win32/groups.hpp"
namespace win32_tests {
TestGroup CaseFileTests() { return {"cases", {}}; }
}
