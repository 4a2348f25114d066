#include "module/editor/letter_substitution.hpp"

#include "module/editor/edit_state.hpp"
#include "module/editor/features.hpp"
#include "module/settings/settings.hpp"

namespace marten {

namespace {

struct Substitution {
    unsigned char typed;  // code page 866
    char replacement;
};

constexpr Substitution kSubstitutions[] = {
    {0x8D, 'H'},  // Cyrillic capital EN
    {0xE0, 'p'},  // Cyrillic small ER
    {0x90, 'P'},  // Cyrillic capital ER
};

// Alt or Ctrl on either side makes the key a command, not a letter; Shift and
// the lock states do not, so capitals typed either way are replaced.
constexpr DWORD kBlockingModifiers =
    RIGHT_ALT_PRESSED | LEFT_ALT_PRESSED | RIGHT_CTRL_PRESSED | LEFT_CTRL_PRESSED;

}  // namespace

bool SubstituteLetter(const KEY_EVENT_RECORD& key) {
    if (!Settings.EnableHPChange || !key.bKeyDown) return false;
    if ((key.dwControlKeyState & kBlockingModifiers) != 0) return false;
    const auto typed = static_cast<unsigned char>(key.uChar.AsciiChar);
    for (const Substitution& row : kSubstitutions) {
        if (typed == row.typed) {
            FeedKey(row.replacement);
            return true;
        }
    }
    return false;
}

}  // namespace marten
