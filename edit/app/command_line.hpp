// The command line of marten-edit: what to edit, how, and where Marten lives.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/codepage.hpp"
#include "engine/positions.hpp"

namespace edit {

// Where the cursor starts. Line and column count from 1, as the title line
// shows them; `end` is the end of the last line.
struct StartPosition {
    bool end = false;
    engine::LineNumber line{1};
    engine::ColumnNumber column{1};
    // A line past the end means the last one (+LINE, as vi and nano take it);
    // otherwise (--at) it is an error.
    bool clampLine = false;
};

struct CommandLine {
    std::string file;
    std::optional<engine::CodePage> codePage;  // --codepage; none: the locale's table
    std::optional<StartPosition> start;        // +LINE[:COL] or --at
    std::string pluginFolder;                  // --plugins, empty when not given
    std::string registry;                      // --registry, empty when not given
    std::string language = "English";          // --language: of the plug-in's texts and help
    std::optional<std::string> keys;           // --keys: batch mode with this script
    bool autoIndent = false;                   // --auto-indent: the editor's own auto-indent
    bool help = false;
    bool version = false;
};

// Parses argv[1..]; on a bad option, `error` says what is wrong.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string* error);

// The text of --help.
std::string UsageText();

// The plug-in folder, relative to the executable's folder, of an installed
// marten-edit (<prefix>/bin/../lib/marten/plugins/Marten).
extern const char* const kInstalledPluginFolder;

// The Marten module in a plug-in folder: the ANSI build's marten.so, else
// the Unicode build's MartenW.so, so that a folder of either build works
// and only one Marten is ever loaded; marten.so when neither is there (the
// load then names what is missing).
std::string MartenModuleIn(const std::string& folder,
                           const std::function<bool(const std::string&)>& exists);

// The plug-in folder: the option, else $MARTEN_PLUGINS, else beside the
// executable: the build tree's <executable's folder>/../plugins/Marten when
// `exists` finds it there, else the installed layout's; with `unicode` the
// Unicode build's folder MartenW beside it.
std::string ResolvePluginFolder(const std::string& option, const char* environment,
                                const std::string& executablePath,
                                const std::function<bool(const std::string&)>& exists,
                                bool unicode = false);

}  // namespace edit
