// marten-edit's editor settings, kept in a text file in the user's
// configuration folder that the user edits: the tab size, persistent blocks,
// "Del removes blocks" and the word delimiters, with the file manager's
// editor's defaults where the file is missing or silent.
#pragma once

#include <string>
#include <string_view>

#include "engine/editor.hpp"

namespace edit {

// $XDG_CONFIG_HOME/marten/editor.conf, else ~/.config/marten/editor.conf;
// empty when neither variable is set.
std::string EditorSettingsPath();

// Reads "NAME = VALUE" lines into `options` (blank lines and lines starting
// with '#' are skipped). A line that is wrong leaves its setting as it was;
// `problems` gets one message a line ("PATH: line 3: ..."), each ended by
// '\n'. The file is only read, never written.
void ApplyEditorSettings(std::string_view text, const std::string& path,
                         engine::EditorOptions& options, std::string* problems);

// The file at `path` applied as above; a missing file changes nothing.
void LoadEditorSettings(const std::string& path, engine::EditorOptions& options,
                        std::string* problems);

}  // namespace edit
