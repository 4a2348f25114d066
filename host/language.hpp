// The module's language files (*.lng) and help files (*.hlf), as the host
// reads them from the plug-in folder.
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
    std::vector<std::string> messages;  // in identifier order, OEM bytes
};

struct HelpFile {
    std::string language;
    std::string contentsTitle;  // the .PluginContents= title
    std::vector<std::pair<std::string, std::string>> topics;  // name, body (OEM), in order
    const std::string* Topic(std::string_view name) const;
};

// Parse the text of a file; on failure `error` says what and on which line.
std::optional<LanguageFile> ParseLanguageFile(std::string_view text, std::string* error);
std::optional<HelpFile> ParseHelpFile(std::string_view text, std::string* error);

// The *.lng (*.hlf) of `folder` whose header names `language`, else the English one,
// else the first one found.
std::optional<LanguageFile> FindLanguageFile(const std::string& folder, std::string_view language,
                                             std::string* error);
std::optional<HelpFile> FindHelpFile(const std::string& folder, std::string_view language,
                                     std::string* error);

}  // namespace host
