// The end-to-end corpus against the Unicode face's Marten.dll, loaded afresh
// for each case: the same selection and comparison as the native tests, here
// through the real x86 or x64 calling convention and wchar_t text.
#include "tests/e2e/unicode_backend.hpp"
#include "tests/win32/groups.hpp"
#include "tests/win32/loaded_unicode_module.hpp"

namespace win32_tests {

namespace {

const std::string kCaseFolder = MARTEN_SOURCE_DIR "/tests/e2e/cases";
// Cases of the Unicode face's own behaviour.
const std::string kUnicodeCaseFolder = MARTEN_SOURCE_DIR "/tests/e2e/cases-unicode";

void RunCase(const std::string& path, Checks& checks) {
    std::string error;
    const auto parsed = e2e::LoadCase(path, &error);
    if (!checks.Expect(parsed.has_value(), error)) return;
    LoadedUnicodeModule module;
    if (!checks.Expect(module.Loaded(), module.Error())) return;
    const e2e::CaseOutcome outcome =
        e2e::RunCaseUnicode(*parsed, {module.SetStartupInfo, module.ProcessEditorInput});
    if (!outcome.passed) checks.Fail(outcome.report);
}

}  // namespace

TestGroup UnicodeCaseFileTests() {
    TestGroup group{"unicode_cases", {}, nullptr};
    for (const std::string& path : e2e::FindCaseFiles(kCaseFolder)) {
        std::string error;
        const auto parsed = e2e::LoadCase(path, &error);
        // A case that does not parse is kept, so that it fails saying why.
        if (parsed && !e2e::RunsAgainstUnicodeFace(*parsed)) continue;
        group.cases.push_back(
            {e2e::CaseName(kCaseFolder, path), [path](Checks& checks) { RunCase(path, checks); }});
    }
    for (const std::string& path : e2e::FindCaseFiles(kUnicodeCaseFolder)) {
        group.cases.push_back({"unicode/" + e2e::CaseName(kUnicodeCaseFolder, path),
                               [path](Checks& checks) { RunCase(path, checks); }});
    }
    // A corpus that went missing must not pass as a short suite.
    const std::size_t count = group.cases.size();
    group.cases.push_back({"corpus_is_complete", [count](Checks& checks) {
                               checks.Expect(count >= 100, "only " + std::to_string(count) +
                                                               " case files were found");
                           }});
    return group;
}

}  // namespace win32_tests
