// ProcessEditorInput: the activation test by file mask and the features
// tried in their fixed order for every input record of every editor window.
#include "module/editor/dispatch.hpp"

#include <cstddef>

#include "module/editor/edit_state.hpp"
#include "module/editor/file_mask.hpp"
#include "module/editor/letter_substitution.hpp"
#include "module/editor/quote_continuation.hpp"
#include "module/editor/wrap.hpp"
#include "module/plugin/host_info.hpp"
#include "module/settings/settings.hpp"

namespace marten {

namespace {

constexpr DWORD kAltOrShift = RIGHT_ALT_PRESSED | LEFT_ALT_PRESSED | SHIFT_PRESSED;

bool NoneOf(const KEY_EVENT_RECORD& key, DWORD bits) { return (key.dwControlKeyState & bits) == 0; }

// WorkLine := the editor's file name up to its zero byte, at most 255 characters.
void TakeFileName() {
    EditState.WorkLine.clear();
    const char* name = EditState.InfoRec.FileName;
    if (name == nullptr) return;
    std::size_t length = 0;
    while (length < static_cast<std::size_t>(kMaxMatchedNameLength) && name[length] != '\0') {
        ++length;
    }
    EditState.WorkLine.assign(name, length);
}

int HandleKeyRecord(const KEY_EVENT_RECORD& key) {
    RefreshInfo();
    TakeFileName();
    if (!FileMaskMatch(Settings.FileMask, EditState.WorkLine)) return 0;

    AnsiEditor ed;
    return RunFeatures(ed, key);
}

}  // namespace

bool PassesEnterTest(const KEY_EVENT_RECORD& key) {
    return Settings.EnableQuote && key.bKeyDown && key.wVirtualKeyCode == VK_RETURN &&
           NoneOf(key, kAltOrCtrl | SHIFT_PRESSED);
}

bool PassesDeleteTest(const KEY_EVENT_RECORD& key) {
    return Settings.EnableQuote && key.bKeyDown && key.wVirtualKeyCode == VK_DELETE &&
           NoneOf(key, kAltOrShift);
}

bool PassesBackspaceKeyTest(const KEY_EVENT_RECORD& key) {
    return Settings.EnableQuote && key.bKeyDown && key.wVirtualKeyCode == VK_BACK &&
           NoneOf(key, kAltOrShift);
}

}  // namespace marten

extern "C" int WINAPI ProcessEditorInput(const INPUT_RECORD* Rec) {
    using namespace marten;
    // Only key events carry key fields: the bytes of a mouse or focus event
    // read as a key could otherwise start a feature.
    if (Rec == nullptr || Rec->EventType != KEY_EVENT) return 0;
    // Without the editor service or the name comparison there is nothing to
    // do; the features rely on both from here on.
    if (HostInfo.EditorControl == nullptr || HostInfo.CmpName == nullptr) return 0;
    try {
        return HandleKeyRecord(Rec->Event.KeyEvent);
    } catch (...) {
        // Nothing thrown may reach the host; the editor then handles the key.
        return 0;
    }
}
