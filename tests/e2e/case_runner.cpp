#include "tests/e2e/case_runner.hpp"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>

#include "engine/editor.hpp"
#include "host/ansi/ansi_editor.hpp"
#include "host/ansi/ansi_plugin.hpp"
#include "host/host.hpp"
#include "host/key_input.hpp"
#include "host/key_script.hpp"
#include "winapi/win32.hpp"

namespace e2e {

namespace {

// A registry key name of the case's own, from its group and file name.
std::string KeyNameOf(const std::string& path) {
    const std::filesystem::path file(path);
    std::string name = file.parent_path().filename().string() + "." + file.stem().string();
    for (char& c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (!plain) c = '_';
    }
    return name;
}

bool SetValue(HKEY key, const char* name, DWORD type, const void* data, DWORD size,
              std::string* problem) {
    const LONG status = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    if (status == ERROR_SUCCESS) return true;
    *problem =
        std::string("cannot store the setting ") + name + " (error " + std::to_string(status) + ")";
    return false;
}

}  // namespace

bool StoreSettings(const std::string& path, const CaseSettings& s, std::string* problem) {
    HKEY key = nullptr;
    const LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr,
                                        REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        *problem = "cannot create the registry key HKCU\\" + path + " (error " +
                   std::to_string(status) + ")";
        return false;
    }
    const auto dword = [](std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        return std::array<BYTE, 4>{static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8),
                                   static_cast<BYTE>(bits >> 16), static_cast<BYTE>(bits >> 24)};
    };
    const auto rIndent = dword(s.RIndent);
    const auto lIndent = dword(s.LIndent);
    const bool ok =
        SetValue(key, "EnableQuote", REG_BINARY, &s.EnableQuote, 1, problem) &&
        SetValue(key, "EnableAutoWrap", REG_BINARY, &s.EnableAutoWrap, 1, problem) &&
        SetValue(key, "EnableAutoIndent", REG_BINARY, &s.EnableAutoIndent, 1, problem) &&
        SetValue(key, "EnableHPChange", REG_BINARY, &s.EnableHPChange, 1, problem) &&
        SetValue(key, "RIndent", REG_DWORD, rIndent.data(), 4, problem) &&
        SetValue(key, "LIndent", REG_DWORD, lIndent.data(), 4, problem) &&
        SetValue(key, "FileMask", REG_SZ, s.FileMask.c_str(),
                 static_cast<DWORD>(s.FileMask.size() + 1), problem);
    RegCloseKey(key);
    return ok;
}

// The editor's full file name: a bare name lies in a message folder.
std::string FullFileName(const std::string& name) {
    if (name.find_first_of("\\/") != std::string::npos) return name;
    return "C:\\Fido\\" + name;
}

Snapshot Take(const engine::Editor& editor) {
    Snapshot snapshot;
    for (int n = 0; n < editor.LineCount(); ++n) snapshot.lines.push_back(editor.LineAt(n));
    snapshot.cursor = {editor.CurLine(), editor.CurPos()};
    return snapshot;
}

namespace {

// What a text section stands for: every line with CR LF, then the empty
// last line that follows the final end-of-line; or, with an open end, the
// last line without an end-of-line.
std::vector<engine::Line> ExpectedLines(const Case& c, const CaseText& text) {
    std::vector<engine::Line> lines;
    for (const std::string& line : text.lines) lines.push_back({line, "\r\n"});
    if (c.lastLineOpen && !lines.empty()) {
        lines.back().eol.clear();
    } else {
        lines.push_back({"", ""});
    }
    return lines;
}

}  // namespace

std::string Document(const Case& c, const CaseText& text) {
    std::string bytes;
    for (const engine::Line& line : ExpectedLines(c, text)) bytes += line.text + line.eol;
    return bytes;
}

namespace {

std::string EolName(const std::string& eol) {
    if (eol == "\r\n") return "CRLF";
    if (eol == "\n") return "LF";
    if (eol == "\r") return "CR";
    return "none";
}

// The lines as a case file shows them, the cursor marked when `cursor` is
// set. Unless `withEol` (which names each line's end-of-line), the empty
// last line is left out when the cursor does not stand on it.
std::vector<std::string> Rendered(const std::vector<engine::Line>& lines, engine::CodePage table,
                                  std::optional<Position> cursor, bool withEol) {
    std::vector<std::string> out;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const bool cursorHere = cursor && cursor->line == static_cast<int>(n);
        const bool finalEmpty =
            n + 1 == lines.size() && lines[n].text.empty() && lines[n].eol.empty();
        if (finalEmpty && !cursorHere && !withEol) continue;
        std::string line = RenderLine(lines[n].text, table,
                                      cursorHere ? std::optional<int>(cursor->col) : std::nullopt);
        if (withEol) line += "  [" + EolName(lines[n].eol) + "]";
        out.push_back(std::move(line));
    }
    // A cursor below the last line still shows.
    if (cursor && cursor->line >= static_cast<int>(lines.size())) {
        out.push_back("(cursor on line " + std::to_string(cursor->line + 1) + ", column " +
                      std::to_string(cursor->col + 1) + ")");
    }
    return out;
}

std::string Joined(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& word : words) out += (out.empty() ? "" : " ") + word;
    return out.empty() ? "(none)" : out;
}

}  // namespace

// Compares one text section with the editor's state; appends a diff to `report`.
void CheckText(const Case& c, const CaseText& expected, const Snapshot& actual,
               const std::string& when, std::string& report) {
    const std::vector<engine::Line> lines = ExpectedLines(c, expected);
    bool same = lines.size() == actual.lines.size();
    for (std::size_t n = 0; same && n < lines.size(); ++n) {
        same = lines[n].text == actual.lines[n].text &&
               (!c.checkEol || lines[n].eol == actual.lines[n].eol);
    }
    if (expected.cursor && *expected.cursor != actual.cursor) same = false;
    if (same) return;

    const std::optional<Position> actualCursor =
        expected.cursor ? std::optional<Position>(actual.cursor) : std::nullopt;
    report += c.path + ":" + std::to_string(expected.sourceLine) + ": the text " + when +
              " differs (- expected, + actual)\n";
    std::string diff = LineDiff(Rendered(lines, c.table, expected.cursor, c.checkEol),
                                Rendered(actual.lines, c.table, actualCursor, c.checkEol));
    if (diff.find("\n-") == std::string::npos && diff.find("\n+") == std::string::npos &&
        diff[0] != '-' && diff[0] != '+') {
        // The difference lies in the ends of the lines: show them.
        diff = LineDiff(Rendered(lines, c.table, expected.cursor, true),
                        Rendered(actual.lines, c.table, actualCursor, true));
    }
    report += diff;
    if (expected.cursor && *expected.cursor != actual.cursor) {
        report += "  cursor: expected " + std::to_string(expected.cursor->line + 1) + ":" +
                  std::to_string(expected.cursor->col + 1) + ", actual " +
                  std::to_string(actual.cursor.line + 1) + ":" +
                  std::to_string(actual.cursor.col + 1) + "\n";
    }
}

namespace {

// A key-up record passes none of the module's tests: the module may look at
// the editor (the activation test) but changes nothing and consumes nothing.
std::string CheckKeyUp(host::AnsiPlugin& plugin, engine::Editor& editor, const INPUT_RECORD& up,
                       std::size_t stroke) {
    host::AnsiEditor& commands = *plugin.Editor();
    commands.ClearLog();
    const Snapshot before = Take(editor);
    const int answer = plugin.Exports().ProcessEditorInput(&up);
    std::string fault;
    for (const host::ControlCall& call : commands.Log()) {
        if (call.command != ECTL_GETINFO) {
            fault += "  the key-up of stroke " + std::to_string(stroke) + " made the module call " +
                     CommandName(call.command) + "\n";
            break;
        }
    }
    const Snapshot after = Take(editor);
    bool same = before.cursor == after.cursor && before.lines.size() == after.lines.size();
    for (std::size_t n = 0; same && n < before.lines.size(); ++n) {
        same = before.lines[n].text == after.lines[n].text &&
               before.lines[n].eol == after.lines[n].eol;
    }
    if (!same) fault += "  the key-up of stroke " + std::to_string(stroke) + " changed the text\n";
    if (answer != 0) {
        fault += "  the module answered " + std::to_string(answer) + " to the key-up of stroke " +
                 std::to_string(stroke) + "\n";
    } else {
        host::HandleKey(editor, up);
    }
    return fault;
}

}  // namespace

std::string CommandName(int command) {
    static const char* const kNames[] = {
        "GETSTRING", "SETSTRING",   "INSERTSTRING", "DELETESTRING", "DELETECHAR",  "INSERTTEXT",
        "GETINFO",   "SETPOSITION", "SELECT",       "REDRAW",       "EDITORTOOEM", "OEMTOEDITOR",
        "TABTOREAL", "REALTOTAB",   "EXPANDTABS",   "SETTITLE",     "READINPUT",   "PROCESSINPUT"};
    if (command >= 0 && command < static_cast<int>(std::size(kNames))) return kNames[command];
    return std::to_string(command);
}

std::string LineDiff(const std::vector<std::string>& expected,
                     const std::vector<std::string>& actual) {
    // Longest common subsequence over lines; cases are small.
    const std::size_t n = expected.size();
    const std::size_t m = actual.size();
    std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            common[i][j] = expected[i] == actual[j] ? common[i + 1][j + 1] + 1
                                                    : std::max(common[i + 1][j], common[i][j + 1]);
        }
    }
    std::string out;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && expected[i] == actual[j]) {
            out += " " + expected[i++] + "\n";
            ++j;
        } else if (i < n && (j == m || common[i + 1][j] >= common[i][j + 1])) {
            out += "-" + expected[i++] + "\n";
        } else {
            out += "+" + actual[j++] + "\n";
        }
    }
    return out;
}

CaseOutcome RunCase(const Case& c, const RunOptions& options) {
    CaseOutcome outcome;
    const auto fail = [&](const std::string& why) {
        outcome.report = c.path + ": " + why + "\n";
        return outcome;
    };

    std::string problem;
    const std::string rootKey = options.rootKeyBase + "\\" + KeyNameOf(c.path);
    if (!StoreSettings(rootKey + "\\Tansy\\Marten", c.settings, &problem)) return fail(problem);

    std::string keyError;
    const auto strokes = host::ParseKeyScript(c.keys, &keyError);
    if (!strokes) return fail("keys: " + keyError);
    if (strokes->empty()) return fail("keys: the script holds no key");

    host::HostOptions hostOptions;
    hostOptions.rootKey = rootKey;
    host::Host host(hostOptions);
    if (!host.LoadModule(options.modulePath, &problem))
        return fail("cannot load the module: " + problem);
    host::AnsiPlugin* const plugin = host.PluginAs<host::AnsiPlugin>();
    if (plugin == nullptr) return fail(options.modulePath + ": not a plug-in of the 1.x interface");

    engine::Editor editor(FullFileName(c.fileName), Document(c, c.before), c.table, c.editor);
    host.SetEditor(&editor);
    const Position start = c.cursor ? *c.cursor : c.before.cursor.value_or(Position{});
    editor.SetCursor(start.line, start.col);

    Snapshot afterModule;
    std::string keyUpFaults;
    std::vector<std::string> calls;
    int answer = 0;
    for (std::size_t i = 0; i < strokes->size(); ++i) {
        INPUT_RECORD down = host::KeyDownRecord((*strokes)[i]);
        INPUT_RECORD up = host::KeyUpRecord((*strokes)[i]);
        down.EventType = up.EventType = c.eventType;
        if (i + 1 < strokes->size()) {
            host.Dispatch(down);
        } else {
            // The last key-down goes the way Dispatch takes it, with a look in between.
            host::AnsiEditor& commands = *plugin->Editor();
            commands.ClearLog();
            answer = plugin->Exports().ProcessEditorInput(&down);
            afterModule = Take(editor);
            for (const host::ControlCall& call : commands.Log())
                calls.push_back(CommandName(call.command));
            if (answer == 0) host::HandleKey(editor, down);
        }
        keyUpFaults += CheckKeyUp(*plugin, editor, up, i + 1);
    }
    const Snapshot final = Take(editor);

    std::string report = keyUpFaults.empty() ? std::string() : c.path + ":\n" + keyUpFaults;
    if (c.module.present) {
        CheckText(c, c.module, afterModule, "after the module handled the last key-down", report);
    }
    if (c.after.present) CheckText(c, c.after, final, "after the keys", report);
    if (c.calls && *c.calls != calls) {
        report += c.path + ": the module's editor commands for the last key-down differ\n";
        report += "-" + Joined(*c.calls) + "\n+" + Joined(calls) + "\n";
    }
    if (c.answer && *c.answer != answer) {
        report += c.path + ": the module answered " + std::to_string(answer) +
                  " to the last key-down, expected " + std::to_string(*c.answer) + "\n";
    }
    outcome.passed = report.empty();
    outcome.report = report;
    return outcome;
}

CaseOutcome RunCaseFile(const std::string& path, const RunOptions& options) {
    std::string error;
    const auto parsed = LoadCase(path, &error);
    if (!parsed) return CaseOutcome{false, error + "\n"};
    return RunCase(*parsed, options);
}

std::vector<std::string> FindCaseFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (it->is_regular_file(ec) && it->path().extension() == ".case") {
            files.push_back(it->path().generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string CaseName(const std::string& folder, const std::string& path) {
    std::error_code ec;
    std::filesystem::path relative = std::filesystem::relative(path, folder, ec);
    if (ec || relative.empty()) relative = std::filesystem::path(path).filename();
    relative.replace_extension();
    return relative.generic_string();
}

}  // namespace e2e
