#include "tests/e2e/case_file.hpp"

#include <charconv>
#include <fstream>
#include <limits>
#include <sstream>

#include "engine/utf8.hpp"

namespace e2e {

namespace {

using engine::AppendUtf8;
using engine::DecodeUtf8;

constexpr char32_t kCursorMark = 0x2038;  // ‸
constexpr char32_t kTabMark = 0x2192;     // →
constexpr char32_t kLineEnd = 0x00B6;     // ¶

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

template <class Number>
bool ParseNumber(std::string_view text, Number& value, long long min, long long max) {
    long long parsed = 0;
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, parsed);
    if (status != std::errc() || stop != end || parsed < min || parsed > max) return false;
    value = static_cast<Number>(parsed);
    return true;
}

// The name of a table in the "table:" header.
std::string TableName(engine::CodePage table) {
    return std::string(engine::RecordOf(table).caseName);
}

struct Parser {
    std::string path;
    std::string* error;
    Case result;
    int lineNumber = 0;

    bool Fail(const std::string& what) {
        if (error != nullptr) *error = path + ":" + std::to_string(lineNumber) + ": " + what;
        return false;
    }

    // One line of a text section, from UTF-8 into the case's table.
    bool TextLine(std::string_view utf8, CaseText& section) {
        std::string bytes;
        std::size_t at = 0;
        while (at < utf8.size()) {
            char32_t ch = 0;
            std::size_t length = 0;
            if (!DecodeUtf8(utf8.substr(at), ch, length)) return Fail("invalid UTF-8");
            const bool last = at + length == utf8.size();
            at += length;
            if (ch == kCursorMark) {
                if (section.cursor) return Fail("a second cursor marker in the section");
                section.cursor = Position{static_cast<int>(section.lines.size()),
                                          static_cast<int>(bytes.size())};
            } else if (ch == kTabMark) {
                bytes += '\t';
            } else if (ch == kLineEnd && last) {
                // ends the line; what stands before it is kept as it is
            } else if (ch == kLineEnd) {
                // The line ends here; blanks and a cursor marker may follow:
                // the cursor stands that many columns beyond the end.
                const std::string_view rest = utf8.substr(at);
                const std::size_t blanks = rest.find_first_not_of(' ');
                if (section.cursor || blanks == std::string_view::npos ||
                    rest.substr(blanks) != "\u2038") {
                    return Fail(
                        "only blanks and a cursor marker may follow \"\u00B6\" "
                        "(a cursor beyond the end of the line)");
                }
                section.cursor = Position{static_cast<int>(section.lines.size()),
                                          static_cast<int>(bytes.size() + blanks)};
                break;
            } else if (ch < 0x80) {
                bytes += static_cast<char>(ch);
            } else if (const auto encoded = engine::EncodeChar(result.table, ch)) {
                bytes += encoded->Bytes();  // a byte of an 8-bit table, or UTF-8
            } else {
                std::string shown;
                AppendUtf8(shown, ch);
                return Fail("\"" + shown + "\" is not in the case's code page (table: " +
                            TableName(result.table) + ")");
            }
        }
        section.lines.push_back(std::move(bytes));
        return true;
    }

    bool Settings(std::string_view text) {
        CaseSettings& s = result.settings;
        std::size_t at = 0;
        while (true) {
            while (at < text.size() && text[at] == ' ') ++at;
            if (at >= text.size()) return true;
            const std::size_t equals = text.find('=', at);
            if (equals == std::string_view::npos) {
                return Fail("setting \"" + std::string(text.substr(at)) + "\" has no '='");
            }
            const std::string_view name = text.substr(at, equals - at);
            std::size_t end = equals + 1;
            std::string_view value;
            if (name == "FileMask" && end < text.size() && text[end] == '"') {
                const std::size_t close = text.find('"', end + 1);
                if (close == std::string_view::npos) return Fail("FileMask: no closing '\"'");
                value = text.substr(end + 1, close - end - 1);
                end = close + 1;
            } else {
                end = std::min(text.find(' ', end), text.size());
                value = text.substr(equals + 1, end - equals - 1);
            }
            at = end;

            bool ok = true;
            if (name == "EnableQuote")
                ok = ParseNumber(value, s.EnableQuote, 0, 255);
            else if (name == "EnableAutoWrap")
                ok = ParseNumber(value, s.EnableAutoWrap, 0, 255);
            else if (name == "EnableAutoIndent")
                ok = ParseNumber(value, s.EnableAutoIndent, 0, 255);
            else if (name == "EnableHPChange")
                ok = ParseNumber(value, s.EnableHPChange, 0, 255);
            else if (name == "RIndent")
                ok = ParseNumber(value, s.RIndent, INT32_MIN, INT32_MAX);
            else if (name == "LIndent")
                ok = ParseNumber(value, s.LIndent, INT32_MIN, INT32_MAX);
            else if (name == "FileMask")
                s.FileMask = std::string(value);
            else if (name == "Balanced")
                ok = ParseNumber(value, s.Balanced, 0, 1);
            else
                return Fail("unknown setting \"" + std::string(name) + "\"");
            if (!ok) {
                return Fail("setting " + std::string(name) + ": \"" + std::string(value) +
                            "\" is not a number in range");
            }
        }
    }

    bool EditorOptions(std::string_view text) {
        std::istringstream words{std::string(text)};
        std::string word;
        while (words >> word) {
            const std::size_t equals = word.find('=');
            const std::string name = word.substr(0, equals);
            const std::string_view value = equals == std::string::npos
                                               ? std::string_view()
                                               : std::string_view(word).substr(equals + 1);
            int number = 0;
            if (!ParseNumber(value, number, 0, 100000)) {
                return Fail("editor option \"" + word + "\" needs a number");
            }
            if (name == "autoindent")
                result.editor.autoIndent = number != 0;
            else if (name == "tabsize")
                result.editor.tabSize = number;
            else if (name == "width")
                result.editor.windowWidth = number;
            else if (name == "height")
                result.editor.windowHeight = number;
            else
                return Fail("unknown editor option \"" + name + "\"");
        }
        return true;
    }

    bool Cursor(std::string_view text) {
        const std::size_t colon = text.find(':');
        int line = 0;
        int col = 0;
        if (colon == std::string_view::npos ||
            !ParseNumber(text.substr(0, colon), line, 1, 1 << 30) ||
            !ParseNumber(text.substr(colon + 1), col, 1, 1 << 30)) {
            return Fail("cursor: \"" + std::string(text) + "\" is not LINE:COL counted from 1");
        }
        result.cursor = Position{line - 1, col - 1};
        return true;
    }

    bool HeaderLine(std::string_view line) {
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            return Fail("expected \"name: value\" or a section \"--- name\", got \"" +
                        std::string(line) + "\"");
        }
        const std::string_view name = Trim(line.substr(0, colon));
        const std::string_view value = Trim(line.substr(colon + 1));
        if (name == "file") {
            if (value.empty()) return Fail("file: needs a name");
            result.fileName = std::string(value);
        } else if (name == "table") {
            const auto table = engine::CodePageByName(value);
            if (!table) {
                return Fail("table: \"" + std::string(value) + "\" is none of " +
                            engine::CodePageNames(&engine::CodePageRecord::caseName, ", "));
            }
            result.table = *table;
        } else if (name == "settings") {
            return Settings(value);
        } else if (name == "editor") {
            return EditorOptions(value);
        } else if (name == "keys") {
            // Blanks around the script are layout; a typed blank at either end is "{ }".
            result.keys += std::string(value);
        } else if (name == "cursor") {
            return Cursor(value);
        } else if (name == "eol") {
            std::istringstream words{std::string(value)};
            std::string word;
            while (words >> word) {
                if (word == "check")
                    result.checkEol = true;
                else if (word == "last-none")
                    result.lastLineOpen = true;
                else
                    return Fail("eol: \"" + word + "\" is neither check nor last-none");
            }
        } else if (name == "event") {
            if (value == "key")
                result.eventType = KEY_EVENT;
            else if (value == "mouse")
                result.eventType = MOUSE_EVENT;
            else if (value == "window")
                result.eventType = WINDOW_BUFFER_SIZE_EVENT;
            else if (value == "menu")
                result.eventType = MENU_EVENT;
            else if (value == "focus")
                result.eventType = FOCUS_EVENT;
            else
                return Fail("event: \"" + std::string(value) +
                            "\" is none of key, mouse, window, menu, focus");
        } else {
            return Fail("unknown header \"" + std::string(name) + "\"");
        }
        return true;
    }

    bool Words(std::string_view line, std::vector<std::string>& words) {
        std::istringstream in{std::string(line)};
        std::string word;
        while (in >> word) words.push_back(word);
        return true;
    }

    bool Run(std::string_view text) {
        enum class Section {
            Header,
            Before,
            Module,
            After,
            Calls,
            Answer,
            Messages
        } section = Section::Header;
        bool seenAnswer = false;
        std::size_t at = 0;
        while (at < text.size()) {
            std::size_t end = text.find('\n', at);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(at, end - at);
            at = end + 1;
            ++lineNumber;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

            if (line.substr(0, 4) == "--- " || line == "---") {
                std::istringstream in{std::string(line.substr(3))};
                std::string name;
                in >> name;
                CaseText* target = nullptr;
                if (name == "before")
                    section = Section::Before, target = &result.before;
                else if (name == "module")
                    section = Section::Module, target = &result.module;
                else if (name == "after")
                    section = Section::After, target = &result.after;
                else if (name == "calls")
                    section = Section::Calls;
                else if (name == "answer")
                    section = Section::Answer;
                else if (name == "messages")
                    section = Section::Messages;
                else
                    return Fail("unknown section \"" + name + "\"");
                if (target != nullptr) {
                    if (target->present) return Fail("section \"" + name + "\" appears twice");
                    target->present = true;
                    target->sourceLine = lineNumber;
                } else if (section == Section::Calls) {
                    if (result.calls) return Fail("section \"calls\" appears twice");
                    result.calls.emplace();
                } else if (section == Section::Messages) {
                    if (result.messages) return Fail("section \"messages\" appears twice");
                    result.messages.emplace();
                } else if (seenAnswer) {
                    return Fail("section \"answer\" appears twice");
                }
                continue;
            }

            switch (section) {
            case Section::Header:
                if (Trim(line).empty() || line[0] == '#') break;
                if (!HeaderLine(line)) return false;
                break;
            case Section::Before:
                if (!TextLine(line, result.before)) return false;
                break;
            case Section::Module:
                if (!TextLine(line, result.module)) return false;
                break;
            case Section::After:
                if (!TextLine(line, result.after)) return false;
                break;
            case Section::Calls: Words(line, *result.calls); break;
            case Section::Messages: result.messages->emplace_back(line); break;
            case Section::Answer: {
                const std::string_view value = Trim(line);
                if (value.empty()) break;
                int answer = 0;
                if (seenAnswer || !ParseNumber(value, answer, INT32_MIN, INT32_MAX)) {
                    return Fail("answer: expected one number, got \"" + std::string(line) + "\"");
                }
                result.answer = answer;
                seenAnswer = true;
                break;
            }
            }
        }
        if (!result.before.present) return Fail("no \"--- before\" section");
        if (Trim(result.keys).empty()) return Fail("no keys: nothing to do");
        if (!result.module.present && !result.after.present && !result.calls && !result.answer &&
            !result.messages) {
            return Fail("nothing to check: no module, after, calls or answer section");
        }
        for (const std::string& name : result.calls.value_or(std::vector<std::string>{})) {
            if (name.rfind("ECTL_", 0) == 0)
                return Fail("calls: write \"" + name.substr(5) + "\" without ECTL_");
        }
        return true;
    }
};

}  // namespace

std::optional<Case> ParseCase(std::string_view text, const std::string& path, std::string* error) {
    Parser parser{path, error, {}};
    parser.result.path = path;
    if (!parser.Run(text)) return std::nullopt;
    return std::move(parser.result);
}

std::optional<Case> LoadCase(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error != nullptr) *error = path + ": cannot be read";
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseCase(text.str(), path, error);
}

std::string RenderLine(std::string_view bytes, engine::CodePage table,
                       std::optional<int> cursorCol) {
    std::string out;
    const auto mark = [&](std::size_t i) {
        if (cursorCol && *cursorCol >= 0 && static_cast<std::size_t>(*cursorCol) == i) {
            AppendUtf8(out, kCursorMark);
        }
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        mark(i);
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\t') {
            AppendUtf8(out, kTabMark);
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else {
            AppendUtf8(out, engine::ToUnicode(table, byte));
        }
    }
    if (cursorCol && static_cast<std::size_t>(*cursorCol) == bytes.size()) {
        AppendUtf8(out, kCursorMark);
    } else if (cursorCol && static_cast<std::size_t>(*cursorCol) > bytes.size()) {
        // A cursor beyond the end: the line ends, blanks stand for the gap.
        AppendUtf8(out, kLineEnd);
        out.append(static_cast<std::size_t>(*cursorCol) - bytes.size(), ' ');
        AppendUtf8(out, kCursorMark);
        return out;
    }
    const bool trailingBlank = !out.empty() && (out.back() == ' ');
    if (trailingBlank) AppendUtf8(out, kLineEnd);
    return out;
}

}  // namespace e2e
