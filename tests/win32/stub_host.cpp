#include "tests/win32/stub_host.hpp"

#include <array>
#include <cstring>

namespace win32_tests {

namespace {

StubHost stub;

void NoteModuleNumber(int number) {
    if (number != stub.moduleNumber) stub.wrongModuleNumbers.push_back(number);
}

const char* WINAPI StubGetMsg(int pluginNumber, int msgId) {
    NoteModuleNumber(pluginNumber);
    stub.messageIds.push_back(msgId);
    static std::array<std::string, 64> texts;
    if (msgId < 0 || msgId >= static_cast<int>(texts.size())) return "";
    texts[msgId] = StubMessage(msgId);
    return texts[msgId].c_str();
}

int WINAPI StubMenu(int pluginNumber, int, int, int, DWORD, const char*, const char*, const char*,
                    const int*, int*, const FarMenuItem*, int) {
    NoteModuleNumber(pluginNumber);
    ++stub.menuCalls;
    if (stub.menuAnswers.empty()) return -1;
    const int answer = stub.menuAnswers.front();
    stub.menuAnswers.pop_front();
    return answer;
}

int WINAPI StubDialog(int pluginNumber, int, int, int, int, const char*, FarDialogItem* items,
                      int count) {
    NoteModuleNumber(pluginNumber);
    stub.dialogsShown.emplace_back(items, items + (count > 0 ? count : 0));
    return stub.dialogUser ? stub.dialogUser(items, count) : -1;
}

int WINAPI StubMessageBox(int pluginNumber, DWORD, const char*, const char* const*, int, int) {
    NoteModuleNumber(pluginNumber);
    ++stub.messageBoxCalls;
    return -1;
}

int WINAPI StubCmpName(const char*, const char*, int) {
    ++stub.cmpNameCalls;
    return 0;
}

int WINAPI StubEditorControl(int, void*) {
    ++stub.editorControlCalls;
    return 0;
}

}  // namespace

StubHost& Stub() { return stub; }

void ResetStub() { stub = StubHost{}; }

std::string StubMessage(int id) { return "msg" + std::to_string(id); }

StubStartupInfo::StubStartupInfo(const char* rootKey, int structSize) {
    std::memset(this, 0, sizeof *this);
    info.StructSize = structSize;
    std::strcpy(info.ModuleName, "Z:\\marten\\marten.dll");
    info.ModuleNumber = stub.moduleNumber;
    info.RootKey = rootKey;
    info.Menu = StubMenu;
    info.Dialog = StubDialog;
    info.Message = StubMessageBox;
    info.GetMsg = StubGetMsg;
    info.CmpName = StubCmpName;
    info.EditorControl = StubEditorControl;
    // With a shorter StructSize the services behind it stay filled in: a
    // module that read past the size would call them, and the counts show it.
}

}  // namespace win32_tests
