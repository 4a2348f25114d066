#include "module/editor/letter_substitution.hpp"

#include "module/editor/edit_state.hpp"

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

}  // namespace

char LatinLookAlike(unsigned char typed) {
    for (const Substitution& row : kSubstitutions) {
        if (typed == row.typed) return row.replacement;
    }
    return 0;
}

bool SubstituteLetter(const KEY_EVENT_RECORD& key) {
    const char replacement = LatinLookAlike(static_cast<unsigned char>(key.uChar.AsciiChar));
    if (replacement == 0) return false;
    FeedKey(replacement);
    return true;
}

}  // namespace marten
