// One edited file with the host and the module around it: what both the
// screen and the batch mode work on.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "edit/app/command_line.hpp"
#include "edit/file/text_file.hpp"
#include "host/clipboard.hpp"
#include "host/editor.hpp"
#include "host/host.hpp"

namespace edit {

class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Reads the file, loads Marten from `pluginFolder` and puts the cursor at
    // the start position. On failure `error` says why and nothing is touched.
    bool Open(const CommandLine& options, const std::string& pluginFolder, std::string* error);

    host::Host& Host() { return *host_; }
    host::Editor& Editor() { return *editor_; }
    // The clipboard the editor uses unless a screen hands it one of its own.
    host::Clipboard& DefaultClipboard() { return clipboard_; }
    const std::string& Path() const { return path_; }
    bool IsNewFile() const { return newFile_; }
    // The file held UTF-8 text when it was opened; then `Utf8Fits` is the
    // table its text fits, if any.
    bool IsUtf8Text() const { return utf8Text_; }
    std::optional<host::CodePage> Utf8Fits() const { return utf8Fits_; }

    // Writes the document; on success it counts as unmodified and no longer
    // new. A read-only file is refused unless `readOnly` says to override.
    bool Save(std::string* error, ReadOnlyFiles readOnly = ReadOnlyFiles::Refuse);
    // Writes the document as `path` the way Save does and from then on edits
    // that file: Path() names it, and so does the editor's file name, which
    // the plug-ins see (its full name). On failure nothing changes.
    bool SaveAs(const std::string& path, std::string* error,
                ReadOnlyFiles readOnly = ReadOnlyFiles::Refuse);
    // What was wrong in the editor settings file, a line each; empty when
    // nothing was (the settings it names keep their defaults).
    const std::string& SettingsProblems() const { return settingsProblems_; }
    // True once the document was saved during this session.
    bool SavedOnce() const { return savedOnce_; }

private:
    bool Write(const std::string& path, std::string* error, ReadOnlyFiles readOnly);

    host::MemoryClipboard clipboard_;
    std::unique_ptr<host::Host> host_;
    std::unique_ptr<host::Editor> editor_;
    std::string path_;
    bool newFile_ = false;
    bool savedOnce_ = false;
    bool utf8Text_ = false;
    std::string settingsProblems_;
    std::optional<host::CodePage> utf8Fits_;
};

// Why a UTF-8 file (with the byte-order mark, or `named` so on the command
// line) is not opened, with the table its text fits: the engine stores a
// byte per character, and a 1.x plug-in could not carry UTF-8 either.
std::string Utf8Refusal(const std::string& path, bool named, std::string_view bytes,
                        host::CodePage preferred);

// Puts the cursor at a start position; `error` explains a line beyond the
// end (which +LINE takes as the last line).
bool PlaceStart(host::Editor& editor, const StartPosition& start, std::string* error);

}  // namespace edit
