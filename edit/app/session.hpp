// One edited file with the host and the module around it: what both the
// screen and the batch mode work on.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "edit/app/command_line.hpp"
#include "edit/file/text_file.hpp"
#include "engine/clipboard.hpp"
#include "engine/editor.hpp"
#include "host/host.hpp"

namespace edit {

// Where Marten is loaded from: the folder for files in the 8-bit tables and
// the one for UTF-8 files. A folder the user names serves both; by default
// a UTF-8 file gets the Unicode build, as only it can edit UTF-8 text.
struct PluginFolders {
    std::string eightBit;
    std::string utf8;
    PluginFolders(std::string both)  // NOLINT(google-explicit-constructor): one folder for all
        : eightBit(both), utf8(std::move(both)) {}
    PluginFolders(std::string forEightBit, std::string forUtf8)
        : eightBit(std::move(forEightBit)), utf8(std::move(forUtf8)) {}
    PluginFolders(const char* both) : PluginFolders(std::string(both)) {}  // NOLINT
};

class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Reads the file, loads Marten from the folder for its encoding and puts
    // the cursor at the start position. A file that begins with the UTF-8
    // byte-order mark, or is named UTF-8 by --codepage, is UTF-8: it is
    // edited only with the Unicode build (the 1.x interface cannot carry
    // its text), and its mark is written back as it was read. On failure
    // `error` says why and nothing is touched.
    bool Open(const CommandLine& options, const PluginFolders& folders, std::string* error);

    host::Host& Host() { return *host_; }
    engine::Editor& Editor() { return *editor_; }
    // The clipboard the editor uses unless a screen hands it one of its own.
    engine::Clipboard& DefaultClipboard() { return clipboard_; }
    const std::string& Path() const { return path_; }
    bool IsNewFile() const { return newFile_; }
    // The file held UTF-8 text without the byte-order mark when it was
    // opened in an 8-bit table; then `Utf8Fits` is the table its text fits,
    // if any.
    bool IsUtf8Text() const { return utf8Text_; }
    std::optional<engine::CodePage> Utf8Fits() const { return utf8Fits_; }

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

    engine::MemoryClipboard clipboard_;
    std::unique_ptr<host::Host> host_;
    std::unique_ptr<engine::Editor> editor_;
    std::string path_;
    bool newFile_ = false;
    bool savedOnce_ = false;
    bool utf8Text_ = false;
    bool utf8Mark_ = false;  // the file began with the UTF-8 byte-order mark
    std::string settingsProblems_;
    std::optional<engine::CodePage> utf8Fits_;
};

// Why a UTF-8 file (with the byte-order mark, or `named` so on the command
// line) is not opened with the 1.x Marten of `folder`, with the table its
// text fits: the 1.x interface carries one byte per character.
std::string Utf8Refusal(const std::string& path, bool named, std::string_view bytes,
                        engine::CodePage preferred, const std::string& folder);

// Puts the cursor at a start position; `error` explains a line beyond the
// end (which +LINE takes as the last line).
bool PlaceStart(engine::Editor& editor, const StartPosition& start, std::string* error);

}  // namespace edit
