#include "module/editor/quote_prefix.hpp"

#include <algorithm>

namespace marten {

void KeepOwnRuleCharacters(Text& oem, std::string_view own, std::string_view ownRuleCharacters) {
    const std::size_t converted = std::min(oem.size(), own.size());
    oem.resize(own.size());
    for (std::size_t i = converted; i < own.size(); ++i) oem[i] = own[i];
    for (std::size_t i = 0; i < own.size(); ++i) {
        for (std::size_t k = 0; k < kRuleCharacterCount; ++k) {
            if (oem[i] != kRuleCharacters[k]) continue;
            // Without the editor's byte for it, the character reads as it stands.
            const char ownByte =
                k < ownRuleCharacters.size() ? ownRuleCharacters[k] : kRuleCharacters[k];
            if (own[i] != ownByte) oem[i] = kPlainCharacter;
            break;
        }
    }
}

}  // namespace marten
