// One edited file with the host and the module around it: what both the
// screen and the batch mode work on.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "edit/app/command_line.hpp"
#include "edit/file/table_guess.hpp"
#include "edit/file/text_file.hpp"
#include "engine/clipboard.hpp"
#include "engine/editor.hpp"
#include "host/host.hpp"

namespace edit {

class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Reads the file, picks its table, loads Marten from `pluginFolder` and
    // puts the cursor at the start position. The table: UTF-8 when the file
    // begins with UTF-8's byte-order mark (written back as it was read), else
    // the one --codepage names, else the one its bytes, its name and
    // `localeTable` (the locale's character set as a table; none for a set
    // the editor has no table for) say (GuessTable). A file of nothing but
    // ASCII that the locale would keep in UTF-8 stays in the 8-bit table
    // when the 1.x build is loaded; any other UTF-8 file that build refuses,
    // as its interface carries one byte per character. On failure `error`
    // says why and nothing is touched.
    bool Open(const CommandLine& options, const std::string& pluginFolder, std::string* error,
              std::optional<engine::CodePage> localeTable = engine::CodePage::Utf8);

    host::Host& Host() { return *host_; }
    engine::Editor& Editor() { return *editor_; }
    // The clipboard the editor uses unless a screen hands it one of its own.
    engine::Clipboard& DefaultClipboard() { return clipboard_; }
    const std::string& Path() const { return path_; }
    bool IsNewFile() const { return newFile_; }
    // Why the file is read in the table it was opened in.
    TableReason ReadAs() const { return readAs_; }

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
    TableReason readAs_ = TableReason::Named;
    bool utf8Mark_ = false;  // the file began with the UTF-8 byte-order mark
    std::string settingsProblems_;
};

// Why a UTF-8 file (with the byte-order mark, named so on the command line,
// or read so by its bytes, as `reason` says) is not opened with the 1.x
// Marten of `folder`, with the table its text fits: the 1.x interface
// carries one byte per character.
std::string Utf8Refusal(const std::string& path, TableReason reason, std::string_view bytes,
                        engine::CodePage preferred, const std::string& folder);

// Puts the cursor at a start position; `error` explains a line beyond the
// end (which +LINE takes as the last line).
bool PlaceStart(engine::Editor& editor, const StartPosition& start, std::string* error);

}  // namespace edit
