// A topic of the module's help file as text with its markup read: #emphasis#,
// ~link~@Topic@, '$' heading lines and '^' centred lines, in paragraphs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// The paragraphs of a topic body in OEM bytes (in UTF-8 with `utf8`). A line that begins with a
// blank (or is empty, a heading or centred) starts a paragraph; any other
// line goes on with the one before. "##" and "~~" stand for the characters
// themselves; markup left open ends with its line.
std::vector<HelpLine> ParseHelpTopic(std::string_view body, bool utf8 = false);

// Appends `span` to `line`, merged with the last span when they read alike.
void AppendSpan(HelpLine& line, const HelpSpan& span);

// The characters of the line, one cell each.
int LineLength(const HelpLine& line);

// Where a link leads: a topic of the help file it stands in, or, with a
// help file's name in angle brackets in front ("<Marten>Contents"), a topic
// of that file; "<Marten>" alone leads to its Contents.
struct HelpTarget {
    std::string file;  // empty: the file the link stands in
    std::string topic;
    friend bool operator==(const HelpTarget&, const HelpTarget&) = default;
};
HelpTarget ParseHelpTarget(std::string_view link);

}  // namespace edit
