// marten-edit's editor settings, kept in a text file in the user's
// configuration folder that the user edits: the tab size, persistent blocks,
// "Del removes blocks" and the word delimiters, with the file manager's
// editor's defaults where the file is missing or silent; and which files are
// FTN readers' replies, kept in the reader's 8-bit table while they hold
// nothing beyond ASCII.
#pragma once

#include <string>
#include <string_view>

#include "engine/editor.hpp"

namespace edit {

// The reply files of FTN readers, as Marten's own default mask names them.
inline constexpr std::string_view kDefaultFtnFiles = "*.msg,golded.*";

// What editor.conf sets for marten-edit itself, beside the editor's options.
struct FileSettings {
    // ftn-files: masks separated by commas, matched against a file's name
    // without its folders.
    std::string ftnFiles = std::string(kDefaultFtnFiles);
};

// $XDG_CONFIG_HOME/marten/editor.conf, else ~/.config/marten/editor.conf;
// empty when neither variable is set.
std::string EditorSettingsPath();

// Reads "NAME = VALUE" lines into `options` and `files` (blank lines and
// lines starting with '#' are skipped). A line that is wrong leaves its
// setting as it was; `problems` gets one message a line ("PATH: line 3:
// ..."), each ended by '\n'. The file is only read, never written.
void ApplyEditorSettings(std::string_view text, const std::string& path,
                         engine::EditorOptions& options, FileSettings& files,
                         std::string* problems);

// The file at `path` applied as above; a missing file changes nothing.
void LoadEditorSettings(const std::string& path, engine::EditorOptions& options,
                        FileSettings& files, std::string* problems);

}  // namespace edit
