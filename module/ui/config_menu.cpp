#include "module/ui/config_menu.hpp"

#include <cstddef>
#include <cstdint>

#include "module/plugin/host_info.hpp"
#include "module/ui/config_dialog.hpp"
#include "module/ui/heap_array.hpp"
#include "module/ui/host_text.hpp"

namespace marten {

namespace {

// Title, an empty line, the text, the filler line, the button.
constexpr int kAboutLineCount = 5;
constexpr int kAboutButtonCount = 1;

}  // namespace

int ConfigMenu(int previous) {
    if (HostInfo.Menu == nullptr) return MenuLeft;

    HeapArray<FarMenuItem> lines(ConfigMenuLineCount);
    CopyBounded(lines[MenuConfigure].Text, sizeof lines[MenuConfigure].Text, MsgText(MConfigure));
    lines[MenuSeparator].Separator = 1;
    CopyBounded(lines[MenuAbout].Text, sizeof lines[MenuAbout].Text, MsgText(MAbout));

    // Only the low byte of the previous answer names a line.
    const int current = static_cast<std::uint8_t>(previous);
    lines[current < ConfigMenuLineCount ? current : int{MenuConfigure}].Selected = 1;

    return HostInfo.Menu(HostInfo.ModuleNumber, -1, -1, 0, FMENU_AUTOHIGHLIGHT,
                         MsgOrEmpty(MMenuTitle), nullptr, nullptr, nullptr, nullptr, lines.data(),
                         ConfigMenuLineCount);
}

void AboutBox() {
    if (HostInfo.Message == nullptr) return;

    HeapArray<const char*> lines(kAboutLineCount);
    lines[0] = MsgOrEmpty(MAboutTitle);
    lines[1] = "";
    lines[2] = MsgOrEmpty(MAboutText);
    lines[3] = MsgOrEmpty(MFiller);
    lines[4] = MsgOrEmpty(MOk);

    HostInfo.Message(HostInfo.ModuleNumber, 0, kAboutTopic, lines.data(), kAboutLineCount,
                     kAboutButtonCount);
}

int RunConfiguration() { return ConfigurationLoop(ConfigMenu, ConfigDialog, AboutBox); }

}  // namespace marten
