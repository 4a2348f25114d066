#include "edit/ui/help_browser.hpp"

#include "common/ascii.hpp"
#include "edit/ui/help_view.hpp"
#include "edit/ui/screen_text.hpp"

namespace edit {

HelpBrowser::HelpBrowser(HelpShelf shelf) : shelf_(std::move(shelf)) {}

const host::HelpFile* HelpBrowser::Resolve(const std::string& name) const {
    if (name.empty()) {
        if (!trail_.empty()) return trail_.back().file;
        return shelf_.empty() ? nullptr : shelf_.front().second;
    }
    for (const auto& [shelved, file] : shelf_) {
        if (ascii::EqualNoCase(shelved, name)) return file;
    }
    return nullptr;
}

bool HelpBrowser::Open(const HelpTarget& target) {
    const host::HelpFile* file = Resolve(target.file);
    if (file == nullptr || file->Topic(target.topic) == nullptr) return false;
    trail_.push_back(Shown{file, target.topic});
    return true;
}

bool HelpBrowser::Back() {
    if (trail_.size() < 2) return false;
    trail_.pop_back();
    return true;
}

const std::string* HelpBrowser::Body() const {
    return trail_.empty() ? nullptr : trail_.back().file->Topic(trail_.back().topic);
}

std::u32string HelpBrowser::Title() const {
    if (trail_.empty()) return {};
    const host::HelpFile& file = *trail_.back().file;
    const std::string& title = file.contentsTitle.empty() ? Topic() : file.contentsTitle;
    return file.utf8 ? Utf8ToText(title) : OemToText(title);
}

MessageSpec HelpBrowser::Missing(const HelpTarget& target) const {
    return MissingHelpMessage(Resolve(target.file), target.topic);
}

}  // namespace edit
