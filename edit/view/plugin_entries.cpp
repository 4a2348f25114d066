#include "edit/view/plugin_entries.hpp"

#include "edit/ui/screen_text.hpp"
#include "host/unicode/unicode_text.hpp"

namespace edit {
namespace {

const unicode_api::PluginMenuItem& EntriesOf(const unicode_api::PluginInfo& info,
                                             PluginEntryKind kind) {
    return kind == PluginEntryKind::Commands ? info.PluginMenu : info.PluginConfig;
}

}  // namespace

std::vector<std::u32string> PluginEntryTitles(host::Host& host, PluginEntryKind kind) {
    std::vector<std::u32string> titles;
    if (host.Interface() == host::PluginInterface::Unicode) {
        const unicode_api::PluginInfo info = host.QueryUnicodePluginInfo();
        const unicode_api::PluginMenuItem& entries = EntriesOf(info, kind);
        for (std::size_t i = 0; entries.Strings != nullptr && i < entries.Count; ++i) {
            const unicode_api::WChar* title = entries.Strings[i];
            titles.push_back(title != nullptr ? Utf16ToText(host::Units(title)) : U"");
        }
        return titles;
    }
    const PluginInfo info = host.QueryPluginInfo();
    const bool commands = kind == PluginEntryKind::Commands;
    const char* const* strings = commands ? info.PluginMenuStrings : info.PluginConfigStrings;
    const int count = commands ? info.PluginMenuStringsNumber : info.PluginConfigStringsNumber;
    for (int i = 0; strings != nullptr && i < count; ++i) {
        titles.push_back(strings[i] != nullptr ? OemToText(strings[i]) : U"");
    }
    return titles;
}

void RunPluginEntry(host::Host& host, PluginEntryKind kind, int index) {
    if (index < 0) return;
    if (host.Interface() == host::PluginInterface::Unicode) {
        const unicode_api::PluginInfo info = host.QueryUnicodePluginInfo();
        const unicode_api::PluginMenuItem& entries = EntriesOf(info, kind);
        if (entries.Guids == nullptr || static_cast<std::size_t>(index) >= entries.Count) return;
        const unicode_api::GUID& id = entries.Guids[index];
        if (kind == PluginEntryKind::Commands) {
            host.OpenUnicode(id);
        } else {
            host.ConfigureUnicode(id);
        }
        return;
    }
    if (index >= static_cast<int>(PluginEntryTitles(host, kind).size())) return;
    if (kind == PluginEntryKind::Commands) {
        host.OpenPlugin(OPEN_EDITOR, index);
    } else {
        host.Configure(index);
    }
}

}  // namespace edit
