// A key case run against the editor engine alone, no plug-in: each key
// goes to the host's handling of keys as the console delivers it.
#include <algorithm>

#include "edit/view/editor_keys.hpp"
#include "engine/clipboard.hpp"
#include "host/key_input.hpp"
#include "host/key_script.hpp"
#include "tests/editor_keys/key_case.hpp"

namespace keycases {
namespace {

std::string Place(engine::TypedPosition p) {
    return std::to_string(p.line.Value()) + ":" + std::to_string(p.column.Value());
}

MarkedText TextOf(const engine::Editor& editor, bool withCursor) {
    MarkedText text;
    for (int n = 0; n < editor.LineCount(); ++n) text.lines.emplace_back(editor.LineAt(n).text);
    if (withCursor) text.cursor = engine::TextPosition{editor.CurLine(), editor.CurPos()};
    return text;
}

// Presses the keys of `script`; false with `report` set when the script is
// wrong or names a key that marten-edit keeps for itself.
bool Press(engine::Editor& editor, const std::string& script, std::string& report) {
    std::string error;
    const auto strokes = host::ParseKeyScript(script, &error);
    if (!strokes) return report += "keys: " + error + "\n", false;
    for (const host::KeyStroke& stroke : *strokes) {
        if (edit::CommandOf(stroke))
            return report += "keys: marten-edit's own command; the case needs \"on: screen\"\n",
                   false;
        host::HandleKey(editor, host::KeyDownRecord(stroke));
    }
    return true;
}

}  // namespace

std::string RunOnEngine(const KeyCase& c) {
    engine::Editor editor("case.txt", Bytes(c.start), engine::CodePage::Oem866, c.options);
    engine::MemoryClipboard clipboard;
    editor.SetClipboard(&clipboard);
    if (c.at)
        editor.GoTo(*c.at);
    else if (c.start.cursor)
        editor.SetCursor(c.start.cursor->line, c.start.cursor->byteColumn);
    std::string report;
    if (!Press(editor, (c.overtype ? "{Ins}" : "") + c.keys, report)) return report;
    for (std::size_t i = 0; i < c.stops.size(); ++i) {
        if (!Press(editor, c.each, report)) return report;
        if (editor.TypedCursor() != c.stops[i]) {
            report += "stop " + std::to_string(i + 1) + ": expected " + Place(c.stops[i]) +
                      ", got " + Place(editor.TypedCursor()) + "\n";
            return report;
        }
    }
    if (c.expect) {
        const std::string expected = Render(*c.expect);
        const std::string actual = Render(TextOf(editor, c.expect->cursor.has_value()));
        if (expected != actual) report += "text:\n- expected\n" + expected + "- got\n" + actual;
    }
    if (c.cursor && editor.TypedCursor() != *c.cursor)
        report +=
            "cursor: expected " + Place(*c.cursor) + ", got " + Place(editor.TypedCursor()) + "\n";
    if (c.top && editor.TopLine() + 1 != *c.top)
        report += "top: expected line " + std::to_string(*c.top) + ", got " +
                  std::to_string(editor.TopLine() + 1) + "\n";
    if (c.selected &&
        engine::ToUtf8(engine::CodePage::Oem866, editor.SelectedText()) != *c.selected)
        report += "selected: expected \"" + *c.selected + "\", got \"" +
                  engine::ToUtf8(engine::CodePage::Oem866, editor.SelectedText()) + "\"\n";
    return report;
}

}  // namespace keycases
