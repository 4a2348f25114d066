#include "edit/ui/editor_help.hpp"

#include <cstddef>
#include <string_view>

namespace edit {

// The bytes of edit/help/marten-edit.hlf (the build makes them a source).
extern const unsigned char kEditorHelpText[];
extern const std::size_t kEditorHelpTextLength;

const host::HelpFile& EditorHelp() {
    // The text is part of the program and tested: it always parses.
    static const host::HelpFile help = host::ParseHelpFile(
        std::string_view(reinterpret_cast<const char*>(kEditorHelpText), kEditorHelpTextLength), nullptr)
        .value_or(host::HelpFile{});
    return help;
}

}  // namespace edit
