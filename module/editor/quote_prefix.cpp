#include "module/editor/quote_prefix.hpp"

namespace marten {

namespace {

bool IsPrefixBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

int FirstMark(std::string_view line) {
    const std::size_t at = line.find(kQuoteMark);
    return at == std::string_view::npos ? 0 : static_cast<int>(at + 1);
}

int LastMark(std::string_view line) {
    const std::size_t at = line.rfind(kQuoteMark);
    return at == std::string_view::npos ? 0 : static_cast<int>(at + 1);
}

Text PlainPrefix(std::string_view line) {
    const int mark = LastMark(line);
    if (mark == 0) return Text();
    Text prefix(line.substr(0, static_cast<std::size_t>(mark)));
    prefix += ' ';
    return prefix;
}

Text TrimmedPrefix(std::string_view line) {
    const int mark = LastMark(line);
    if (mark == 0) return Text();
    std::string_view kept = line.substr(0, static_cast<std::size_t>(mark));
    // Byte `mark` is '>', so the trimming stops there at the latest.
    while (IsPrefixBlank(kept.front())) kept.remove_prefix(1);
    Text prefix(kept);
    prefix += ' ';
    return prefix;
}

std::size_t PrefixLength(std::string_view line) {
    const int mark = LastMark(line);
    if (mark == 0) return 0;
    const std::size_t through = static_cast<std::size_t>(mark);
    if (through < line.size() && IsPrefixBlank(line[through])) return through + 1;
    return through;
}

void RemovePrefix(Text& line) { line.erase(0, PrefixLength(line)); }

}  // namespace marten
