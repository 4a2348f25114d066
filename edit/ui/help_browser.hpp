// The way a help window goes through its help files: the topic shown, the
// ones before it for BkSp, and links that lead from one file into another
// (the editor's help into the plug-in's). No terminal is needed for it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "edit/ui/help_text.hpp"
#include "edit/ui/message_box.hpp"
#include "host/language.hpp"

namespace edit {

// The help files one window can show, each under the name that links into
// it use ("<Marten>Contents"); a null file is one that could not be found.
using HelpShelf = std::vector<std::pair<std::string, const host::HelpFile*>>;

class HelpBrowser {
public:
    // Starts at nothing; Open the first topic.
    explicit HelpBrowser(HelpShelf shelf);

    // Shows `target` (a file of the shelf by its name, ASCII case ignored;
    // an empty name is the file shown now, or the shelf's first). False,
    // and nothing changes, when the file or the topic is not there.
    bool Open(const HelpTarget& target);
    // Back to the topic shown before; false at the first.
    bool Back();

    const host::HelpFile* File() const { return trail_.empty() ? nullptr : trail_.back().file; }
    const std::string& Topic() const { return trail_.back().topic; }
    // The topic's text; null before the first Open.
    const std::string* Body() const;
    // The window's title: the file's contents title, else the topic's name.
    std::u32string Title() const;

    // What to say when `target` cannot be shown.
    MessageSpec Missing(const HelpTarget& target) const;

private:
    // The shelf's file for a name; an empty name is the file shown now.
    const host::HelpFile* Resolve(const std::string& name) const;

    struct Shown {
        const host::HelpFile* file;
        std::string topic;
    };
    HelpShelf shelf_;
    std::vector<Shown> trail_;
};

}  // namespace edit
