#include "tests/support/fake_host.hpp"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string_view>

namespace testsupport {

namespace {

FakeHost* current = nullptr;  // the host the service functions reach

std::optional<std::string> Copy(const char* text) {
    return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}

// '*' any run, '?' any one character, letters as they are: enough for the
// masks the tests use. The host's own matching is tested with the host.
bool Glob(std::string_view pattern, std::string_view name) {
    if (pattern.empty()) return name.empty();
    if (pattern[0] == '*') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip) {
            if (Glob(pattern.substr(1), name.substr(skip))) return true;
        }
        return false;
    }
    if (name.empty()) return false;
    if (pattern[0] != '?' && pattern[0] != name[0]) return false;
    return Glob(pattern.substr(1), name.substr(1));
}

int WINAPI ServeEditorControl(int command, void* param) { return current->Control(command, param); }

int WINAPI ServeCmpName(const char* pattern, const char* name, int skipPath) {
    return current->CompareName(pattern, name, skipPath);
}

const char* WINAPI ServeGetMsg(int module, int id) { return current->Message(module, id); }

int WINAPI ServeMenu(int module, int x, int y, int maxHeight, DWORD flags, const char* title,
                     const char* bottom, const char* help, const int* breakKeys, int* breakCode,
                     const FarMenuItem* items, int count) {
    return current->Menu(module, x, y, maxHeight, flags, title, bottom, help, breakKeys, breakCode,
                         items, count);
}

int WINAPI ServeDialog(int module, int x1, int y1, int x2, int y2, const char* help,
                       FarDialogItem* items, int count) {
    return current->Dialog(module, x1, y1, x2, y2, help, items, count);
}

int WINAPI ServeMessage(int module, DWORD flags, const char* help, const char* const* items,
                        int count, int buttons) {
    return current->MessageBox(module, flags, help, items, count, buttons);
}

}  // namespace

FakeHost::FakeHost() {
    std::iota(toOem.begin(), toOem.end(), 0);
    std::iota(toEditor.begin(), toEditor.end(), 0);
}

std::vector<int> FakeHost::Commands() const {
    std::vector<int> commands;
    for (const EditorCall& call : calls) commands.push_back(call.command);
    return commands;
}

int FakeHost::Control(int command, void* param) {
    EditorCall call{command};
    if (command == ECTL_GETSTRING) call.line = static_cast<EditorGetString*>(param)->StringNumber;
    if (command == ECTL_SETSTRING) call.line = static_cast<EditorSetString*>(param)->StringNumber;
    calls.push_back(call);
    const auto lineOf = [&](int number) { return number == -1 ? curLine : number; };
    const auto exists = [&](int n) { return n >= 0 && n < static_cast<int>(lines.size()); };
    switch (command) {
    case ECTL_GETINFO: {
        auto* info = static_cast<EditorInfo*>(param);
        *info = EditorInfo{};
        info->FileName = nullFileName ? nullptr : fileName.c_str();
        info->TotalLines = static_cast<int>(lines.size());
        info->CurLine = curLine;
        info->CurPos = curPos;
        return 1;
    }
    case ECTL_GETSTRING: {
        auto* get = static_cast<EditorGetString*>(param);
        const int n = lineOf(get->StringNumber);
        if (!exists(n)) return 0;
        // The text is followed by bytes that are not part of the line.
        served_ = lines[static_cast<std::size_t>(n)] + "#not-the-line#";
        get->StringText = served_.data();
        get->StringEOL = "\r\n";
        get->StringLength = static_cast<int>(lines[static_cast<std::size_t>(n)].size());
        get->SelStart = -1;
        get->SelEnd = 0;
        return 1;
    }
    case ECTL_SETSTRING: {
        auto* set = static_cast<EditorSetString*>(param);
        stores.push_back(*set);
        storedTexts.emplace_back(set->StringText, static_cast<std::size_t>(set->StringLength));
        const int n = lineOf(set->StringNumber);
        if (!exists(n)) return 0;
        lines[static_cast<std::size_t>(n)] = storedTexts.back();
        return 1;
    }
    case ECTL_SETPOSITION: {
        auto* pos = static_cast<EditorSetPosition*>(param);
        positions.push_back(*pos);
        if (pos->CurLine != -1) curLine = pos->CurLine;
        if (pos->CurPos != -1) curPos = pos->CurPos;
        return 1;
    }
    case ECTL_INSERTSTRING: {
        insertFlags.push_back(param != nullptr ? *static_cast<int*>(param) : -1);
        if (static_cast<int>(lines.size()) > insertLimit) {
            insertLimitHit = true;
            return 0;
        }
        const bool indent = param != nullptr && *static_cast<int*>(param) != 0;
        std::string& line = lines[static_cast<std::size_t>(curLine)];
        const std::size_t at = std::min(line.size(), static_cast<std::size_t>(curPos));
        std::string moved = line.substr(at);
        line.resize(at);
        int column = 0;
        if (indent) {
            column = autoIndentColumn >= 0
                         ? autoIndentColumn
                         : static_cast<int>(std::min(line.find_first_not_of(" \t"), line.size()));
        }
        lines.insert(lines.begin() + curLine + 1, moved);
        ++curLine;
        curPos = column;
        return 1;
    }
    case ECTL_REDRAW:
        redrawParams.push_back(param);
        return 1;
    case ECTL_EDITORTOOEM:
    case ECTL_OEMTOEDITOR: {
        if (refuseConversions) return 0;
        auto* convert = static_cast<EditorConvertText*>(param);
        const auto& map = command == ECTL_EDITORTOOEM ? toOem : toEditor;
        for (int i = 0; i < convert->TextLength; ++i) {
            auto& byte = reinterpret_cast<unsigned char&>(convert->Text[i]);
            byte = map[byte];
        }
        return 1;
    }
    case ECTL_PROCESSINPUT:
        fedKeys.push_back(*static_cast<const INPUT_RECORD*>(param));
        return 1;
    default:
        return 0;
    }
}

int FakeHost::CompareName(const char* pattern, const char* name, int skipPath) {
    comparisons.push_back({pattern, name, skipPath});
    std::string_view subject = name;
    if (skipPath != 0) {
        const std::size_t cut = subject.find_last_of("\\/:");
        if (cut != std::string_view::npos) subject.remove_prefix(cut + 1);
    }
    return Glob(pattern, subject) ? 1 : 0;
}

void FakeHost::Noticed(int module) {
    moduleNumbers.push_back(module);
    if (liveBlocks) liveBlocksDuringCalls.push_back(liveBlocks());
}

const char* FakeHost::Message(int module, int id) {
    moduleNumbers.push_back(module);
    ++getMsgCalls;
    lastMsgModule = module;
    lastMsgId = id;
    if (nullTexts || id < 0 || id >= static_cast<int>(texts.size())) return nullptr;
    return texts[static_cast<std::size_t>(id)].c_str();
}

int FakeHost::Menu(int module, int x, int y, int maxHeight, DWORD flags, const char* title,
                   const char* bottom, const char* help, const int* breakKeys, int* breakCode,
                   const FarMenuItem* items, int count) {
    order += 'M';
    Noticed(module);
    menus.push_back({module, x, y, maxHeight, flags, Copy(title), Copy(bottom), Copy(help),
                     breakKeys != nullptr, breakCode != nullptr,
                     std::vector<FarMenuItem>(items, items + count)});
    if (menuAnswers.empty()) return -1;
    const int answer = menuAnswers.front();
    menuAnswers.pop_front();
    return answer;
}

int FakeHost::Dialog(int module, int x1, int y1, int x2, int y2, const char* help,
                     FarDialogItem* items, int count) {
    order += 'D';
    Noticed(module);
    DialogSeen seen{module, x1, y1, x2, y2, Copy(help), {items, items + count}, {}};
    for (int i = 0; i < count; ++i) {
        const bool history = (items[i].Flags & DIF_HISTORY) != 0 && items[i].Param.History;
        seen.histories.push_back(history ? items[i].Param.History : "");
    }
    dialogs.push_back(seen);
    if (dialogPlays.empty()) return -1;
    const DialogPlay play = dialogPlays.front();
    dialogPlays.pop_front();
    return play(items);
}

int FakeHost::MessageBox(int module, DWORD flags, const char* help, const char* const* items,
                         int count, int buttons) {
    order += 'B';
    Noticed(module);
    MessageSeen seen{module, flags, Copy(help), {}, buttons};
    for (int i = 0; i < count; ++i) seen.lines.push_back(Copy(items[i]));
    messages.push_back(seen);
    return 0;
}

PluginStartupInfo StartupInfoOf(const char* rootKey, int moduleNumber) {
    PluginStartupInfo info{};
    info.StructSize = kKnownStartupInfoSize;
    std::strcpy(info.ModuleName, "marten.so");
    info.ModuleNumber = moduleNumber;
    info.RootKey = rootKey;
    info.Menu = ServeMenu;
    info.Dialog = ServeDialog;
    info.Message = ServeMessage;
    info.GetMsg = ServeGetMsg;
    info.CmpName = ServeCmpName;
    info.EditorControl = ServeEditorControl;
    return info;
}

ServedHost::ServedHost(FakeHost& host) { current = &host; }

ServedHost::~ServedHost() { current = nullptr; }

}  // namespace testsupport
