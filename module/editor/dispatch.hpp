// The tests that ProcessEditorInput makes on a key record, in the order it
// makes them. Each reads the settings as they stand; none calls the host.
#pragma once

#include "api/plugin_api.hpp"

namespace marten {

// A Cyrillic capital EN, small ER or capital ER typed without Ctrl or Alt
// (Shift and the lock states do not matter), with the substitution on.
bool PassesSubstitutionTest(const KEY_EVENT_RECORD& key);

// Enter without Shift, Ctrl or Alt, with the quotation on.
bool PassesEnterTest(const KEY_EVENT_RECORD& key);

// Delete without Shift or Alt (Ctrl does not matter), with the quotation on.
bool PassesDeleteTest(const KEY_EVENT_RECORD& key);

// Backspace without Shift or Alt (Ctrl does not matter), with the quotation
// on; the dispatch then also needs the cursor at column 0.
bool PassesBackspaceKeyTest(const KEY_EVENT_RECORD& key);

// Any key down that carries a character, with the wrap on.
bool PassesTypedCharacterTest(const KEY_EVENT_RECORD& key);

// The longest part of the editor's file name that takes part in the activation test.
inline constexpr int kMaxMatchedNameLength = 255;

}  // namespace marten
