// Key cases for the editor alone: a start text with the cursor, settings,
// keys as a batch run names them, and what the text, the cursor, the block
// and the window show afterwards. A file holds the cases of one feature;
// the format is in README.md beside it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/editor.hpp"

namespace keycases {

// A text with a cursor in it, as a case writes it: the lines in the
// editor's bytes and, when the case marks one, the cursor.
struct MarkedText {
    std::vector<std::string> lines;
    std::optional<engine::TextPosition> cursor;
};

struct KeyCase {
    std::string name;
    int line = 0;  // of "case:" in its file, for the report
    MarkedText start;
    engine::EditorOptions options;
    bool overtype = false;
    std::optional<engine::TypedPosition> at;  // start place as the user types it
    std::string keys;
    std::string each;  // pressed once before each of `stops`
    std::vector<engine::TypedPosition> stops;
    std::optional<MarkedText> expect;
    std::optional<engine::TypedPosition> cursor;  // as the title line shows it
    std::optional<int> top;                       // the first text row's line, from 1
    std::optional<std::string> selected;          // the block's text; "" for none
    bool onScreen = false;                        // run through marten-edit on the in-memory screen
};

// Parses a file of cases; on failure `error` names the file's line and why.
std::optional<std::vector<KeyCase>> ParseKeyCases(std::string_view text, std::string* error);

// The lines joined as the file holds them (CR LF, none after the last).
std::string Bytes(const MarkedText& text);

// A text as a case writes it, for a report: "|" before each line, a tab
// as "→", the cursor as "‸" (after "·" up to it beyond the line's end).
std::string Render(const MarkedText& text);

// Runs a case against the engine; empty when it passes, else the report.
std::string RunOnEngine(const KeyCase& c);

}  // namespace keycases
