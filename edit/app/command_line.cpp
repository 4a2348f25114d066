#include "edit/app/command_line.hpp"

#include <charconv>
#include <filesystem>
#include <string_view>

#include "edit/terminal/locale.hpp"

#ifndef MARTEN_INSTALLED_PLUGINS
#define MARTEN_INSTALLED_PLUGINS "../lib/marten/plugins/Marten"
#endif

namespace edit {
namespace {

// A positive decimal number that fills the whole text.
std::optional<int> PositiveNumber(std::string_view text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
    return value;
}

// LINE or LINE:COL (with +LINE, also nano's LINE,COL).
std::optional<StartPosition> ParseAt(std::string_view text, std::string_view separators = ":") {
    StartPosition at;
    if (text == "end") {
        at.end = true;
        return at;
    }
    auto colon = text.find_first_of(separators);
    auto line = PositiveNumber(text.substr(0, colon));
    if (!line) return std::nullopt;
    at.line = engine::LineNumber(*line);
    if (colon != std::string_view::npos) {
        auto column = PositiveNumber(text.substr(colon + 1));
        if (!column) return std::nullopt;
        at.column = engine::ColumnNumber(*column);
    }
    return at;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string* error) {
    CommandLine result;
    auto fail = [&](const std::string& message) -> std::optional<CommandLine> {
        if (error) *error = message;
        return std::nullopt;
    };
    bool optionsEnded = false;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg == "-" || !(arg.starts_with('-') || arg.starts_with('+'))) {
            if (haveFile) return fail("more than one file given: " + result.file + ", " + arg);
            result.file = arg;
            haveFile = true;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg.starts_with('+')) {
            // A bare "+" is the end, as in vi.
            std::string_view position = std::string_view(arg).substr(1);
            auto start = position.empty()    ? ParseAt("end")
                         : position == "end" ? std::nullopt
                                             : ParseAt(position, ":,");
            if (!start)
                return fail("bad line number: " + arg + " (expected +LINE or +LINE:COL, from 1)");
            start->clampLine = true;
            result.start = *start;
            continue;
        }
        // --name=value or --name value
        std::string name = arg, value;
        bool inlineValue = false;
        if (auto eq = arg.find('='); eq != std::string::npos && arg.starts_with("--")) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            inlineValue = true;
        }
        auto takeValue = [&]() -> bool {
            if (inlineValue) return true;
            if (i + 1 >= args.size()) return false;
            value = args[++i];
            return true;
        };
        if (name == "--help" || name == "-h") {
            result.help = true;
        } else if (name == "--version") {
            result.version = true;
        } else if (name == "--auto-indent") {
            result.autoIndent = true;
        } else if (name == "--codepage") {
            const std::string names = engine::CodePageNames(&engine::CodePageRecord::option);
            if (!takeValue()) return fail("--codepage needs a value: " + names);
            if (auto page = engine::CodePageByName(value)) {
                result.codePage = *page;
            } else {
                return fail("unknown code page " + value + " (expected " + names + ")");
            }
        } else if (name == "--plugins") {
            if (!takeValue() || value.empty()) return fail("--plugins needs a folder");
            result.pluginFolder = value;
        } else if (name == "--registry") {
            if (!takeValue() || value.empty()) return fail("--registry needs a file");
            result.registry = value;
        } else if (name == "--language") {
            if (!takeValue() || value.empty())
                return fail("--language needs a name, such as English or Russian");
            result.language = value;
        } else if (name == "--keys") {
            if (!takeValue()) return fail("--keys needs a key script");
            result.keys = value;
        } else if (name == "--at") {
            if (!takeValue()) return fail("--at needs LINE:COL or end");
            auto at = ParseAt(value);
            if (!at) return fail("bad position " + value + " (expected LINE:COL, from 1, or end)");
            result.start = *at;
        } else {
            return fail("unknown option " + arg + " (see --help)");
        }
    }
    if (result.help || result.version) return result;
    if (!haveFile) return fail("no file given (see --help)");
    return result;
}

std::string UsageText() {
    return "Usage: marten-edit [options] FILE\n"
           "       marten-edit --keys SCRIPT [--at LINE:COL | --at end] [options] FILE\n"
           "\n"
           "Edits FILE full-screen with the Marten plug-in loaded. A missing FILE is\n"
           "created on the first save.\n"
           "\n"
           "Options:\n"
           "  +LINE[:COL]        start on line LINE (the last one when LINE is past the\n"
           "                     end), at column COL; a bare + is the end of the text\n"
           "  --codepage TABLE   the file's character table: 866, 1251, koi8-r or utf-8\n"
           "                     (by default read from the file, see Tables below; a\n"
           "                     file that begins with a UTF-8 byte-order mark is\n"
           "                     always utf-8)\n"
           "  --plugins DIR      the plug-in folder holding Marten (marten.so, the 1.x\n"
           "                     build, MartenW.so, the Unicode build, or\n"
           "                     marten.far-plug-wide, the far2l build) and its\n"
           "                     language and help files ($MARTEN_PLUGINS; else the\n"
           "                     Unicode build installed with marten-edit, for every\n"
           "                     file)\n"
           "  --registry FILE    keep the 1.x build's settings in FILE (sets\n"
           "                     MARTEN_REGISTRY); the Unicode build takes them over once\n"
           "  --language NAME    the plug-in's language: English (default) or Russian\n"
           "  --auto-indent      the editor's own auto-indent on Enter (off by default)\n"
           "  --keys SCRIPT      batch mode: apply the key script without a screen, then save\n"
           "  --at LINE:COL|end  where the cursor starts (from 1, as the title line shows)\n"
           "  --help, --version\n"
           "\n"
           "Key scripts: characters stand for themselves; named keys in braces, such as\n"
           "{Enter} {Del} {BkSp} {Tab} {Esc} {Home} {End} {Left} {Right} {Up} {Down}\n"
           "{PgUp} {PgDn} {Ins} {F1}..{F12}, with Shift+ Ctrl+ Alt+ RCtrl+ RAlt+ inside\n"
           "the braces ({Ctrl+Del}); {{ is a literal brace.\n"
           "\n"
           "Keys: F1 help (every key), F2 save, Shift+F2 save as, F7 search,\n"
           "Shift+F7/Alt+F7 next/previous match, Ctrl+F7 replace, Alt+F8 go to\n"
           "LINE[:COL], F8 switches 866 and 1251, Shift+F8 picks the table, F10 or Esc\n"
           "quit, F11 plug-ins, Alt+Shift+F9 plug-in configuration, Ins overtype,\n"
           "Alt+B reflow the quoted paragraph (or the block's) with the Unicode build.\n"
           "Ctrl+Z or Alt+BkSp undo, Ctrl+R (Ctrl+Shift+Z, Alt+Shift+BkSp) redo;\n"
           "Shift with a move selects (Ctrl+A all); Ctrl+Ins/Ctrl+C copy, Shift+Del/\n"
           "Ctrl+X cut, Shift+Ins/Ctrl+V paste; Ctrl+Left/Right words, Ctrl+Up/Down\n"
           "scroll, Ctrl+Y delete the line, Ctrl+Del/Ctrl+BkSp delete a word. A\n"
           "terminal's paste goes in as one block. Columns are screen columns.\n"
           "\n"
           "Settings: $XDG_CONFIG_HOME/marten/editor.conf (else ~/.config/marten/),\n"
           "NAME = VALUE lines: tab-size (8), persistent-blocks (off), del-removes-\n"
           "blocks (off: Del and BkSp keep the block), word-delimiters (the characters\n"
           "besides blanks that end a word; by default ~!%^&*()+|{}:\"<>?`-=\\[];',./),\n"
           "ftn-files (masks of FTN readers' reply files; *.msg,golded.*).\n"
           "\n"
           "Tables: a file is read in UTF-8 when it begins with a UTF-8 byte-order mark\n"
           "(kept on save); else in the table --codepage names; else its bytes decide:\n"
           "valid UTF-8 is UTF-8 when 9 in 10 of its characters beyond ASCII are those\n"
           "of mail (Latin, Greek, Cyrillic, signs, box lines), other bytes are in the\n"
           "locale's table when it is 866, 1251 or KOI8-R, else in 866; a file of only\n"
           "ASCII (or new) is in the locale's set (UTF-8 in a UTF-8 or C locale), but\n"
           "an FTN reply file (ftn-files in editor.conf, by default *.msg,golded.*)\n"
           "in the 8-bit table. Valid UTF-8 read in an 8-bit table is told on the\n"
           "title line; F8 and Shift+F8 switch the table, keeping the bytes. What is\n"
           "typed, pasted or inserted by Marten is stored in the file's table. The\n"
           "Unicode build of Marten serves every table; with the 1.x build (by\n"
           "--plugins) a file of only ASCII stays in the 8-bit table and UTF-8 is\n"
           "refused: its interface carries one byte per character.\n"
           "\n"
           "Exit status: 0 after a save or when nothing changed, 1 on an error,\n"
           "2 on a bad command line, 3 when unsaved changes were discarded.\n";
}

const char* const kInstalledPluginFolder = MARTEN_INSTALLED_PLUGINS;

std::string MartenModuleIn(const std::string& folder,
                           const std::function<bool(const std::string&)>& exists) {
    const std::string ansi = folder + "/marten.so";
    const std::string unicode = folder + "/MartenW.so";
    const std::string far2l = folder + "/marten.far-plug-wide";
    if (exists(ansi)) return ansi;
    if (exists(unicode)) return unicode;
    return exists(far2l) ? far2l : ansi;
}

std::string ResolvePluginFolder(const std::string& option, const char* environment,
                                const std::string& executablePath,
                                const std::function<bool(const std::string&)>& exists,
                                bool unicode) {
    if (!option.empty()) return option;
    if (environment != nullptr && *environment != '\0') return environment;
    auto slash = executablePath.find_last_of('/');
    std::filesystem::path folder =
        slash == std::string::npos ? "." : executablePath.substr(0, slash);
    const char* const build = unicode ? "MartenW" : "Marten";
    std::string buildTree = (folder / "../plugins" / build).lexically_normal().string();
    if (exists(buildTree)) return buildTree;
    return ((folder / kInstalledPluginFolder).parent_path() / build).lexically_normal().string();
}

}  // namespace edit
