// The tests that both interfaces' editor-input entry points make on a key
// record, in the order they make them, and the features they then run. Each
// test reads the settings as they stand; none calls the host. A template
// parameter C is the interface's character: the OEM byte or the UTF-16 unit.
#pragma once

#include "api/ansi_api.hpp"
#include "module/editor/letter_substitution.hpp"
#include "module/editor/quote_continuation.hpp"
#include "module/editor/wrap.hpp"
#include "module/settings/settings.hpp"

namespace marten {

// The modifiers under which a character is not typed text.
inline constexpr DWORD kAltOrCtrl =
    RIGHT_ALT_PRESSED | LEFT_ALT_PRESSED | RIGHT_CTRL_PRESSED | LEFT_CTRL_PRESSED;

// A Cyrillic capital EN, small ER or capital ER typed without Ctrl or Alt
// (Shift and the lock states do not matter), with the substitution on.
template <class C = char>
bool PassesSubstitutionTest(const KEY_EVENT_RECORD& key) {
    return Settings.EnableHPChange && key.bKeyDown && (key.dwControlKeyState & kAltOrCtrl) == 0 &&
           LatinLookAlikeOf(KeyCharacter<C>(key)) != 0;
}

// Enter without Shift, Ctrl or Alt, with the quotation on.
bool PassesEnterTest(const KEY_EVENT_RECORD& key);

// Delete without Shift or Alt (Ctrl does not matter), with the quotation on.
bool PassesDeleteTest(const KEY_EVENT_RECORD& key);

// Backspace without Shift or Alt (Ctrl does not matter), with the quotation
// on; the dispatch then also needs the cursor at column 0.
bool PassesBackspaceKeyTest(const KEY_EVENT_RECORD& key);

// Any key down that carries a character, with the wrap on.
template <class C = char>
bool PassesTypedCharacterTest(const KEY_EVENT_RECORD& key) {
    return Settings.EnableAutoWrap && key.bKeyDown && KeyCharacter<C>(key) != 0;
}

// The features tried in their fixed order for one key record in an editor
// whose file name matched: the substitution consumes the record (answer 1)
// and nothing else runs for it; otherwise each of the four is tried whatever
// the ones before did, a record of Enter or Backspace that carries its
// character reaching the wrap too, and the answer is 0.
template <class Editor>
int RunFeatures(Editor& ed, const KEY_EVENT_RECORD& key) {
    using C = typename Editor::Char;
    if (PassesSubstitutionTest<C>(key) && SubstituteLetter(ed, key)) return 1;
    if (PassesEnterTest(key)) QuoteEnter(ed);
    if (PassesDeleteTest(key)) QuoteDelete(ed);
    if (PassesBackspaceKeyTest(key)) {
        ed.RefreshInfo();
        if (ed.CurPos() == 0) QuoteBackspace(ed);
    }
    if (PassesTypedCharacterTest<C>(key)) WrapCurrentLine(ed);
    return 0;
}

}  // namespace marten
