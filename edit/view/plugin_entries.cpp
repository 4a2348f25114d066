#include "edit/view/plugin_entries.hpp"

#include "edit/ui/screen_text.hpp"

namespace edit {

std::vector<std::u32string> PluginEntryTitles(host::Host& host, host::PluginEntries menu) {
    std::vector<std::u32string> titles;
    for (const std::string& title : host.EntryTitles(menu)) titles.push_back(Utf8ToText(title));
    return titles;
}

void RunPluginEntry(host::Host& host, host::PluginEntries menu, int index) {
    if (index >= 0) host.RunEntry(menu, index);
}

}  // namespace edit
