#include "module/ansi/config_menu.hpp"

#include <cstddef>
#include <cstdint>

#include "module/ansi/config_dialog.hpp"
#include "module/ansi/heap_array.hpp"
#include "module/ansi/host_info.hpp"
#include "module/ansi/host_text.hpp"

namespace marten::ansi {

int ConfigMenu(int previous) {
    if (HostInfo.Menu == nullptr) return MenuLeft;

    HeapArray<FarMenuItem> lines(ConfigMenuLineCount);
    for (int i = 0; i < ConfigMenuLineCount; ++i) {
        FarMenuItem& line = lines[static_cast<std::size_t>(i)];
        if (kConfigMenuLines[i].separator) {
            line.Separator = 1;
        } else {
            CopyBounded(line.Text, sizeof line.Text, MsgText(kConfigMenuLines[i].text));
        }
    }

    // Only the low byte of the previous answer names a line.
    const int current = static_cast<std::uint8_t>(previous);
    lines[current < ConfigMenuLineCount ? current : int{MenuConfigure}].Selected = 1;

    return HostInfo.Menu(HostInfo.ModuleNumber, -1, -1, 0, FMENU_AUTOHIGHLIGHT,
                         MsgOrEmpty(kConfigMenuTitle), nullptr, nullptr, nullptr, nullptr,
                         lines.data(), ConfigMenuLineCount);
}

void AboutBox() {
    if (HostInfo.Message == nullptr) return;

    HeapArray<const char*> lines(kAboutLineCount);
    for (int i = 0; i < kAboutLineCount; ++i) {
        const int text = kAboutLines[i];
        lines[static_cast<std::size_t>(i)] =
            text == kBlankLine ? "" : MsgOrEmpty(static_cast<MsgId>(text));
    }

    HostInfo.Message(HostInfo.ModuleNumber, 0, kAboutTopic, lines.data(), kAboutLineCount,
                     kAboutButtonCount);
}

int RunConfiguration() { return ConfigurationLoop(ConfigMenu, ConfigDialog, AboutBox); }

}  // namespace marten::ansi
