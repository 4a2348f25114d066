// far2l's editor as the features see it (the shape of AnsiEditor): UTF-32
// lines through EditorControl, which always addresses the editor that has
// the focus. Every change the features make opens one undo bracket first,
// so that the key with all the module did on it is one step of the
// editor's undo; HandleKey closes it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "module/editor/key_step.hpp"
#include "module/editor/reflow.hpp"
#include "module/far2l/host_info.hpp"
#include "module/far2l/settings_file.hpp"

namespace marten::far2l {

class Far2lEditor : public FeatureLineRefs<WideText> {
public:
    using Char = wchar_t;
    using Line = WideText;

    using FeatureLineRefs::FeatureLineRefs;

    void RefreshInfo();
    std::int64_t CurLine() const { return info_.CurLine; }
    std::int64_t CurPos() const { return info_.CurPos; }
    std::int64_t FetchedLength() const { return fetchedLength_; }
    bool FetchLine(std::int64_t n, Line& buffer);
    // The line keeps its own end-of-line: far2l leaves it when none is given.
    void StoreLine(std::int64_t n, Line& buffer);
    void ExamineLine() { workLine = editorLine; }
    Char OwnBlank() const { return L' '; }
    void PlaceCursor(std::int64_t col);
    void BreakLine();
    void Redraw();
    void FeedKey(Char ch);

    // Puts the editor's file name, whole, in `name`; empty when the host
    // gives none. far2l fills the buffer it is given without a bound, so its
    // size is asked for first.
    void FetchFileName(WideText& name);
    // True when the features changed the text, so the bracket is open.
    bool Changed() const { return bracketOpen_; }
    // Feeds `key` back to the editor (the module's own nested call leaves it
    // alone) and closes the bracket.
    void FinishChange(const far2l_api::INPUT_RECORD& key);
    // Closes the bracket if it is open, without feeding anything.
    void CloseBracket();

    // What the reflow command asks of the editor (far2l_editor_lines.cpp).
    // The line count is the one the last RefreshInfo saw; lines come and go
    // at the cursor, which is moved to them first.
    std::int64_t LineCount() const { return info_.TotalLines; }
    std::optional<LineRange> MarkedLines();
    std::basic_string_view<Char> ViewLine(std::int64_t n);
    void SetCursor(std::int64_t line, std::int64_t column);
    void ReplaceLine(std::int64_t n, std::basic_string_view<Char> text);
    void InsertLineBefore(std::int64_t n);
    void DeleteLine(std::int64_t n);

private:
    // Runs a command on the cursor's line with the cursor at line n's start,
    // inside the bracket.
    void AtLineStart(std::int64_t n, far2l_api::EDITOR_CONTROL_COMMANDS command, void* param);
    int Call(far2l_api::EDITOR_CONTROL_COMMANDS command, void* param);
    void Undo(far2l_api::EDITOR_UNDOREDO_COMMANDS command);
    void BeforeChange();

    far2l_api::EditorInfo info_{};
    std::int64_t fetchedLength_ = 0;
    bool bracketOpen_ = false;
};

// True when `name` matches one item of `mask` by the host's ProcessName,
// the directory part left out, the list split as the other faces split it.
bool FileMaskMatch(const WideText& mask, const WideText& name);

// Forgets the remembered outcome of the mask test: a new host may compare
// names its own way.
void ForgetActivation();

// ProcessEditorInputW's work on one key record: the activation test by file
// mask, the features on the key as the rules know it, and the undo step
// around what they changed.
int HandleKey(const far2l_api::INPUT_RECORD& rec);

}  // namespace marten::far2l
