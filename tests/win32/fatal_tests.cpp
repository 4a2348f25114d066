// placeholder
#include "tests/win32/groups.hpp"
namespace win32_tests {
TestGroup FatalTests() { return {"fatal", {}}; }
int RunFatalChild(const std::string&) { return 2; }
}
