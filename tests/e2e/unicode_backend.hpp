// The end-to-end cases against the module's Unicode face, through the
// host's own Unicode editor: the engine's lines reach the face in UTF-16
// converted by the file's table, losslessly both ways, with the host's
// EditorControl (editor id, undo brackets, fed-back keys offered to the face
// first) and name matching; a stand-in for the host's settings store holds
// the case's settings, since the Windows build of the host has none. A
// case's calls section describes the ANSI face, so here the texts, the
// cursor and the answer are compared; the answer is 1 wherever the face
// changed the text, since it then consumes the key after feeding it back.
#pragma once

#include <string>

#include "api/plugin_api3.hpp"
#include "tests/e2e/case_file.hpp"
#include "tests/e2e/case_runner.hpp"

namespace e2e {

// False for a case about a code-page table: those run against the ANSI face only.
bool RunsAgainstUnicodeFace(const Case& c);

// The face's entry points the cases call: the linked ones in the native
// tests, the loaded DLL's in the Windows runner.
struct UnicodeEntryPoints {
    api3::SetStartupInfoWFn setStartupInfo = nullptr;
    api3::ProcessEditorInputWFn processEditorInput = nullptr;
};

CaseOutcome RunCaseUnicode(const Case& c, const UnicodeEntryPoints& face);

}  // namespace e2e
