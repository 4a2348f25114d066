#include "tests/support/fake_host3.hpp"

#include <cwctype>
#include <stdexcept>

#include "tests/support/key_records.hpp"

namespace testsupport {

namespace {

FakeHost3* current = nullptr;

const api3::WChar kEmpty[] = WIDE3("");

// Matches `name` against one mask: '*', '?', letters without regard to case
// (ASCII is enough for the tests).
bool Wildcard(const api3::WChar* mask, const api3::WChar* name) {
    auto fold = [](api3::WChar c) {
        return c >= WIDE3('A') && c <= WIDE3('Z') ? api3::WChar(c - WIDE3('A') + WIDE3('a')) : c;
    };
    if (*mask == 0) return *name == 0;
    if (*mask == WIDE3('*'))
        return Wildcard(mask + 1, name) || (*name != 0 && Wildcard(mask, name + 1));
    if (*name == 0) return false;
    if (*mask != WIDE3('?') && fold(*mask) != fold(*name)) return false;
    return Wildcard(mask + 1, name + 1);
}

}  // namespace

struct FakeHost3Services {
    static std::intptr_t WINAPI EditorControl(std::intptr_t id,
                                              api3::EDITOR_CONTROL_COMMANDS command,
                                              std::intptr_t param1, void* param2) {
        FakeHost3& h = *current;
        if (id != -1 && id != h.editorId) h.wrongEditorAddressed = true;
        EditorCall3 call{command};
        switch (command) {
        case api3::ECTL_GETINFO: {
            auto* info = static_cast<api3::EditorInfo*>(param2);
            if (info->StructSize < sizeof(api3::EditorInfo)) return 0;
            info->EditorID = h.editorId;
            info->TotalLines = static_cast<std::intptr_t>(h.lines.size());
            info->CurLine = h.curLine;
            info->CurPos = h.curPos;
            info->Options = h.autoIndent ? std::uintptr_t{api3::EOPT_AUTOINDENT} : 0;
            break;
        }
        case api3::ECTL_GETSTRING: {
            auto* rec = static_cast<api3::EditorGetString*>(param2);
            call.param = rec->StringNumber;
            h.calls.push_back(call);
            const std::intptr_t n = rec->StringNumber < 0 ? h.curLine : rec->StringNumber;
            if (n >= static_cast<std::intptr_t>(h.lines.size())) return 0;
            // The text is handed out without a terminator, as a host may.
            static WString unterminated;
            unterminated = h.lines[n] + WIDE3('\xFFFF');
            rec->StringText = unterminated.data();
            rec->StringLength = static_cast<std::intptr_t>(h.lines[n].size());
            rec->StringEOL = h.eols[n].c_str();
            rec->SelStart = -1;
            return 1;
        }
        case api3::ECTL_SETSTRING: {
            auto* rec = static_cast<const api3::EditorSetString*>(param2);
            call.param = rec->StringNumber;
            h.calls.push_back(call);
            const std::intptr_t n = rec->StringNumber < 0 ? h.curLine : rec->StringNumber;
            if (n >= static_cast<std::intptr_t>(h.lines.size())) return 0;
            h.BeforeChange();
            h.lines[n].assign(rec->StringText, static_cast<std::size_t>(rec->StringLength));
            // Only a line without an end-of-line takes the one given; null is the default.
            if (h.eols[n].empty())
                h.eols[n] = rec->StringEOL == nullptr ? WIDE3("\r\n") : rec->StringEOL;
            return 1;
        }
        case api3::ECTL_INSERTSTRING: {
            h.calls.push_back(call);
            h.BeforeChange();
            const int* flag = static_cast<const int*>(param2);
            WString& line = h.lines[h.curLine];
            const std::size_t at = std::min<std::size_t>(h.curPos, line.size());
            WString indent;
            if (flag != nullptr && *flag != 0 && h.autoIndent) {
                indent = line.substr(0, line.find_first_not_of(WIDE3(" \t")));
                if (indent.size() > line.size()) indent = line;
            }
            WString rest = indent + line.substr(at);
            line.erase(at);
            h.lines.insert(h.lines.begin() + h.curLine + 1, rest);
            h.eols.insert(h.eols.begin() + h.curLine + 1, h.eols[h.curLine]);
            h.eols[h.curLine] = WIDE3("\r\n");
            ++h.curLine;
            h.curPos = static_cast<std::intptr_t>(indent.size());
            return 1;
        }
        case api3::ECTL_SETPOSITION: {
            auto* rec = static_cast<const api3::EditorSetPosition*>(param2);
            if (rec->CurLine >= 0) h.curLine = rec->CurLine;
            if (rec->CurPos >= 0) h.curPos = rec->CurPos;
            break;
        }
        case api3::ECTL_REDRAW: break;
        case api3::ECTL_GETFILENAME: {
            const auto needed = static_cast<std::intptr_t>(h.fileName.size() + 1);
            auto* buffer = static_cast<api3::WChar*>(param2);
            if (buffer != nullptr && param1 > static_cast<std::intptr_t>(h.fileName.size())) {
                h.fileName.copy(buffer, h.fileName.size());
                buffer[h.fileName.size()] = 0;
            }
            h.calls.push_back(call);
            return needed;
        }
        case api3::ECTL_UNDOREDO: {
            auto* rec = static_cast<const api3::EditorUndoRedo*>(param2);
            call.param = rec->Command;
            if (rec->Command == api3::EUR_BEGIN) {
                if (h.undoDepth++ == 0) h.undo_.push_back({h.lines, h.eols, h.curLine, h.curPos});
            } else if (rec->Command == api3::EUR_END) {
                if (h.undoDepth == 0) throw std::logic_error("EUR_END without EUR_BEGIN");
                --h.undoDepth;
            }
            break;
        }
        case api3::ECTL_PROCESSINPUT: {
            const INPUT_RECORD key = *static_cast<const INPUT_RECORD*>(param2);
            h.calls.push_back(call);
            h.fedKeys.push_back(key);
            h.Press(key);
            return 1;
        }
        default: return 0;
        }
        h.calls.push_back(call);
        return 1;
    }

    static std::intptr_t WINAPI SettingsControl(HANDLE handle,
                                                api3::FAR_SETTINGS_CONTROL_COMMANDS command,
                                                std::intptr_t /*param1*/, void* param2) {
        FakeHost3& h = *current;
        static int token;
        switch (command) {
        case api3::SCTL_CREATE: {
            if (h.storeRefuses) return 0;
            static_cast<api3::FarSettingsCreate*>(param2)->Handle = &token;
            ++h.openHandles;
            return 1;
        }
        case api3::SCTL_FREE:
            if (handle != &token) return 0;
            --h.openHandles;
            return 1;
        case api3::SCTL_ENUM:
            static_cast<api3::FarSettingsEnum*>(param2)->Count = h.store.size();
            return 1;
        case api3::SCTL_SET: {
            auto* item = static_cast<const api3::FarSettingsItem*>(param2);
            if (item->Type == api3::FST_QWORD) {
                h.store[item->Name] = item->Number;
            } else if (item->Type == api3::FST_STRING) {
                h.store[item->Name] = WString(item->String);
            } else {
                return 0;
            }
            return 1;
        }
        case api3::SCTL_GET: {
            auto* item = static_cast<api3::FarSettingsItem*>(param2);
            const auto found = h.store.find(item->Name);
            if (found == h.store.end()) return 0;
            // A value of another type than asked for is not given.
            if (const auto* number = std::get_if<std::uint64_t>(&found->second)) {
                if (item->Type != api3::FST_QWORD) return 0;
                item->Number = *number;
            } else {
                if (item->Type != api3::FST_STRING) return 0;
                item->String = std::get<WString>(found->second).c_str();
            }
            return 1;
        }
        default: return 0;
        }
    }

    static std::size_t WINAPI ProcessName(const api3::WChar* mask, api3::WChar* name, std::size_t,
                                          api3::PROCESSNAME_FLAGS flags) {
        FakeHost3& h = *current;
        WString subject(name);
        if (flags & api3::PN_SKIPPATH) {
            const std::size_t slash = subject.find_last_of(WIDE3("\\/:"));
            if (slash != WString::npos) subject.erase(0, slash + 1);
        }
        h.nameComparisons.emplace_back(mask, subject);
        return Wildcard(mask, subject.c_str()) ? 1 : 0;
    }

    static const api3::WChar* WINAPI GetMsg(const api3::GUID*, std::intptr_t id) {
        static WString texts[32];
        if (id < 0 || id >= 32) return kEmpty;
        const std::string ascii = "msg" + std::to_string(id);
        texts[id].assign(ascii.begin(), ascii.end());
        return texts[id].c_str();
    }

    static std::intptr_t WINAPI Message(const api3::GUID*, const api3::GUID*, api3::FARMESSAGEFLAGS,
                                        const api3::WChar*, const api3::WChar* const* items,
                                        std::size_t, std::intptr_t) {
        current->messageTitles.emplace_back(items[0]);
        return 0;
    }

    static HANDLE WINAPI DialogInit(const api3::GUID*, const api3::GUID* id, std::intptr_t,
                                    std::intptr_t, std::intptr_t, std::intptr_t, const api3::WChar*,
                                    const api3::FarDialogItem* items, std::size_t count,
                                    std::intptr_t, api3::FARDIALOGFLAGS, api3::FARWINDOWPROC,
                                    void*) {
        FakeHost3& h = *current;
        if (id == nullptr) return INVALID_HANDLE_VALUE;
        h.dialogItems.clear();
        for (std::size_t i = 0; i < count; ++i) {
            const api3::FarDialogItem& item = items[i];
            h.dialogItems.push_back({item.Type, item.Selected, item.Data ? item.Data : WIDE3(""),
                                     item.History ? item.History : WIDE3(""), item.Flags});
            // What the user leaves in an item unless the test says otherwise.
            h.dialogChecks.try_emplace(static_cast<int>(i), item.Selected);
            h.dialogTexts.try_emplace(static_cast<int>(i), h.dialogItems.back().data);
        }
        h.dialogOpen = true;
        return &h.dialogOpen;
    }

    static std::intptr_t WINAPI DialogRun(HANDLE) { return current->dialogAnswer; }

    static void WINAPI DialogFree(HANDLE) { current->dialogOpen = false; }

    static std::intptr_t WINAPI SendDlgMessage(HANDLE, std::intptr_t msg, std::intptr_t item,
                                               void*) {
        FakeHost3& h = *current;
        if (!h.dialogOpen) throw std::logic_error("a message to a freed dialog");
        if (msg == api3::DM_GETCHECK) return h.dialogChecks[static_cast<int>(item)];
        if (msg == api3::DM_GETCONSTTEXTPTR) {
            return reinterpret_cast<std::intptr_t>(h.dialogTexts[static_cast<int>(item)].c_str());
        }
        return 0;
    }

    static std::intptr_t WINAPI Menu(const api3::GUID*, const api3::GUID*, std::intptr_t,
                                     std::intptr_t, std::intptr_t, api3::FARMENUFLAGS,
                                     const api3::WChar*, const api3::WChar*, const api3::WChar*,
                                     const api3::FarKey*, std::intptr_t*, const api3::FarMenuItem*,
                                     std::size_t) {
        ++current->menusShown;
        const int answer = current->menuAnswer;
        current->menuAnswer = -1;  // the user leaves the menu the next time
        return answer;
    }
};

FakeHost3::FakeHost3() {
    current = this;
    standardFunctions.StructSize = sizeof standardFunctions;
    standardFunctions.ProcessName = &FakeHost3Services::ProcessName;
    startupInfo.StructSize = sizeof startupInfo;
    startupInfo.ModuleName = WIDE3("/plugins/MartenW/MartenW.so");
    startupInfo.EditorControl = &FakeHost3Services::EditorControl;
    startupInfo.SettingsControl = &FakeHost3Services::SettingsControl;
    startupInfo.GetMsg = &FakeHost3Services::GetMsg;
    startupInfo.Message = &FakeHost3Services::Message;
    startupInfo.Menu = &FakeHost3Services::Menu;
    startupInfo.DialogInit = &FakeHost3Services::DialogInit;
    startupInfo.DialogRun = &FakeHost3Services::DialogRun;
    startupInfo.DialogFree = &FakeHost3Services::DialogFree;
    startupInfo.SendDlgMessage = &FakeHost3Services::SendDlgMessage;
    startupInfo.FSF = &standardFunctions;
}

FakeHost3::~FakeHost3() {
    if (current == this) current = nullptr;
}

void FakeHost3::SetText(const WString& text) {
    lines.clear();
    eols.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(WIDE3('\n'), start);
        lines.push_back(text.substr(start, end - start));
        eols.push_back(end == WString::npos ? WIDE3("") : WIDE3("\r\n"));
        if (end == WString::npos) break;
        start = end + 1;
    }
}

WString FakeHost3::Text() const {
    WString text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += WIDE3('\n');
        text += lines[i];
    }
    return text;
}

std::vector<int> FakeHost3::Commands() const {
    std::vector<int> commands;
    for (const EditorCall3& call : calls) commands.push_back(call.command);
    return commands;
}

void FakeHost3::BeforeChange() {
    // Outside a bracket every change is a step of its own.
    if (undoDepth == 0) undo_.push_back({lines, eols, curLine, curPos});
}

bool FakeHost3::Undo() {
    if (undo_.empty()) return false;
    const Snapshot& s = undo_.back();
    lines = s.lines;
    eols = s.eols;
    curLine = s.curLine;
    curPos = s.curPos;
    undo_.pop_back();
    return true;
}

std::intptr_t FakeHost3::Press(const INPUT_RECORD& key) {
    api3::ProcessEditorInputInfo info{sizeof(api3::ProcessEditorInputInfo), key, nullptr};
    const std::intptr_t answer = processEditorInput(&info);
    if (answer == 0) ActOnKey(key);
    return answer;
}

void FakeHost3::ActOnKey(const INPUT_RECORD& key) {
    if (key.EventType != KEY_EVENT || !key.Event.KeyEvent.bKeyDown) return;
    const KEY_EVENT_RECORD& k = key.Event.KeyEvent;
    WString& line = lines[curLine];
    const auto pos = static_cast<std::size_t>(curPos);
    if (k.wVirtualKeyCode == VK_RETURN) {
        int noIndent = 0;
        FakeHost3Services::EditorControl(-1, api3::ECTL_INSERTSTRING, 0, &noIndent);
        calls.pop_back();  // the editor's own action, not a call of the module
    } else if (k.wVirtualKeyCode == VK_DELETE) {
        if (pos < line.size()) {
            BeforeChange();
            line.erase(pos, 1);
        } else if (curLine + 1 < static_cast<std::intptr_t>(lines.size())) {
            BeforeChange();
            line.resize(pos, WIDE3(' '));
            line += lines[curLine + 1];
            eols[curLine] = eols[curLine + 1];
            lines.erase(lines.begin() + curLine + 1);
            eols.erase(eols.begin() + curLine + 1);
        }
    } else if (k.wVirtualKeyCode == VK_BACK) {
        if (pos > 0) {
            BeforeChange();
            line.erase(pos - 1, 1);
            --curPos;
        } else if (curLine > 0) {
            BeforeChange();
            WString& above = lines[curLine - 1];
            curPos = static_cast<std::intptr_t>(above.size());
            above += line;
            eols[curLine - 1] = eols[curLine];
            lines.erase(lines.begin() + curLine);
            eols.erase(eols.begin() + curLine);
            --curLine;
        }
    } else if (k.uChar.UnicodeChar != 0) {
        BeforeChange();
        if (line.size() < pos) line.resize(pos, WIDE3(' '));
        line.insert(pos, 1, static_cast<api3::WChar>(k.uChar.UnicodeChar));
        ++curPos;
    }
}

INPUT_RECORD KeyDown3(api3::WChar ch, WORD vk, DWORD state) {
    return UnicodeKeyRecord(static_cast<WCHAR>(ch), vk, state);
}

}  // namespace testsupport
