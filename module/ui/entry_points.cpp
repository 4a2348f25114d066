// The two ways into the configuration: the host's plug-in configuration list
// (Configure) and the module's entry in the editor's plug-in menu (OpenPlugin).
// Both run the same loop; nothing thrown inside may reach the host.
#include "api/ansi_api.hpp"
#include "module/ui/config_menu.hpp"

extern "C" int WINAPI Configure(int /*ItemNumber: there is only one entry*/) {
    try {
        return marten::RunConfiguration();
    } catch (...) {
        return 0;
    }
}

extern "C" HANDLE WINAPI OpenPlugin(int /*OpenFrom*/, int /*Item*/) {
    try {
        marten::RunConfiguration();
    } catch (...) {
    }
    // The module opens no panel.
    return INVALID_HANDLE_VALUE;
}
