// marten-edit: a terminal editor on the host of our own, with Marten loaded
// from its plug-in folder through the plug-in interface.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "edit/app/batch.hpp"
#include "edit/app/command_line.hpp"
#include "edit/app/exit_status.hpp"
#include "edit/app/session.hpp"
#include "edit/terminal/locale.hpp"
#include "edit/terminal/locale_table.hpp"
#include "edit/view/interactive.hpp"
#include "host/key_script.hpp"

#ifndef MARTEN_VERSION
#define MARTEN_VERSION "unknown"
#endif

namespace {

int Complain(const std::string& message, int status) {
    std::fprintf(stderr, "marten-edit: %s\n", message.c_str());
    return status;
}

// Each line of `lines` led by the program's name, as its other messages are.
std::string PrefixLines(const std::string& lines) {
    std::string out;
    for (std::size_t at = 0, end; (end = lines.find('\n', at)) != std::string::npos; at = end + 1)
        out += "marten-edit: " + lines.substr(at, end - at + 1);
    return out;
}

std::string ExecutablePath(const char* argv0) {
    std::vector<char> buffer(4096);
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n > 0) return std::string(buffer.data(), static_cast<std::size_t>(n));
    return argv0 ? argv0 : "marten-edit";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = edit::ParseCommandLine(args, &error);
    if (!options) return Complain(error, edit::kExitUsage);
    if (options->help) {
        std::fputs(edit::UsageText().c_str(), stdout);
        return edit::kExitOk;
    }
    if (options->version) {
        std::printf("marten-edit %s\n", MARTEN_VERSION);
        return edit::kExitOk;
    }

    // The locale's character set also decides the table of a file that
    // --codepage does not name and its bytes leave open.
    const std::string charset = edit::UseTerminalLocale();

    // A script is checked whole before the file is even read.
    std::vector<host::KeyStroke> strokes;
    if (options->keys) {
        // The script comes in the locale's character set, as typed in a shell.
        std::string script = *options->keys;
        if (!edit::IsUtf8Charset(charset)) {
            auto converted = edit::ToUtf8From(charset, script);
            if (!converted)
                return Complain("bad key script: not in the locale's character set " + charset,
                                edit::kExitFailure);
            script = *converted;
        }
        auto parsed = host::ParseKeyScript(script, &error);
        if (!parsed) return Complain("bad key script: " + error, edit::kExitFailure);
        strokes = std::move(*parsed);
    } else if (!::isatty(STDIN_FILENO) || !::isatty(STDOUT_FILENO)) {
        return Complain("needs a terminal (use --keys SCRIPT for the batch mode)",
                        edit::kExitFailure);
    }

    if (!options->registry.empty()) ::setenv("MARTEN_REGISTRY", options->registry.c_str(), 1);
    // The Unicode build serves every file; --plugins may name the 1.x one.
    const std::string plugins = edit::ResolvePluginFolder(
        options->pluginFolder, std::getenv("MARTEN_PLUGINS"), ExecutablePath(argv[0]),
        [](const std::string& folder) {
            std::error_code ec;
            return std::filesystem::is_directory(folder, ec);
        },
        /*unicode=*/true);
    edit::Session session;
    if (!session.Open(*options, plugins, &error, edit::TableOfCharset(charset)))
        return Complain(error, edit::kExitFailure);

    if (!options->keys) return edit::RunInteractive(session);

    // A wrong line of the settings file is told, and the run goes on with
    // that setting's default.
    if (!session.SettingsProblems().empty())
        std::fprintf(stderr, "%s", PrefixLines(session.SettingsProblems()).c_str());

    if (session.ReadAs() == edit::TableReason::EightBitAlthoughUtf8) {
        std::fprintf(stderr,
                     "marten-edit: note: %s is read in %s although its bytes are valid UTF-8, "
                     "as more than 1 in 10 of its characters lie beyond the scripts of mail; "
                     "--codepage utf-8 reads it as UTF-8\n",
                     options->file.c_str(),
                     std::string(engine::CodePageName(session.Editor().Table())).c_str());
    }
    if (const std::size_t untyped = edit::ApplyStrokes(session, strokes); untyped > 0) {
        std::fprintf(stderr,
                     "marten-edit: warning: %zu character%s of the key script %s not typed: "
                     "the %s table lacks %s\n",
                     untyped, untyped == 1 ? "" : "s", untyped == 1 ? "was" : "were",
                     std::string(engine::CodePageName(session.Editor().Table())).c_str(),
                     untyped == 1 ? "it" : "them");
    }
    if (session.Editor().Modified() || session.IsNewFile()) {
        if (!session.Save(&error)) return Complain(error, edit::kExitFailure);
    }
    return edit::kExitOk;
}
