#include "tests/e2e/unicode_backend.hpp"

#include <optional>
#include <vector>

#include "engine/editor.hpp"
#include "engine/text16.hpp"
#include "host/key_input.hpp"
#include "host/key_script.hpp"
#include "host/unicode/unicode_editor.hpp"
#include "host/unicode/unicode_services.hpp"
#include "host/unicode/unicode_text.hpp"
#include "tests/support/unicode_fake_host.hpp"

namespace e2e {

using testsupport::WString;

namespace {

WString UnicodeText(const std::u16string& units) {
    return WString(host::InterfaceText(units.c_str()));
}

// The face in the host's Unicode editor for one case: keys offered to the
// face first and carried out by the editor unless consumed, a key the face
// feeds back offered to it again, nested, as the host does.
class Session {
public:
    Session(engine::Editor& editor, const UnicodeEntryPoints& face) : view_(editor), face_(face) {
        target_.editor = &view_;
        view_.SetPluginInput([this](const INPUT_RECORD& record) { return Offer(record); });
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session() { host::SetUnicodeServiceTarget(previous_); }

    // Starts the face with the host's editor and name matching and the
    // settings of `store`, which stands in for the host's settings store.
    void Start(testsupport::UnicodeFakeHost& store) {
        previous_ = host::SetUnicodeServiceTarget(&target_);
        unicode_api::PluginStartupInfo info = store.startupInfo;
        unicode_api::FarStandardFunctions functions = store.standardFunctions;
        host::FillUnicodeServices(info, functions);
        info.SettingsControl = store.startupInfo.SettingsControl;
        startupInfo_ = info;
        functions_ = functions;
        startupInfo_.FSF = &functions_;
        face_.setStartupInfo(&startupInfo_);
    }

    // One record as the host dispatches it; the face's answer.
    std::intptr_t Press(const INPUT_RECORD& record) {
        const std::intptr_t answer = Offer(record);
        if (answer == 0) {
            if (const auto key = host::ToEngineInput(record, view_.Codec()))
                host::HandleKey(view_.Engine(), *key);
        }
        return answer;
    }

    // Whether a call of the face ever returned with an undo bracket open.
    bool LeftBracketsOpen() const { return leftOpen_; }

private:
    std::intptr_t Offer(const INPUT_RECORD& record) {
        host::SetUnicodeServiceTarget(&target_);
        view_.EnterPlugin();
        ++depth_;
        unicode_api::ProcessEditorInputInfo info{sizeof info, record, nullptr};
        const std::intptr_t answer = face_.processEditorInput(&info);
        // The host closes what the outermost call left open; the face must not rely on it.
        if (--depth_ == 0 && view_.OpenBrackets() != 0) leftOpen_ = true;
        view_.LeavePlugin();
        return answer;
    }

    host::UnicodeEditor view_;
    UnicodeEntryPoints face_;
    host::UnicodeServiceTarget target_;
    host::UnicodeServiceTarget* previous_ = nullptr;
    unicode_api::PluginStartupInfo startupInfo_{};
    unicode_api::FarStandardFunctions functions_{};
    int depth_ = 0;
    bool leftOpen_ = false;
};

// The answer the ANSI face's calls imply for the Unicode face: a key on
// which the module wrote to the editor is consumed after it is fed back. A
// case of the Unicode face's own states its answer.
std::optional<int> ExpectedAnswer(const Case& c) {
    if (!c.answer) return std::nullopt;
    if (c.path.find("/cases-unicode/") != std::string::npos) return c.answer;
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
    return c.table == engine::CodePage::Oem866;
}

std::optional<std::vector<host::KeyStroke>> CaseStrokes(const Case& c, std::string& report) {
    std::string keyError;
    auto strokes = host::ParseKeyScript(c.keys, &keyError);
    if (strokes && !strokes->empty()) return strokes;
    report = c.path + ": keys: " + (strokes ? "the script holds no key" : keyError) + "\n";
    return std::nullopt;
}

void PlaceCursor(const Case& c, engine::Editor& editor) {
    const Position start = c.cursor ? *c.cursor : c.before.cursor.value_or(Position{});
    editor.SetCursor(start.line, start.col);
}

std::string TypeAndCompare(const Case& c, const std::vector<host::KeyStroke>& strokes,
                           const engine::Editor& editor, const PressKey& press) {
    std::intptr_t answer = 0;
    for (const host::KeyStroke& stroke : strokes) {
        INPUT_RECORD down = host::KeyDownRecord(stroke);
        INPUT_RECORD up = host::KeyUpRecord(stroke);
        down.EventType = up.EventType = c.eventType;
        answer = press(down);
        press(up);
    }
    std::string report;
    if (c.after.present) CheckText(c, c.after, Take(editor), "after the keys", report);
    const std::optional<int> expected = ExpectedAnswer(c);
    if (expected && *expected != answer) {
        report += c.path + ": the Unicode face answered " + std::to_string(answer) +
                  " to the last key-down, expected " + std::to_string(*expected) + "\n";
    }
    return report;
}

CaseOutcome RunCaseUnicode(const Case& c, const UnicodeEntryPoints& face) {
    CaseOutcome outcome;
    const auto strokes = CaseStrokes(c, outcome.report);
    if (!strokes) return outcome;

    testsupport::UnicodeFakeHost store;
    const CaseSettings& s = c.settings;
    store.store = {{UNICODE_TEXT("EnableQuote"), std::uint64_t{s.EnableQuote}},
                   {UNICODE_TEXT("EnableAutoWrap"), std::uint64_t{s.EnableAutoWrap}},
                   {UNICODE_TEXT("EnableAutoIndent"), std::uint64_t{s.EnableAutoIndent}},
                   {UNICODE_TEXT("EnableHPChange"), std::uint64_t{s.EnableHPChange}},
                   {UNICODE_TEXT("RIndent"), static_cast<std::uint64_t>(std::int64_t{s.RIndent})},
                   {UNICODE_TEXT("LIndent"), static_cast<std::uint64_t>(std::int64_t{s.LIndent})},
                   {UNICODE_TEXT("FileMask"), UnicodeText(engine::Utf8ToUtf16(s.FileMask))},
                   {UNICODE_TEXT("Balanced"), std::uint64_t{s.Balanced}}};

    engine::Editor editor(FullFileName(c.fileName), Document(c, c.before), c.table, c.editor);
    Session session(editor, face);
    session.Start(store);
    PlaceCursor(c, editor);

    // The script's records carry their character in the OEM table; the host
    // hands a Unicode plug-in the character itself.
    const engine::LineCodec& codec = engine::CodecOf(c.table);
    std::string report = TypeAndCompare(c, *strokes, editor, [&](const INPUT_RECORD& record) {
        return session.Press(host::ToUnicodeInput(record, std::nullopt, codec));
    });
    if (session.LeftBracketsOpen()) {
        report += c.path + ": the Unicode face left its undo brackets unbalanced\n";
    }
    outcome.passed = report.empty();
    outcome.report = report;
    return outcome;
}

}  // namespace e2e
