#include "module/editor/quote_prefix.hpp"

#include <algorithm>

namespace marten {

namespace {

bool IsPrefixBlank(char c) { return c == ' ' || c == '\t'; }

MarkPosition MarkAt(std::size_t at) {
    return MarkPosition{at == std::string_view::npos ? 0 : static_cast<int>(at + 1)};
}

}  // namespace

MarkPosition FirstMark(std::string_view line) { return MarkAt(line.find(kQuoteMark)); }

MarkPosition LastMark(std::string_view line) { return MarkAt(line.rfind(kQuoteMark)); }

Text PlainPrefix(std::string_view line, std::string_view own, char blank) {
    const MarkPosition mark = LastMark(line);
    if (!mark.Found()) return Text();
    Text prefix(own.substr(0, mark.At().value + 1));
    prefix += blank;
    return prefix;
}

Text TrimmedPrefix(std::string_view line, std::string_view own, char blank) {
    const MarkPosition mark = LastMark(line);
    if (!mark.Found()) return Text();
    // The mark is '>', so the trimming stops there at the latest.
    std::size_t start = 0;
    while (IsPrefixBlank(line[start])) ++start;
    Text prefix(own.substr(start, mark.At().value + 1 - start));
    prefix += blank;
    return prefix;
}

std::size_t PrefixLength(std::string_view line) {
    const MarkPosition mark = LastMark(line);
    if (!mark.Found()) return 0;
    const std::size_t through = mark.At().value + 1;
    if (through < line.size() && IsPrefixBlank(line[through])) return through + 1;
    return through;
}

void KeepOwnRuleCharacters(Text& oem, std::string_view own, std::string_view ownRuleCharacters) {
    const std::size_t converted = std::min(oem.size(), own.size());
    oem.resize(own.size());
    for (std::size_t i = converted; i < own.size(); ++i) oem[i] = own[i];
    for (std::size_t i = 0; i < own.size(); ++i) {
        for (std::size_t k = 0; k < kRuleCharacterCount; ++k) {
            if (oem[i] != kRuleCharacters[k]) continue;
            // Without the editor's byte for it, the character reads as it stands.
            const char ownByte = k < ownRuleCharacters.size() ? ownRuleCharacters[k] : kRuleCharacters[k];
            if (own[i] != ownByte) oem[i] = kPlainCharacter;
            break;
        }
    }
}

}  // namespace marten
