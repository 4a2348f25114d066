// The help window: a topic of the module's help file with its markup
// (#emphasis#, ~link~@Topic@, '$' heading lines, '^' centred lines), links
// chosen with Tab and followed with Enter, BkSp back, Esc to close.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "edit/ui/modal_stack.hpp"
#include "host/language.hpp"

namespace edit {

struct HelpSpan {
    enum class Kind { Plain, Bold, Link };
    Kind kind = Kind::Plain;
    std::u32string text;
    std::string target;  // the topic a link leads to
};

struct HelpLine {
    std::vector<HelpSpan> spans;
    bool heading = false;  // a '$' line: stays on top while the text scrolls
    bool centred = false;  // a '^' line
};

// The lines of a topic body in OEM bytes. "##" and "~~" stand for the
// characters themselves; markup left open ends with its line.
std::vector<HelpLine> ParseHelpTopic(std::string_view body);

// Shows `topic` of `help`; a missing file or topic gets a message instead.
void RunHelp(ModalStack& stack, const host::HelpFile* help, const std::string& topic);

}  // namespace edit
