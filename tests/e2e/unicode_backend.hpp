// The end-to-end cases against the module's Unicode face, through the
// host's own Unicode editor: the engine's lines reach the face in UTF-16
// converted by the file's table, losslessly both ways, with the host's
// EditorControl (editor id, undo brackets, fed-back keys offered to the face
// first) and name matching; a stand-in for the host's settings store holds
// the case's settings, since the Windows build of the host has none. A
// case's calls section describes the ANSI face, so here the texts, the
// cursor and the answer are compared; the answer is 1 wherever the face
// changed the text, since it then consumes the key after feeding it back.
// A case of cases-unicode/ describes this face: its answer is compared as stated.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "api/unicode_api.hpp"
#include "host/key_script.hpp"
#include "tests/e2e/case_file.hpp"
#include "tests/e2e/case_runner.hpp"

namespace e2e {

// False for a case about a code-page table: those run against the ANSI face only.
bool RunsAgainstUnicodeFace(const Case& c);

// The face's entry points the cases call: the linked ones in the native
// tests, the loaded DLL's in the Windows runner.
struct UnicodeEntryPoints {
    unicode_api::SetStartupInfoWFn setStartupInfo = nullptr;
    unicode_api::ProcessEditorInputWFn processEditorInput = nullptr;
};

CaseOutcome RunCaseUnicode(const Case& c, const UnicodeEntryPoints& face);

// The pieces every way of running a case against the Unicode face shares.
// The case's key strokes; nothing, with `report` saying why, for a script
// that does not parse or holds no key.
std::optional<std::vector<host::KeyStroke>> CaseStrokes(const Case& c, std::string& report);
// Puts the editor's cursor where the case starts.
void PlaceCursor(const Case& c, engine::Editor& editor);
// Hands a record, in the engine's form, to the host; the face's answer.
using PressKey = std::function<std::intptr_t(const INPUT_RECORD&)>;
// Types the strokes through `press` (each key-down, then its key-up) and
// compares the text with the case's and the last key-down's answer with the
// one the case implies; the report of what differs, empty when nothing does.
std::string TypeAndCompare(const Case& c, const std::vector<host::KeyStroke>& strokes,
                           const engine::Editor& editor, const PressKey& press);

}  // namespace e2e
