#include "host/language.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/ascii.hpp"
#include "engine/codepage.hpp"
#include "engine/text16.hpp"
#include "engine/utf8.hpp"

namespace host {

namespace {

namespace fs = std::filesystem;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The lines of a file, each without its LF or CR LF.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {
        if (StartsWith(rest_, "\xEF\xBB\xBF")) rest_.remove_prefix(3);  // a byte-order mark
    }
    bool Next(std::string_view& line) {
        if (rest_.empty()) return false;
        const std::size_t end = rest_.find('\n');
        line = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++number_;
        return true;
    }
    int Number() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

bool Skipped(std::string_view line) { return TrimBlanks(line).empty() || StartsWith(line, "//"); }

std::string AtLine(int number, const std::string& what) {
    return "line " + std::to_string(number) + ": " + what;
}

void Fail(std::string* error, std::string message) {
    if (error != nullptr) *error = std::move(message);
}

// The first meaningful line must be ".Language=ID,Display name"; without a
// comma the display name is the ID.
bool ReadHeader(LineReader& lines, std::string& id, std::string& display, std::string* error) {
    std::string_view line;
    while (lines.Next(line)) {
        if (Skipped(line)) continue;
        constexpr std::string_view kHeader = ".Language=";
        if (!StartsWith(line, kHeader)) {
            Fail(error, AtLine(lines.Number(), "expected .Language=ID,Display name"));
            return false;
        }
        std::string_view value = line.substr(kHeader.size());
        const std::size_t comma = value.find(',');
        id = std::string(TrimBlanks(value.substr(0, comma)));
        display =
            comma == std::string_view::npos ? id : std::string(TrimBlanks(value.substr(comma + 1)));
        if (id.empty()) {
            Fail(error, AtLine(lines.Number(), "the .Language= header names no language"));
            return false;
        }
        return true;
    }
    Fail(error, "no .Language= header");
    return false;
}

std::optional<std::string> ReadWholeFile(const fs::path& path, std::string* error) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    if (file) bytes << file.rdbuf();
    if (!file || file.bad()) {
        Fail(error, path.filename().string() + ": cannot be read");
        return std::nullopt;
    }
    return bytes.str();
}

// The files of `folder` with `extension` (compared without regard to case), in name order.
std::vector<fs::path> FilesWithExtension(const std::string& folder, std::string_view extension) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        if (ascii::EqualNoCase(it->path().extension().string(), extension))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The parsed file of `folder` whose language is `language`, else English,
// else the first in name order. Files that do not parse are passed over;
// when none parses, `error` tells why the first one did not.
template <typename File, typename Parse>
std::optional<File> FindFile(const std::string& folder, std::string_view extension,
                             std::string_view language, Parse parse, std::string* error,
                             bool lastFallback = false) {
    std::vector<File> parsed;
    std::vector<std::string> problems;
    const auto paths = FilesWithExtension(folder, extension);
    for (const fs::path& path : paths) {
        std::string problem;
        std::optional<File> file;
        if (auto text = ReadWholeFile(path, &problem)) {
            file = parse(*text, &problem);
            if (!file) problem = path.filename().string() + ": " + problem;
        }
        if (file) {
            parsed.push_back(std::move(*file));
        } else {
            problems.push_back(std::move(problem));
        }
    }
    // On success `error` still tells of the files passed over, one per line.
    std::string passedOver;
    for (const std::string& problem : problems) {
        if (!passedOver.empty()) passedOver += '\n';
        passedOver += problem;
    }
    auto found = [&](File& file) {
        Fail(error, passedOver);
        return std::optional<File>(std::move(file));
    };
    for (std::string_view wanted : {language, std::string_view("English")}) {
        for (File& file : parsed) {
            if (ascii::EqualNoCase(file.language, wanted)) return found(file);
        }
    }
    if (!parsed.empty()) return found(lastFallback ? parsed.back() : parsed.front());
    Fail(error,
         paths.empty() ? "no *" + std::string(extension) + " file in " + folder : problems.front());
    return std::nullopt;
}

}  // namespace

const std::string* HelpFile::Topic(std::string_view name) const {
    for (const auto& [topic, body] : topics) {
        if (ascii::EqualNoCase(topic, name)) return &body;
    }
    return nullptr;
}

// A message is the text between the first and the last double quote of its
// line, taken as it stands: a quote inside needs no escape.
std::optional<LanguageFile> ParseLanguageFile(std::string_view text, std::string* error) {
    LineReader lines(text);
    LanguageFile file;
    if (!ReadHeader(lines, file.language, file.displayName, error)) return std::nullopt;
    std::string_view line;
    while (lines.Next(line)) {
        if (Skipped(line)) continue;
        const std::string_view quoted = TrimBlanks(line);
        if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
            Fail(error, AtLine(lines.Number(), "expected a quoted message"));
            return std::nullopt;
        }
        file.messages.emplace_back(quoted.substr(1, quoted.size() - 2));
    }
    return file;
}

// The part of a ".Language=ID,Display name" line after the '='; without a
// comma the display name is the ID. False when it names no language.
bool ReadLanguageValue(std::string_view value, std::string& id, std::string& display) {
    const std::size_t comma = value.find(',');
    id = std::string(TrimBlanks(value.substr(0, comma)));
    display =
        comma == std::string_view::npos ? id : std::string(TrimBlanks(value.substr(comma + 1)));
    return !id.empty();
}

// The text of a message line of the Unicode interface's files, after its
// opening quote: up to a closing quote at the end of the line (which may be
// missing), its escapes resolved.
std::string UnescapeMessage(std::string_view body) {
    const std::string_view trimmed = TrimBlanks(body);
    if (!trimmed.empty() && trimmed.back() == '"' &&
        (trimmed.size() < 2 || trimmed[trimmed.size() - 2] != '\\')) {
        body = trimmed.substr(0, trimmed.size() - 1);
    }
    std::string text;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c == '"' && i + 1 < body.size() && body[i + 1] == '"') {
            text += '"';
            ++i;
        } else if (c == '\\' && i + 1 < body.size()) {
            const char next = body[++i];
            switch (next) {
            case 'n': text += '\n'; break;
            case 'r': text += '\r'; break;
            case 't': text += '\t'; break;
            case 'b': text += '\b'; break;
            case '\\': text += '\\'; break;
            case '"': text += '"'; break;
            default: text += c, text += next; break;
            }
        } else {
            text += c;
        }
    }
    return text;
}

// Before the first topic: the header, ".PluginContents=Title", other
// directives (".Options ...", ignored), comments and empty lines. A topic
// runs from its "@Name" line to the next; its body keeps its lines as they
// stand, joined by LF, without the empty lines at its end.
std::optional<HelpFile> ParseHelpFile(std::string_view text, std::string* error) {
    LineReader lines(text);
    HelpFile file;
    std::string display;
    if (!ReadHeader(lines, file.language, display, error)) return std::nullopt;
    bool haveContents = false;
    std::string* body = nullptr;
    auto finishTopic = [&] {
        if (body == nullptr) return;
        while (!body->empty() && body->back() == '\n') body->pop_back();
    };
    std::string_view line;
    while (lines.Next(line)) {
        if (!line.empty() && line.front() == '@') {
            const std::string name(TrimBlanks(line.substr(1)));
            if (name.empty()) {
                Fail(error, AtLine(lines.Number(), "a topic needs a name after @"));
                return std::nullopt;
            }
            if (!haveContents) {
                Fail(error,
                     AtLine(lines.Number(), "no .PluginContents= line before the first topic"));
                return std::nullopt;
            }
            if (file.Topic(name) != nullptr) {
                Fail(error, AtLine(lines.Number(), "topic \"" + name + "\" appears twice"));
                return std::nullopt;
            }
            finishTopic();
            file.topics.emplace_back(name, std::string());
            body = &file.topics.back().second;
            continue;
        }
        if (body != nullptr) {
            body->append(line);
            body->push_back('\n');
            continue;
        }
        if (Skipped(line)) continue;
        constexpr std::string_view kContents = ".PluginContents=";
        if (StartsWith(line, kContents)) {
            file.contentsTitle = std::string(TrimBlanks(line.substr(kContents.size())));
            haveContents = true;
        } else if (line.front() != '.') {
            Fail(error, AtLine(lines.Number(), "text before the first topic"));
            return std::nullopt;
        }
    }
    finishTopic();
    if (file.topics.empty()) {
        Fail(error, "no topic (a line @Name) in the file");
        return std::nullopt;
    }
    return file;
}

std::string DecodeUnicodeTextFile(std::string_view bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) return std::string(bytes.substr(3));
    const bool little = StartsWith(bytes, "\xFF\xFE");
    if (little || StartsWith(bytes, "\xFE\xFF")) {
        std::u16string units;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto first = static_cast<unsigned char>(bytes[i]);
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            units += static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
        }
        return engine::Utf16ToUtf8(units);
    }
    // Without a mark: UTF-8 up to the first line that is not, OEM from there on.
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t ch = 0;
        std::size_t length = 0;
        if (!engine::DecodeUtf8(bytes.substr(i), ch, length)) {
            return std::string(bytes.substr(0, lineStart)) +
                   engine::ToUtf8(engine::CodePage::Oem866, bytes.substr(lineStart));
        }
        i += length;
        if (ch == '\n') lineStart = i;
    }
    return std::string(bytes);
}

std::optional<LanguageFile> ParseUnicodeLanguageFile(std::string_view text, std::string* error) {
    LineReader lines(text);
    LanguageFile file;
    bool header = false;
    std::string_view line;
    while (lines.Next(line)) {
        const std::string_view trimmed = TrimBlanks(line);
        if (!trimmed.empty() && trimmed.front() == '"') {
            if (!header) break;
            file.messages.push_back(UnescapeMessage(trimmed.substr(1)));
        } else if (file.messages.empty() && StartsWith(trimmed, ".Language=")) {
            if (!ReadLanguageValue(trimmed.substr(10), file.language, file.displayName)) {
                Fail(error, AtLine(lines.Number(), "the .Language= header names no language"));
                return std::nullopt;
            }
            header = true;
        }
    }
    if (!header) {
        Fail(error, "no .Language= header before the first message");
        return std::nullopt;
    }
    return file;
}

std::optional<LanguageFile> FindUnicodeLanguageFile(const std::string& folder,
                                                    std::string_view language, std::string* error) {
    const auto parse = [](std::string_view bytes, std::string* why) {
        return ParseUnicodeLanguageFile(DecodeUnicodeTextFile(bytes), why);
    };
    return FindFile<LanguageFile>(folder, ".lng", language, parse, error, true);
}

std::optional<HelpFile> FindUnicodeHelpFile(const std::string& folder, std::string_view language,
                                            std::string* error) {
    const auto parse = [](std::string_view bytes, std::string* why) {
        std::optional<HelpFile> help = ParseHelpFile(DecodeUnicodeTextFile(bytes), why);
        if (help) help->utf8 = true;
        return help;
    };
    return FindFile<HelpFile>(folder, ".hlf", language, parse, error, true);
}

std::optional<LanguageFile> FindLanguageFile(const std::string& folder, std::string_view language,
                                             std::string* error) {
    return FindFile<LanguageFile>(folder, ".lng", language, ParseLanguageFile, error);
}

std::optional<HelpFile> FindHelpFile(const std::string& folder, std::string_view language,
                                     std::string* error) {
    return FindFile<HelpFile>(folder, ".hlf", language, ParseHelpFile, error);
}

}  // namespace host
