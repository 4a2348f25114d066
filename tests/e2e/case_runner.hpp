// Runs one end-to-end case: stores its settings in the registry, loads the
// module into the host of our own, types the keys into the host's editor
// through the module and compares the text, the cursor, the module's editor
// commands and its answer with what the case expects. Plain C++, the host
// library and the Win32 registry names only: the Win32 runner compiles this
// file too and runs the same cases against marten.dll under wine.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/case_file.hpp"

namespace e2e {

struct RunOptions {
    std::string modulePath;
    // The registry root the host hands the module; each case gets a key of
    // its own below it, so cases may run side by side.
    std::string rootKeyBase = "Software\\Marten\\CaseRunner";
};

struct CaseOutcome {
    bool passed = false;
    std::string report;  // for a failure: the case file and a diff for each mismatch
};

CaseOutcome RunCase(const Case& c, const RunOptions& options);

// The editor's text and cursor at one moment.
struct Snapshot {
    std::vector<engine::Line> lines;
    Position cursor;
};
Snapshot Take(const engine::Editor& editor);

// The editor's full file name: a bare name lies in a message folder.
std::string FullFileName(const std::string& name);

// The bytes of a document that a text section stands for.
std::string Document(const Case& c, const CaseText& text);

// Compares one text section with the editor's state; appends a diff to `report`.
void CheckText(const Case& c, const CaseText& expected, const Snapshot& actual,
               const std::string& when, std::string& report);

// Stores all seven settings below HKCU\`path` with the module's own value
// types, so that a module loaded with that key starts from exactly them.
bool StoreSettings(const std::string& path, const CaseSettings& settings, std::string* problem);

// Loads and runs one case file; a file that does not parse fails with the parser's message.
CaseOutcome RunCaseFile(const std::string& path, const RunOptions& options);

// Every *.case below `folder`, sorted, as paths.
std::vector<std::string> FindCaseFiles(const std::string& folder);

// "group/name" of a case file below `folder` (without ".case").
std::string CaseName(const std::string& folder, const std::string& path);

// The EditorControl command's name without ECTL_, or its number when unknown.
std::string CommandName(int command);

// The lines of `expected` and `actual` with a unified-style mark in front of
// each: ' ' for a line in both, '-' only expected, '+' only actual.
std::string LineDiff(const std::vector<std::string>& expected,
                     const std::vector<std::string>& actual);

}  // namespace e2e
