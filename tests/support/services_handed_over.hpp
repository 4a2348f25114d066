// The services a start-up record hands over, by name, for one expectation on
// a whole record: "Menu Dialog Message GetMsg CmpName EditorControl" is what
// the host of our own fills (the module uses no other).
#pragma once

#include <string>

#include "api/ansi_api.hpp"

namespace testsupport {

inline std::string ServicesHandedOver(const PluginStartupInfo& info) {
    // The fields in the record's order; the names are the interface's.
#define MARTEN_SERVICE(field) {#field, reinterpret_cast<const void*>(info.field)}
    const struct {
        const char* name;
        const void* service;
    } services[] = {
        MARTEN_SERVICE(Menu), MARTEN_SERVICE(Dialog), MARTEN_SERVICE(Message),
        MARTEN_SERVICE(GetMsg), MARTEN_SERVICE(Control), MARTEN_SERVICE(SaveScreen),
        MARTEN_SERVICE(RestoreScreen), MARTEN_SERVICE(GetDirList), MARTEN_SERVICE(GetPluginDirList),
        MARTEN_SERVICE(FreeDirList), MARTEN_SERVICE(Viewer), MARTEN_SERVICE(Editor),
        MARTEN_SERVICE(CmpName), MARTEN_SERVICE(CharTable), MARTEN_SERVICE(Text),
        MARTEN_SERVICE(EditorControl),
    };
#undef MARTEN_SERVICE
    std::string names;
    for (const auto& s : services) {
        if (s.service == nullptr) continue;
        if (!names.empty()) names += ' ';
        names += s.name;
    }
    return names;
}

}  // namespace testsupport
