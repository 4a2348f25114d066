#include "edit/view/table_menu.hpp"

#include <algorithm>
#include <cstring>

namespace edit {

host::MenuCall TableMenu(engine::CodePage current) {
    host::MenuCall call;
    call.x = call.y = -1;
    call.flags = FMENU_AUTOHIGHLIGHT;
    call.title = "Character table";
    for (const engine::CodePageRecord& table : engine::CodePages()) {
        FarMenuItem item{};
        const std::size_t length = std::min(table.label.size(), sizeof item.Text - 1);
        std::memcpy(item.Text, table.label.data(), length);
        item.Checked = item.Selected = table.page == current;
        call.items.push_back(item);
    }
    return call;
}

std::optional<engine::CodePage> TableOfMenuLine(int chosen) {
    const auto tables = engine::CodePages();
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= tables.size()) return std::nullopt;
    return tables[static_cast<std::size_t>(chosen)].page;
}

}  // namespace edit
