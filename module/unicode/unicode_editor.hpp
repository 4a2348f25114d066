// The editor of the Unicode interface as the features see it (the shape of
// AnsiEditor): UTF-16 lines through EditorControl on one editor, examined as
// they stand. Every change the features make opens one undo bracket first,
// so that the key with all the module did on it is one step of the editor's
// undo; HandleKey closes it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "module/editor/key_step.hpp"
#include "module/editor/reflow.hpp"
#include "module/unicode/host_info.hpp"

namespace marten::unicode {

class UnicodeEditor : public FeatureLineRefs<UnicodeText> {
public:
    using Char = WChar;
    using Line = UnicodeText;

    using FeatureLineRefs::FeatureLineRefs;

    void RefreshInfo();
    std::int64_t CurLine() const { return info_.CurLine; }
    std::int64_t CurPos() const { return info_.CurPos; }
    std::int64_t FetchedLength() const { return fetched_.StringLength; }
    bool FetchLine(std::int64_t n, Line& buffer);
    void StoreLine(std::int64_t n, Line& buffer);
    void ExamineLine() { workLine = editorLine; }
    Char OwnBlank() const { return Char(' '); }
    void PlaceCursor(std::int64_t col);
    void BreakLine();
    void Redraw();
    void FeedKey(Char ch);

    // Puts the editor's file name, whole, in `name`; empty when the host
    // gives none. One call to the host when `name` already has the room.
    void FetchFileName(UnicodeText& name);
    // True when the features changed the text, so the bracket is open.
    bool Changed() const { return bracketOpen_; }
    // Feeds `key` back to the editor (the module's own nested call leaves it
    // alone) and closes the bracket.
    void FinishChange(const INPUT_RECORD& key);
    // Closes the bracket if it is open, without feeding anything.
    void CloseBracket();

    // What the reflow command asks of the editor (unicode_editor_lines.cpp);
    // LineCount as the last RefreshInfo saw it.
    std::int64_t LineCount() const { return info_.TotalLines; }
    std::optional<LineRange> MarkedLines();
    std::basic_string_view<Char> ViewLine(std::int64_t n);
    void ReplaceLine(std::int64_t n, std::basic_string_view<Char> text);
    void InsertLineBefore(std::int64_t n);
    void DeleteLine(std::int64_t n);
    void SetCursor(std::int64_t line, std::int64_t column);

private:
    std::intptr_t Call(unicode_api::EDITOR_CONTROL_COMMANDS command, std::intptr_t param1,
                       void* param2);
    void Undo(unicode_api::EDITOR_UNDOREDO_COMMANDS command);
    void BeforeChange();

    std::intptr_t id_ = unicode_api::CURRENT_EDITOR;
    unicode_api::EditorInfo info_{};
    unicode_api::EditorGetString fetched_{};
    bool bracketOpen_ = false;
};

// ProcessEditorInputW's work on one key record: the activation test by file
// mask, the features, and the undo step around what they changed.
std::intptr_t HandleKey(const INPUT_RECORD& rec);

// True when `name` matches one item of `mask` by the host's ProcessName,
// the directory part left out, the list split as every face splits it.
bool FileMaskMatch(const UnicodeText& mask, const UnicodeText& name);

// Forgets the remembered outcome of the mask test: a new host may compare
// names its own way.
void ForgetActivation();

}  // namespace marten::unicode
