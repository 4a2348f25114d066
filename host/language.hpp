// The module's language files (*.lng) and help files (*.hlf), as the host
// reads them from the plug-in folder. Lines end in CR LF or LF.
//
// Language file: empty lines and lines beginning with "//" are skipped; the
// first other line is ".Language=ID,Display name" (without a comma the
// display name is the ID); every further line is one message, the text
// between its first and its last double quote taken as it stands (a quote
// inside needs no escape; blanks around the quotes are allowed).
//
// Help file: the same header, then ".PluginContents=Title" and other
// directives (lines beginning with '.', ignored) before the first topic;
// each topic begins with a line "@Name" and its body runs to the next topic,
// lines joined by LF, without the empty lines at its end. Topic names are
// unique and compared without regard to ASCII case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

struct LanguageFile {
    std::string language;     // the ID of the .Language= header, e.g. "English"
    std::string displayName;  // its display name
    std::vector<std::string>
        messages;  // in identifier order, OEM bytes (UTF-8 for a Unicode plug-in)
};

struct HelpFile {
    std::string language;
    std::string contentsTitle;                                // the .PluginContents= title
    std::vector<std::pair<std::string, std::string>> topics;  // name, body (OEM), in order
    bool utf8 = false;  // the title and bodies are in UTF-8 (a Unicode plug-in's), not OEM
    const std::string* Topic(std::string_view name) const;
};

// Parse the text of a file; on failure `error` says what and on which line.
std::optional<LanguageFile> ParseLanguageFile(std::string_view text, std::string* error);
std::optional<HelpFile> ParseHelpFile(std::string_view text, std::string* error);

// The *.lng (*.hlf) of `folder` whose header names `language`, else the English one,
// else the first one in name order. Files that cannot be read or parsed are
// passed over: on success `error` lists them, one per line ("" when none was),
// and on failure it says why the first one failed, or that there is none.
std::optional<LanguageFile> FindLanguageFile(const std::string& folder, std::string_view language,
                                             std::string* error);
std::optional<HelpFile> FindHelpFile(const std::string& folder, std::string_view language,
                                     std::string* error);

// The files of a Unicode plug-in. Their bytes: UTF-8 after a UTF-8 mark,
// UTF-16 after a UTF-16 one (either order); without a mark UTF-8 up to the
// first line that is not, the OEM code page from that line on. Returned as
// UTF-8.
std::string DecodeUnicodeTextFile(std::string_view bytes);
// Header lines (".Language=ID,Display name" among them) come before the
// first message; every line that begins with '"' (after blanks) is the next
// message, up to a closing quote at the end of the line (it may be missing),
// with the escapes \n \r \t \b \\ \" and "" for a quote; other lines
// are skipped. Messages and help topics come out in UTF-8.
std::optional<LanguageFile> ParseUnicodeLanguageFile(std::string_view text, std::string* error);
// As FindLanguageFile, but when neither the language nor English is found,
// the last file in name order is taken, as the 3.x host does.
std::optional<LanguageFile> FindUnicodeLanguageFile(const std::string& folder,
                                                    std::string_view language, std::string* error);
std::optional<HelpFile> FindUnicodeHelpFile(const std::string& folder, std::string_view language,
                                            std::string* error);

}  // namespace host
