#include "winapi/regedit_parse.hpp"

#include <memory>
#include <unordered_map>

#include "common/ascii.hpp"

namespace winreg {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One to eight hex digits, and nothing else, as a number.
bool ReadHexNumber(std::string_view digits, std::uint32_t* number) {
    if (digits.empty() || digits.size() > 8) return false;
    *number = 0;
    for (const char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        *number = *number * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

// Reads the file line by line; a line keeps no line end.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool Next(std::string_view* line) {
        if (position_ >= text_.size()) return false;
        const std::size_t end = text_.find('\n', position_);
        const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
        std::string_view found = text_.substr(position_, stop - position_);
        if (!found.empty() && found.back() == '\r') found.remove_suffix(1);
        position_ = end == std::string_view::npos ? text_.size() : end + 1;
        ++number_;
        *line = found;
        return true;
    }
    std::size_t Number() const { return number_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t number_ = 0;
};

// A quoted string starting at text[0] == '"'; gives the unescaped bytes and
// the length taken, or nullopt with a reason.
std::optional<std::string> ReadQuoted(std::string_view text, std::size_t* taken, std::string* reason) {
    std::string value;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            *taken = i + 1;
            return value;
        }
        if (c == '\\') {
            if (i + 1 >= text.size()) break;
            const char next = text[++i];
            if (next != '\\' && next != '"') {
                *reason = std::string("unknown escape \\") + next + " in a quoted name or text";
                return std::nullopt;
            }
            value += next;
            continue;
        }
        value += c;
    }
    *reason = "a quoted name or text has no closing quote";
    return std::nullopt;
}

// Comma-separated two-digit hex bytes; a trailing comma is allowed.
bool ReadHexList(std::string_view list, std::string* bytes, std::string* reason) {
    bytes->reserve(bytes->size() + list.size() / 3 + 1);
    std::size_t i = 0;
    while (true) {
        while (i < list.size() && IsBlank(list[i])) ++i;
        if (i == list.size()) return true;
        const std::size_t start = i;
        while (i < list.size() && HexDigit(list[i]) >= 0) ++i;
        const std::size_t digits = i - start;
        if (digits == 0 || digits > 2) {
            *reason = "a hex list holds something that is not a byte";
            return false;
        }
        int byte = HexDigit(list[start]);
        if (digits == 2) byte = byte * 16 + HexDigit(list[start + 1]);
        bytes->push_back(static_cast<char>(byte));
        while (i < list.size() && IsBlank(list[i])) ++i;
        if (i == list.size()) return true;
        if (list[i] != ',') {
            *reason = "hex bytes must be separated by commas";
            return false;
        }
        ++i;
    }
}

// The data part of a value line, after the '='.
bool ReadData(std::string_view data, RegEntry* value, std::string* reason) {
    data = TrimBlanks(data);
    if (!data.empty() && data.front() == '"') {
        std::size_t taken = 0;
        auto text = ReadQuoted(data, &taken, reason);
        if (!text) return false;
        if (!TrimBlanks(data.substr(taken)).empty()) {
            *reason = "unexpected text after the closing quote";
            return false;
        }
        value->type = kRegString;
        value->data = std::move(*text);
        value->data.push_back('\0');
        return true;
    }
    if (ascii::StartsWithNoCase(data, "dword:")) {
        std::uint32_t number = 0;
        if (!ReadHexNumber(TrimBlanks(data.substr(6)), &number)) {
            *reason = "a dword needs one to eight hex digits";
            return false;
        }
        value->type = kRegDword;
        value->data.clear();
        for (int shift = 0; shift < 32; shift += 8) {
            value->data.push_back(static_cast<char>((number >> shift) & 0xFF));
        }
        return true;
    }
    if (ascii::StartsWithNoCase(data, "hex:")) {
        value->type = kRegBinary;
        return ReadHexList(data.substr(4), &value->data, reason);
    }
    if (ascii::StartsWithNoCase(data, "hex(")) {
        const std::size_t close = data.find(')');
        const std::string_view digits = data.substr(4, close == std::string_view::npos ? 0 : close - 4);
        if (close == std::string_view::npos || close + 1 >= data.size() || data[close + 1] != ':' ||
            digits.empty() || digits.size() > 8) {
            *reason = "a typed hex value must read hex(type):bytes";
            return false;
        }
        if (!ReadHexNumber(digits, &value->type)) {
            *reason = "the type of a hex value must be a hex number";
            return false;
        }
        return ReadHexList(data.substr(close + 2), &value->data, reason);
    }
    *reason = "the data is neither \"text\", dword:, hex: nor hex(type):";
    return false;
}

// The name part of a value line: "name" or @; the rest after '=' goes to *rest.
bool ReadName(std::string_view line, RegEntry* value, std::string_view* rest, std::string* reason) {
    std::size_t taken = 0;
    if (line.front() == '@') {
        taken = 1;
        value->name.clear();
    } else {
        auto name = ReadQuoted(line, &taken, reason);
        if (!name) return false;
        value->name = std::move(*name);
    }
    const std::string_view after = TrimBlanks(line.substr(taken));
    if (after.empty() || after.front() != '=') {
        *reason = "a value name must be followed by '='";
        return false;
    }
    *rest = after.substr(1);
    return true;
}

// Continues a line whose data ends in a backslash with the lines after it.
bool JoinContinuations(LineReader& reader, std::string_view first, std::string* joined,
                       std::string* source, std::string* reason) {
    std::string_view current = TrimBlanks(first);
    joined->assign(current);
    *source = std::string(first);
    while (!joined->empty() && joined->back() == '\\') {
        joined->pop_back();
        std::string_view next;
        if (!reader.Next(&next)) {
            *reason = "the file ends inside a value continued with '\\'";
            return false;
        }
        *source += "\r\n";
        *source += next;
        joined->append(TrimBlanks(next));
    }
    return true;
}

class DocumentBuilder {
public:
    RegDocument document;

    // A section opened; a path seen before continues that key.
    void OpenKey(std::string_view path) {
        const std::string lower = ascii::LowerCopy(path);
        auto found = keyIndex_.find(lower);
        if (found == keyIndex_.end()) {
            found = keyIndex_.emplace(lower, document.keys.size()).first;
            document.keys.push_back(RegKey{std::string(path), {}});
            valueIndex_.emplace_back();
        }
        current_ = found->second;
    }
    bool HasKey() const { return current_ != kNone; }

    void AddComment(std::string_view line) {
        RegEntry comment;
        comment.isComment = true;
        comment.source = std::string(line);
        Entries().push_back(std::move(comment));
    }

    void AddValue(RegEntry value) {
        auto& entries = document.keys[current_].entries;
        auto& names = valueIndex_[current_];
        // Most keys hold a few values: a scan finds a repeated name; beyond
        // that, an index keeps the parse linear.
        if (!names && entries.size() >= kScanLimit) {
            names = std::make_unique<std::unordered_map<std::string, std::size_t>>();
            for (std::size_t i = 0; i < entries.size(); ++i) {
                if (!entries[i].isComment) names->emplace(ascii::LowerCopy(entries[i].name), i);
            }
        }
        if (names) {
            const auto [found, added] = names->emplace(ascii::LowerCopy(value.name), entries.size());
            if (!added) {
                entries[found->second] = std::move(value);
                return;
            }
        } else {
            for (RegEntry& entry : entries) {
                if (!entry.isComment && ascii::EqualNoCase(entry.name, value.name)) {
                    entry = std::move(value);
                    return;
                }
            }
        }
        entries.push_back(std::move(value));
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<RegEntry>& Entries() {
        return current_ == kNone ? document.preamble : document.keys[current_].entries;
    }
    std::unordered_map<std::string, std::size_t> keyIndex_;
    static constexpr std::size_t kScanLimit = 16;
    std::vector<std::unique_ptr<std::unordered_map<std::string, std::size_t>>> valueIndex_;
    std::size_t current_ = kNone;
};

}  // namespace

ParseResult ParseRegedit(std::string_view text) {
    ParseResult result;
    DocumentBuilder builder;
    LineReader reader(text);
    bool headerSeen = false;
    std::string_view line;
    auto fail = [&](std::size_t number, std::string reason) {
        result.failure = ParseFailure{number, std::move(reason)};
        return result;
    };
    while (reader.Next(&line)) {
        const std::size_t number = reader.Number();
        if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        const std::string_view trimmed = TrimBlanks(line);
        if (trimmed.empty()) continue;
        if (trimmed.front() == ';') {
            builder.AddComment(line);
            continue;
        }
        if (!headerSeen) {
            if (trimmed != "REGEDIT4") {
                return fail(number, "the file does not begin with the line REGEDIT4");
            }
            headerSeen = true;
            continue;
        }
        if (trimmed.front() == '[') {
            if (trimmed.back() != ']') return fail(number, "a key's line must end with ']'");
            const std::string_view path = trimmed.substr(1, trimmed.size() - 2);
            if (path.empty() || path.front() == '-') {
                return fail(number, path.empty() ? "a key without a name"
                                                 : "key deletion entries are not supported");
            }
            builder.OpenKey(path);
            continue;
        }
        if (trimmed.front() != '"' && trimmed.front() != '@') {
            return fail(number, "a line that is neither a key, a value nor a comment");
        }
        if (!builder.HasKey()) return fail(number, "a value before the first key");
        RegEntry value;
        std::string_view rest;
        std::string reason;
        if (!ReadName(trimmed, &value, &rest, &reason)) return fail(number, reason);
        std::string joined;
        if (!JoinContinuations(reader, rest, &joined, &value.source, &reason)) {
            return fail(reader.Number(), reason);
        }
        if (TrimBlanks(joined) == "-") return fail(number, "value deletion entries are not supported");
        if (!ReadData(joined, &value, &reason)) return fail(number, reason);
        // The source keeps the whole entry, name included.
        value.source = std::string(line.substr(0, static_cast<std::size_t>(rest.data() - line.data()))) +
                       value.source;
        builder.AddValue(std::move(value));
    }
    result.document = std::move(builder.document);
    return result;
}

}  // namespace winreg
