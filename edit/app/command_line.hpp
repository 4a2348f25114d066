// The command line of marten-edit: what to edit, how, and where Marten lives.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/codepage.hpp"

namespace edit {

// Where the cursor starts. Line and column count from 1, as the title line
// shows them; `end` is the end of the last line.
struct StartPosition {
    bool end = false;
    int line = 1;
    int column = 1;
};

struct CommandLine {
    std::string file;
    host::CodePage codePage = host::CodePage::Oem866;
    std::optional<StartPosition> start;  // +LINE or --at
    std::string pluginFolder;            // --plugins, empty when not given
    std::string registry;                // --registry, empty when not given
    std::string language = "English";    // --language: of the plug-in's texts and help
    std::optional<std::string> keys;     // --keys: batch mode with this script
    bool autoIndent = false;             // --auto-indent: the editor's own auto-indent
    bool help = false;
    bool version = false;
};

// Parses argv[1..]; on a bad option, `error` says what is wrong.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string* error);

// The text of --help.
std::string UsageText();

// The plug-in folder: the option, else $MARTEN_PLUGINS, else the build tree's
// <executable's folder>/../plugins/Marten.
std::string ResolvePluginFolder(const std::string& option, const char* environment,
                                const std::string& executablePath);

}  // namespace edit
