// The help window: a topic of the module's help file with its markup
// (#emphasis#, ~link~@Topic@, '$' heading lines, '^' centred lines), its
// paragraphs flowed to the window's width, links chosen with Tab and
// followed with Enter, BkSp back, Esc to close.
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
    int link = -1;       // links are numbered from 0 in the order of the topic
};

struct HelpLine {
    std::vector<HelpSpan> spans;
    bool heading = false;  // a '$' line: stays on top while the text scrolls
    bool centred = false;  // a '^' line
};

// The paragraphs of a topic body in OEM bytes. A line that begins with a
// blank (or is empty, a heading or centred) starts a paragraph; any other
// line goes on with the one before. "##" and "~~" stand for the characters
// themselves; markup left open ends with its line.
std::vector<HelpLine> ParseHelpTopic(std::string_view body);

// The paragraphs broken at blanks into rows of at most `width` cells; a word
// longer than a row is cut. Headings and centred lines stay one row each.
std::vector<HelpLine> FlowHelp(const std::vector<HelpLine>& paragraphs, int width);

// Shows `topic` of `help`; a missing file or topic gets a message instead.
void RunHelp(ModalStack& stack, const host::HelpFile* help, const std::string& topic);

}  // namespace edit
