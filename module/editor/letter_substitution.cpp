#include "module/editor/letter_substitution.hpp"

namespace marten {

namespace {

struct Substitution {
    unsigned char typed;    // code page 866
    std::uint16_t unicode;  // the same letter in UTF-16
    char replacement;
};

constexpr Substitution kSubstitutions[] = {
    {0x8D, 0x041D, 'H'},  // Cyrillic capital EN
    {0xE0, 0x0440, 'p'},  // Cyrillic small ER
    {0x90, 0x0420, 'P'},  // Cyrillic capital ER
};

}  // namespace

char LatinLookAlike(unsigned char typed) {
    for (const Substitution& row : kSubstitutions) {
        if (typed == row.typed) return row.replacement;
    }
    return 0;
}

char LatinLookAlikeOfUnit(std::uint16_t typed) {
    for (const Substitution& row : kSubstitutions) {
        if (typed == row.unicode) return row.replacement;
    }
    return 0;
}

}  // namespace marten
