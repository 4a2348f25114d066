// End-to-end case files: a start text with a cursor marker, the settings and
// editor options, a key script, and what the text must look like after the
// module (and then the editor) handled the keys.
//
//   # a comment (only above the first section)
//   file: reply.msg                 the editor's file name, or a full path
//   table: oem                      oem (default) or ansi: how the text is stored
//   settings: RIndent=20 FileMask="*.msg, golded.*"
//   editor: autoindent=1 tabsize=8  the editor's own options
//   keys: {End}x                    key script; each stroke goes down, then up
//   cursor: 3:15                    LINE:COL from 1, instead of the marker
//   eol: check last-none            check: compare the end-of-line of every line too;
//                                   last-none: the last line of each text has none
//   event: mouse                    send every record as this event type (key, mouse,
//                                   window, menu, focus), the key's bytes in its union
//   --- before                      the start text
//   --- module                      after the module handled the last key-down
//   --- after                       after the editor handled it too
//   --- calls                       the module's EditorControl commands for it
//   --- answer                      the module's answer to it
//
// In the texts, U+2038 marks the cursor, U+2192 stands for a TAB and a
// trailing U+00B6 ends a line (so trailing blanks show); every line ends in
// CR LF, so the editor shows an empty line after the last one, as it does
// for a message file; with "eol: last-none" the last line is the file's last.
// Plain C++ and the host library only: the Win32 runner compiles
// this file too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "api/ansi_api.hpp"
#include "engine/codepage.hpp"
#include "engine/editor.hpp"

namespace e2e {

// 0-based, as the editor counts.
struct Position {
    int line = 0;
    int col = 0;
    bool operator==(const Position&) const = default;
};

// The seven settings as the runner stores them before the module loads.
struct CaseSettings {
    std::uint8_t EnableQuote = 1;
    std::uint8_t EnableAutoWrap = 1;
    std::uint8_t EnableAutoIndent = 1;
    std::uint8_t EnableHPChange = 1;
    std::int32_t RIndent = 78;
    std::int32_t LIndent = 0;
    std::string FileMask = "*.msg,golded.*";
    std::uint8_t Balanced = 0;  // kept by the faces that offer the reflow
};

struct CaseText {
    bool present = false;
    std::vector<std::string> lines;  // bytes in the case's table, without end-of-line
    std::optional<Position> cursor;  // where the marker stands, if it does
    int sourceLine = 0;              // the line of the section header in the file
};

struct Case {
    std::string path;  // the file it came from
    std::string fileName = "reply.msg";
    engine::CodePage table = engine::CodePage::Oem866;
    CaseSettings settings;
    engine::EditorOptions editor;
    std::string keys;
    std::optional<Position> cursor;  // from "cursor:", overrides the marker of "before"
    bool checkEol = false;
    bool lastLineOpen = false;  // the last line of each text ends without an end-of-line
    WORD eventType = KEY_EVENT;  // the EventType of every record sent
    CaseText before;
    CaseText module;
    CaseText after;
    std::optional<std::vector<std::string>> calls;  // command names without ECTL_
    std::optional<int> answer;
    // The lines of the message boxes the keys opened (title, text, buttons),
    // one after another; unset where the case does not look.
    std::optional<std::vector<std::string>> messages;
};

// Parses the text of a case file; on failure `error` says "PATH:LINE: what".
std::optional<Case> ParseCase(std::string_view text, const std::string& path, std::string* error);

// Reads and parses one case file.
std::optional<Case> LoadCase(const std::string& path, std::string* error);

// The text as a case file writes it: UTF-8, with the cursor marker at
// `cursor`, TAB as U+2192 and a U+00B6 after trailing blanks.
std::string RenderLine(std::string_view bytes, engine::CodePage table,
                       std::optional<int> cursorCol = std::nullopt);

}  // namespace e2e
