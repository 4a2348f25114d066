#include "tests/e2e/unicode_backend.hpp"

#include <algorithm>
#include <optional>
#include <vector>

#include "api/plugin_api3.hpp"
#include "host/cmp_name.hpp"
#include "host/codepage.hpp"
#include "host/editor.hpp"
#include "host/key_script.hpp"
#include "tests/support/fake_host3.hpp"

namespace e2e {

using testsupport::WString;
using testsupport::WStringView;

namespace {

// The editor engine behind the Unicode interface for one case.
struct Served {
    host::Editor* editor = nullptr;
    UnicodeEntryPoints face;
    WString text, eol;  // the last line handed out, kept until the next
    int undoDepth = 0;
    bool unbalanced = false;
};
Served served;

WString Widen(std::string_view bytes, host::CodePage table) {
    WString wide;
    for (const char b : bytes) {
        wide += static_cast<api3::WChar>(host::ToUnicode(table, static_cast<unsigned char>(b)));
    }
    return wide;
}

std::string Narrow(WStringView wide, host::CodePage table) {
    std::string bytes;
    for (const api3::WChar c : wide)
        bytes += static_cast<char>(host::FromUnicode(table, c).value_or('?'));
    return bytes;
}

// A key record of the ANSI interface in the Unicode interface's form and back.
INPUT_RECORD ToUnicodeRecord(INPUT_RECORD rec) {
    if (rec.EventType != KEY_EVENT) return rec;
    const auto oem = static_cast<unsigned char>(rec.Event.KeyEvent.uChar.AsciiChar);
    rec.Event.KeyEvent.uChar.UnicodeChar =
        static_cast<WCHAR>(oem == 0 ? 0 : host::ToUnicode(host::CodePage::Oem866, oem));
    return rec;
}

INPUT_RECORD ToOemRecord(INPUT_RECORD rec) {
    if (rec.EventType != KEY_EVENT) return rec;
    const api3::WChar ch = static_cast<api3::WChar>(rec.Event.KeyEvent.uChar.UnicodeChar);
    rec.Event.KeyEvent.uChar.UnicodeChar = 0;
    rec.Event.KeyEvent.uChar.AsciiChar =
        static_cast<char>(host::FromUnicode(host::CodePage::Oem866, ch).value_or('?'));
    return rec;
}

// A key as the host hands it: to the face first, then to the editor unless consumed.
std::intptr_t Press(const INPUT_RECORD& oemRecord) {
    api3::ProcessEditorInputInfo info{sizeof(api3::ProcessEditorInputInfo),
                                      ToUnicodeRecord(oemRecord), nullptr};
    const std::intptr_t answer = served.face.processEditorInput(&info);
    if (answer == 0) served.editor->ProcessInput(oemRecord);
    return answer;
}

std::intptr_t WINAPI EditorControl(std::intptr_t, api3::EDITOR_CONTROL_COMMANDS command,
                                   std::intptr_t param1, void* param2) {
    host::Editor& editor = *served.editor;
    const host::CodePage table = editor.Table();
    switch (command) {
    case api3::ECTL_GETINFO: {
        EditorInfo own{};
        editor.Control(::ECTL_GETINFO, &own);
        auto* info = static_cast<api3::EditorInfo*>(param2);
        info->EditorID = 1;
        info->TotalLines = own.TotalLines;
        info->CurLine = own.CurLine;
        info->CurPos = own.CurPos;
        info->Overtype = own.Overtype;
        info->Options = own.Options;
        return 1;
    }
    case api3::ECTL_GETSTRING: {
        auto* rec = static_cast<api3::EditorGetString*>(param2);
        ::EditorGetString own{};
        own.StringNumber = static_cast<int>(rec->StringNumber);
        if (editor.Control(::ECTL_GETSTRING, &own) == 0) return 0;
        served.text = Widen({own.StringText, static_cast<std::size_t>(own.StringLength)}, table);
        served.eol = Widen(own.StringEOL != nullptr ? own.StringEOL : "", table);
        rec->StringText = served.text.c_str();
        rec->StringLength = static_cast<std::intptr_t>(served.text.size());
        rec->StringEOL = served.eol.c_str();
        rec->SelStart = own.SelStart;
        rec->SelEnd = own.SelEnd;
        return 1;
    }
    case api3::ECTL_SETSTRING: {
        auto* rec = static_cast<const api3::EditorSetString*>(param2);
        std::string bytes =
            Narrow({rec->StringText, static_cast<std::size_t>(rec->StringLength)}, table);
        // The engine keeps a line's own end-of-line for a null one.
        ::EditorSetString own{static_cast<int>(rec->StringNumber), bytes.data(), nullptr,
                              static_cast<int>(bytes.size())};
        return editor.Control(::ECTL_SETSTRING, &own);
    }
    case api3::ECTL_INSERTSTRING: return editor.Control(::ECTL_INSERTSTRING, param2);
    case api3::ECTL_SETPOSITION: {
        auto* rec = static_cast<const api3::EditorSetPosition*>(param2);
        ::EditorSetPosition own{
            static_cast<int>(rec->CurLine),   static_cast<int>(rec->CurPos),
            static_cast<int>(rec->CurTabPos), static_cast<int>(rec->TopScreenLine),
            static_cast<int>(rec->LeftPos),   static_cast<int>(rec->Overtype)};
        return editor.Control(::ECTL_SETPOSITION, &own);
    }
    case api3::ECTL_REDRAW: return editor.Control(::ECTL_REDRAW, nullptr);
    case api3::ECTL_PROCESSINPUT:
        Press(ToOemRecord(*static_cast<const INPUT_RECORD*>(param2)));
        return 1;
    case api3::ECTL_UNDOREDO: {
        const auto* rec = static_cast<const api3::EditorUndoRedo*>(param2);
        if (rec->Command == api3::EUR_BEGIN) ++served.undoDepth;
        if (rec->Command == api3::EUR_END && --served.undoDepth < 0) served.unbalanced = true;
        return 1;
    }
    case api3::ECTL_GETFILENAME: {
        const WString name = Widen(editor.FileName(), host::CodePage::Ansi1251);
        auto* buffer = static_cast<api3::WChar*>(param2);
        if (buffer != nullptr && param1 > static_cast<std::intptr_t>(name.size())) {
            std::copy(name.begin(), name.end(), buffer);
            buffer[name.size()] = 0;
        }
        return static_cast<std::intptr_t>(name.size() + 1);
    }
    default: return 0;
    }
}

// The host's own comparison, on the ANSI bytes both texts came from.
std::size_t WINAPI ProcessName(const api3::WChar* mask, api3::WChar* name, std::size_t,
                               api3::PROCESSNAME_FLAGS flags) {
    const std::string pattern = Narrow(mask, host::CodePage::Ansi1251);
    const std::string subject = Narrow(name, host::CodePage::Ansi1251);
    return host::CmpName(pattern, subject, (flags & api3::PN_SKIPPATH) != 0) ? 1 : 0;
}

// The answer the ANSI face's calls imply for the Unicode face: a key on
// which the module wrote to the editor is consumed after it is fed back.
std::optional<int> ExpectedAnswer(const Case& c) {
    if (!c.answer) return std::nullopt;
    if (*c.answer == 1) return 1;
    if (!c.calls) return std::nullopt;
    for (const std::string& call : *c.calls) {
        if (call == "SETSTRING" || call == "INSERTSTRING" || call == "PROCESSINPUT") return 1;
    }
    return 0;
}

}  // namespace

bool RunsAgainstUnicodeFace(const Case& c) {
    // The ANSI face matches only the first 255 characters of a name (its
    // fixed buffer); the Unicode face matches the whole name, which the case
    // in cases-unicode/ shows.
    if (c.path.ends_with("/activation/name_past_255_characters.case")) return false;
    return c.table == host::CodePage::Oem866;
}

CaseOutcome RunCaseUnicode(const Case& c, const UnicodeEntryPoints& face) {
    CaseOutcome outcome;
    std::string keyError;
    const auto strokes = host::ParseKeyScript(c.keys, &keyError);
    if (!strokes || strokes->empty()) {
        outcome.report =
            c.path + ": keys: " + (strokes ? "the script holds no key" : keyError) + "\n";
        return outcome;
    }

    testsupport::FakeHost3 store;
    const CaseSettings& s = c.settings;
    store.store = {{WIDE3("EnableQuote"), std::uint64_t{s.EnableQuote}},
                   {WIDE3("EnableAutoWrap"), std::uint64_t{s.EnableAutoWrap}},
                   {WIDE3("EnableAutoIndent"), std::uint64_t{s.EnableAutoIndent}},
                   {WIDE3("EnableHPChange"), std::uint64_t{s.EnableHPChange}},
                   {WIDE3("RIndent"), static_cast<std::uint64_t>(std::int64_t{s.RIndent})},
                   {WIDE3("LIndent"), static_cast<std::uint64_t>(std::int64_t{s.LIndent})},
                   {WIDE3("FileMask"), Widen(s.FileMask, host::CodePage::Ansi1251)}};
    store.startupInfo.EditorControl = &EditorControl;
    store.standardFunctions.ProcessName = &ProcessName;

    host::Editor editor(FullFileName(c.fileName), Document(c, c.before), c.table, c.editor);
    served = Served{&editor, face};
    face.setStartupInfo(&store.startupInfo);
    const Position start = c.cursor ? *c.cursor : c.before.cursor.value_or(Position{});
    editor.SetCursor(start.line, start.col);

    std::intptr_t answer = 0;
    for (const host::KeyStroke& stroke : *strokes) {
        INPUT_RECORD down = host::KeyDownRecord(stroke);
        INPUT_RECORD up = host::KeyUpRecord(stroke);
        down.EventType = up.EventType = c.eventType;
        answer = Press(down);
        Press(up);
    }

    std::string report;
    if (c.after.present) CheckText(c, c.after, Take(editor), "after the keys", report);
    const std::optional<int> expected = ExpectedAnswer(c);
    if (expected && *expected != answer) {
        report += c.path + ": the Unicode face answered " + std::to_string(answer) +
                  " to the last key-down, expected " + std::to_string(*expected) + "\n";
    }
    if (served.undoDepth != 0 || served.unbalanced) {
        report += c.path + ": the Unicode face left its undo brackets unbalanced\n";
    }
    served = Served{};
    outcome.passed = report.empty();
    outcome.report = report;
    return outcome;
}

}  // namespace e2e
