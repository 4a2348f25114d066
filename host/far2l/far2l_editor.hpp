// The editor as a far2l plug-in sees it: EditorControl(Command, Param) on
// the one editor, lines in UTF-32, columns in characters, far2l's records
// and command numbers. It stands on the Unicode adapter's view of the
// engine, which holds the undo brackets and the nesting of fed-back keys,
// and converts each line, column and record where it crosses over.
//
// A line got with ECTL_GETSTRING stays valid until the plug-in call in
// which it was got returns to the host (EnterPlugin / LeavePlugin).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "api/far2l_api.hpp"
#include "host/unicode/unicode_editor.hpp"

namespace host {

class Far2lEditor {
public:
    // The one editor's id, as ECTL_GETINFO reports it.
    static constexpr int kId = 1;

    explicit Far2lEditor(engine::Editor& editor) : view_(editor) {}

    UnicodeEditor& View() { return view_; }
    engine::Editor& Engine() const { return view_.Engine(); }

    // The EditorControl service; 0 for an unknown command or a record it refuses.
    int Control(int command, void* param);

    void EnterPlugin() {
        ++depth_;
        view_.EnterPlugin();
    }
    void LeavePlugin();

private:
    int GetString(far2l_api::EditorGetString* get);
    int SetString(const far2l_api::EditorSetString* set);
    int GetInfo(far2l_api::EditorInfo* info);
    int SetPosition(const far2l_api::EditorSetPosition* position);
    int GetFileName(wchar_t* buffer);
    // Line n (negative: the cursor's) in UTF-16, as the view holds it; its
    // number in `line`. False when there is no such line.
    bool Utf16Line(int n, std::u16string_view& text, int& line);
    // The same, with the marked part of the line in UTF-16 units as the
    // Unicode editor reports it (from -1 when none, to -1 past the end).
    bool Utf16Line(int n, std::u16string_view& text, int& line, int& selStart, int& selEnd);
    // True when line n holds a character beyond the BMP (two UTF-16 units),
    // so that its columns differ between the two sides.
    bool HasPairs(int n) const;
    // A buffer for a text handed out in this call; its storage is reused by
    // later calls.
    std::wstring& NextHandedOut();

    UnicodeEditor view_;
    int depth_ = 0;
    // The texts handed out in this call, [0, handedOut_) of `texts_`; held by
    // pointer, so that a short text inside its string object never moves.
    std::vector<std::unique_ptr<std::wstring>> texts_;
    std::size_t handedOut_ = 0;
    std::string nameBytes_;  // the file name as last converted
    std::wstring name_;
};

}  // namespace host
