// A minimal host for the raw-interface checks: host services written here as
// plain __stdcall functions that record what the module asked and play the
// user from answers set in advance. The module gets them through an ordinary
// PluginStartupInfo, exactly as from the file manager.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "api/plugin_api.hpp"

namespace win32_tests {

struct StubHost {
    int moduleNumber = 7;  // a number the module must hand back unchanged

    std::vector<int> messageIds;       // GetMsg calls, in order
    std::vector<int> wrongModuleNumbers;  // numbers other than moduleNumber

    std::deque<int> menuAnswers;  // the next menus' answers; empty: -1 (leave)
    int menuCalls = 0;

    // Plays the user in a dialog: may change the items, answers the index of
    // the closing item. Unset: the user presses Esc (-1).
    std::function<int(FarDialogItem* items, int count)> dialogUser;
    std::vector<std::vector<FarDialogItem>> dialogsShown;  // items as the module passed them

    int messageBoxCalls = 0;
    int editorControlCalls = 0;
    int cmpNameCalls = 0;
};

// The stub's state; Reset() before each case.
StubHost& Stub();
void ResetStub();

// The text that the stub's GetMsg serves for a message id ("msg7" for 7).
std::string StubMessage(int id);

// A startup record with every service of the stub, the given root key and
// StructSize; a module must not use what lies beyond StructSize.
struct StubStartupInfo {
    explicit StubStartupInfo(const char* rootKey, int structSize = sizeof(PluginStartupInfo));
    // A host may hand a longer record than the module knows: room behind it.
    PluginStartupInfo info;
    unsigned char tail[256];
};

}  // namespace win32_tests
