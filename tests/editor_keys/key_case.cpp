#include "tests/editor_keys/key_case.hpp"

#include <charconv>

#include "engine/codepage.hpp"
#include "host/key_script.hpp"

namespace keycases {
namespace {

constexpr std::string_view kTab = "→";
constexpr std::string_view kCursor = "‸";
constexpr std::string_view kBeyond = "·";

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::optional<int> Number(std::string_view s) {
    int value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || value < 1) return std::nullopt;
    return value;
}

// "LINE:COL", both from 1.
std::optional<engine::TypedPosition> Place(std::string_view s) {
    const std::size_t colon = s.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto line = Number(s.substr(0, colon));
    const auto column = Number(s.substr(colon + 1));
    if (!line || !column) return std::nullopt;
    return engine::TypedPosition{engine::LineNumber(*line), engine::ColumnNumber(*column)};
}

std::optional<bool> OnOff(std::string_view s) {
    if (s == "on") return true;
    if (s == "off") return false;
    return std::nullopt;
}

// One written line into `text`: "→" a tab, "‸" the cursor, "·" before a
// final "‸" the columns the cursor stands beyond the end.
bool AddLine(std::string_view written, MarkedText& text, std::string* why) {
    std::string bytes;
    int beyond = 0;
    std::size_t at = 0;
    while (at < written.size()) {
        if (written.substr(at).starts_with(kTab)) {
            bytes += '\t';
            at += kTab.size();
        } else if (written.substr(at).starts_with(kBeyond)) {
            ++beyond;
            at += kBeyond.size();
        } else if (written.substr(at).starts_with(kCursor)) {
            if (text.cursor) return *why = "a second cursor", false;
            at += kCursor.size();
            if (beyond != 0 && at != written.size())
                return *why = "\"·\" only before a cursor at the end", false;
            text.cursor = engine::TextPosition{static_cast<int>(text.lines.size()),
                                               static_cast<int>(bytes.size()) + beyond};
        } else {
            if (beyond != 0) return *why = "\"·\" only before a cursor at the end", false;
            std::size_t end = at + 1;
            while (end < written.size() &&
                   (static_cast<unsigned char>(written[end]) & 0xC0) == 0x80)
                ++end;
            std::size_t lost = 0;
            bytes +=
                engine::FromUtf8(engine::CodePage::Oem866, written.substr(at, end - at), &lost);
            if (lost != 0) return *why = "a character that code page 866 lacks", false;
            at = end;
        }
    }
    if (beyond != 0 && !(text.cursor && text.cursor->line == static_cast<int>(text.lines.size())))
        return *why = "\"·\" only before a cursor at the end", false;
    text.lines.push_back(std::move(bytes));
    return true;
}

struct Parser {
    std::vector<KeyCase> cases;
    MarkedText* block = nullptr;  // the text block being read

    // One directive; false with `why` set when it is wrong.
    bool Directive(std::string_view name, std::string_view value, int lineNumber,
                   std::string* why) {
        if (name == "case") {
            cases.push_back({});
            cases.back().name = value;
            cases.back().line = lineNumber;
            cases.back().options.windowWidth = 100;
            cases.back().options.windowHeight = 28;  // a 100x30 screen less the title and key bar
            return true;
        }
        if (cases.empty()) return *why = "\"case:\" must come first", false;
        KeyCase& c = cases.back();
        if (name == "text" || name == "expect") {
            MarkedText* target = &c.start;
            if (name == "expect") target = &c.expect.emplace();
            if (value.starts_with("numbered ")) {
                // Lines "line 1" to "line N".
                const auto count = Number(value.substr(9));
                if (!count) return *why = "expected \"numbered COUNT\"", false;
                for (int n = 1; n <= *count; ++n)
                    target->lines.push_back("line " + std::to_string(n));
                return true;
            }
            if (!value.empty())
                return *why = "a text follows on lines that start with \"|\"", false;
            block = target;
            return true;
        }
        if (name == "keys") return c.keys = value, true;
        if (name == "each") return c.each = value, true;
        if (name == "delimiters") return c.options.wordDelimiters = value, true;
        if (name == "selected")
            return c.selected = value == "none" ? std::string() : std::string(value), true;
        if (name == "on") {
            if (value != "screen") return *why = "expected \"on: screen\"", false;
            return c.onScreen = true, true;
        }
        if (name == "stops") {
            while (!(value = Trim(value)).empty()) {
                const std::size_t space = value.find(' ');
                const auto place = Place(value.substr(0, space));
                if (!place) return *why = "expected LINE:COL stops", false;
                c.stops.push_back(*place);
                value = space == std::string_view::npos ? std::string_view() : value.substr(space);
            }
            return true;
        }
        if (name == "at" || name == "cursor") {
            const auto place = Place(value);
            if (!place) return *why = "expected LINE:COL", false;
            (name == "at" ? c.at : c.cursor) = place;
            return true;
        }
        if (name == "top" || name == "tab-size" || name == "rows") {
            const auto number = Number(value);
            if (!number) return *why = "expected a number from 1", false;
            if (name == "top")
                c.top = *number;
            else if (name == "tab-size")
                c.options.tabSize = *number;
            else
                c.options.windowHeight = *number;
            return true;
        }
        const auto flag = OnOff(value);
        bool* target = name == "overtype"             ? &c.overtype
                       : name == "persistent-blocks"  ? &c.options.persistentBlocks
                       : name == "del-removes-blocks" ? &c.options.delRemovesBlocks
                                                      : nullptr;
        if (!target) return *why = "unknown setting \"" + std::string(name) + "\"", false;
        if (!flag) return *why = "expected on or off", false;
        *target = *flag;
        return true;
    }
};

}  // namespace

std::optional<std::vector<KeyCase>> ParseKeyCases(std::string_view text, std::string* error) {
    Parser parser;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string why;
        if (line.starts_with('|')) {
            if (!parser.block)
                why = "a text line outside \"text:\" or \"expect:\"";
            else
                AddLine(line.substr(1), *parser.block, &why);
        } else {
            parser.block = nullptr;
            const std::string_view trimmed = Trim(line);
            if (trimmed.empty() || trimmed.starts_with('#')) continue;
            const std::size_t colon = trimmed.find(':');
            if (colon == std::string_view::npos)
                why = "expected NAME: VALUE";
            else
                parser.Directive(Trim(trimmed.substr(0, colon)), Trim(trimmed.substr(colon + 1)),
                                 lineNumber, &why);
        }
        if (!why.empty()) {
            *error = "line " + std::to_string(lineNumber) + ": " + why;
            return std::nullopt;
        }
    }
    return std::move(parser.cases);
}

std::string Bytes(const MarkedText& text) {
    std::string bytes;
    for (std::size_t n = 0; n < text.lines.size(); ++n) {
        if (n != 0) bytes += "\r\n";
        bytes += text.lines[n];
    }
    return bytes;
}

std::string Render(const MarkedText& text) {
    std::string out;
    for (std::size_t n = 0; n < text.lines.size(); ++n) {
        const std::string& line = text.lines[n];
        const bool here = text.cursor && text.cursor->line == static_cast<int>(n);
        const std::size_t pos =
            here ? static_cast<std::size_t>(text.cursor->byteColumn) : std::string::npos;
        out += '|';
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i == pos) out += kCursor;
            out += line[i] == '\t' ? std::string(kTab)
                                   : engine::ToUtf8(engine::CodePage::Oem866, line.substr(i, 1));
        }
        if (here && pos >= line.size()) {
            for (std::size_t i = line.size(); i < pos; ++i) out += kBeyond;
            out += kCursor;
        }
        out += '\n';
    }
    return out;
}

}  // namespace keycases
