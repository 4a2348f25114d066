#include "tests/support/unicode_fake_host.hpp"

#include <cwctype>
#include <stdexcept>

#include "tests/support/key_records.hpp"

namespace testsupport {

namespace {

UnicodeFakeHost* current = nullptr;

const unicode_api::WChar kEmpty[] = UNICODE_TEXT("");

// Matches `name` against one mask: '*', '?', letters without regard to case
// (ASCII is enough for the tests).
bool Wildcard(const unicode_api::WChar* mask, const unicode_api::WChar* name) {
    auto fold = [](unicode_api::WChar c) {
        return c >= UNICODE_TEXT('A') && c <= UNICODE_TEXT('Z')
                   ? unicode_api::WChar(c - UNICODE_TEXT('A') + UNICODE_TEXT('a'))
                   : c;
    };
    if (*mask == 0) return *name == 0;
    if (*mask == UNICODE_TEXT('*'))
        return Wildcard(mask + 1, name) || (*name != 0 && Wildcard(mask, name + 1));
    if (*name == 0) return false;
    if (*mask != UNICODE_TEXT('?') && fold(*mask) != fold(*name)) return false;
    return Wildcard(mask + 1, name + 1);
}

}  // namespace

struct UnicodeFakeHostServices {
    static std::intptr_t WINAPI EditorControl(std::intptr_t id,
                                              unicode_api::EDITOR_CONTROL_COMMANDS command,
                                              std::intptr_t param1, void* param2) {
        UnicodeFakeHost& h = *current;
        if (id != -1 && id != h.editorId) h.wrongEditorAddressed = true;
        UnicodeEditorCall call{command};
        switch (command) {
        case unicode_api::ECTL_GETINFO: {
            auto* info = static_cast<unicode_api::EditorInfo*>(param2);
            if (info->StructSize < sizeof(unicode_api::EditorInfo)) return 0;
            info->EditorID = h.editorId;
            info->TotalLines = static_cast<std::intptr_t>(h.lines.size());
            info->CurLine = h.curLine;
            info->CurPos = h.curPos;
            info->Options = h.autoIndent ? std::uintptr_t{unicode_api::EOPT_AUTOINDENT} : 0;
            break;
        }
        case unicode_api::ECTL_GETSTRING: {
            auto* rec = static_cast<unicode_api::EditorGetString*>(param2);
            call.param = rec->StringNumber;
            h.calls.push_back(call);
            const std::intptr_t n = rec->StringNumber < 0 ? h.curLine : rec->StringNumber;
            if (n >= static_cast<std::intptr_t>(h.lines.size())) return 0;
            // The text is handed out without a terminator, as a host may.
            static WString unterminated;
            unterminated = h.lines[n] + UNICODE_TEXT('\xFFFF');
            rec->StringText = unterminated.data();
            rec->StringLength = static_cast<std::intptr_t>(h.lines[n].size());
            rec->StringEOL = h.eols[n].c_str();
            rec->SelStart = -1;
            return 1;
        }
        case unicode_api::ECTL_SETSTRING: {
            auto* rec = static_cast<const unicode_api::EditorSetString*>(param2);
            call.param = rec->StringNumber;
            h.calls.push_back(call);
            const std::intptr_t n = rec->StringNumber < 0 ? h.curLine : rec->StringNumber;
            if (n >= static_cast<std::intptr_t>(h.lines.size())) return 0;
            h.BeforeChange();
            h.lines[n].assign(rec->StringText, static_cast<std::size_t>(rec->StringLength));
            // Only a line without an end-of-line takes the one given; null is the default.
            if (h.eols[n].empty())
                h.eols[n] = rec->StringEOL == nullptr ? UNICODE_TEXT("\r\n") : rec->StringEOL;
            return 1;
        }
        case unicode_api::ECTL_INSERTSTRING: {
            h.calls.push_back(call);
            h.BeforeChange();
            const int* flag = static_cast<const int*>(param2);
            WString& line = h.lines[h.curLine];
            const std::size_t at = std::min<std::size_t>(h.curPos, line.size());
            WString indent;
            if (flag != nullptr && *flag != 0 && h.autoIndent) {
                indent = line.substr(0, line.find_first_not_of(UNICODE_TEXT(" \t")));
                if (indent.size() > line.size()) indent = line;
            }
            WString rest = indent + line.substr(at);
            line.erase(at);
            h.lines.insert(h.lines.begin() + h.curLine + 1, rest);
            h.eols.insert(h.eols.begin() + h.curLine + 1, h.eols[h.curLine]);
            h.eols[h.curLine] = UNICODE_TEXT("\r\n");
            ++h.curLine;
            h.curPos = static_cast<std::intptr_t>(indent.size());
            return 1;
        }
        case unicode_api::ECTL_SETPOSITION: {
            auto* rec = static_cast<const unicode_api::EditorSetPosition*>(param2);
            if (rec->CurLine >= 0) h.curLine = rec->CurLine;
            if (rec->CurPos >= 0) h.curPos = rec->CurPos;
            break;
        }
        case unicode_api::ECTL_REDRAW: break;
        case unicode_api::ECTL_GETFILENAME: {
            const auto needed = static_cast<std::intptr_t>(h.fileName.size() + 1);
            auto* buffer = static_cast<unicode_api::WChar*>(param2);
            if (buffer != nullptr && param1 > static_cast<std::intptr_t>(h.fileName.size())) {
                h.fileName.copy(buffer, h.fileName.size());
                buffer[h.fileName.size()] = 0;
            }
            h.calls.push_back(call);
            return needed;
        }
        case unicode_api::ECTL_UNDOREDO: {
            auto* rec = static_cast<const unicode_api::EditorUndoRedo*>(param2);
            call.param = rec->Command;
            if (rec->Command == unicode_api::EUR_BEGIN) {
                if (h.undoDepth++ == 0) h.undo_.push_back({h.lines, h.eols, h.curLine, h.curPos});
            } else if (rec->Command == unicode_api::EUR_END) {
                if (h.undoDepth == 0) throw std::logic_error("EUR_END without EUR_BEGIN");
                --h.undoDepth;
            }
            break;
        }
        case unicode_api::ECTL_PROCESSINPUT: {
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
                                                unicode_api::FAR_SETTINGS_CONTROL_COMMANDS command,
                                                std::intptr_t /*param1*/, void* param2) {
        UnicodeFakeHost& h = *current;
        static int token;
        switch (command) {
        case unicode_api::SCTL_CREATE: {
            if (h.storeRefuses) return 0;
            static_cast<unicode_api::FarSettingsCreate*>(param2)->Handle = &token;
            ++h.openHandles;
            return 1;
        }
        case unicode_api::SCTL_FREE:
            if (handle != &token) return 0;
            --h.openHandles;
            return 1;
        case unicode_api::SCTL_ENUM:
            static_cast<unicode_api::FarSettingsEnum*>(param2)->Count = h.store.size();
            return 1;
        case unicode_api::SCTL_SET: {
            auto* item = static_cast<const unicode_api::FarSettingsItem*>(param2);
            if (item->Type == unicode_api::FST_QWORD) {
                h.store[item->Name] = item->Number;
            } else if (item->Type == unicode_api::FST_STRING) {
                h.store[item->Name] = WString(item->String);
            } else {
                return 0;
            }
            return 1;
        }
        case unicode_api::SCTL_GET: {
            auto* item = static_cast<unicode_api::FarSettingsItem*>(param2);
            const auto found = h.store.find(item->Name);
            if (found == h.store.end()) return 0;
            // A value of another type than asked for is not given.
            if (const auto* number = std::get_if<std::uint64_t>(&found->second)) {
                if (item->Type != unicode_api::FST_QWORD) return 0;
                item->Number = *number;
            } else {
                if (item->Type != unicode_api::FST_STRING) return 0;
                item->String = std::get<WString>(found->second).c_str();
            }
            return 1;
        }
        default: return 0;
        }
    }

    static std::size_t WINAPI ProcessName(const unicode_api::WChar* mask, unicode_api::WChar* name,
                                          std::size_t, unicode_api::PROCESSNAME_FLAGS flags) {
        UnicodeFakeHost& h = *current;
        WString subject(name);
        if (flags & unicode_api::PN_SKIPPATH) {
            const std::size_t slash = subject.find_last_of(UNICODE_TEXT("\\/:"));
            if (slash != WString::npos) subject.erase(0, slash + 1);
        }
        h.nameComparisons.emplace_back(mask, subject);
        return Wildcard(mask, subject.c_str()) ? 1 : 0;
    }

    static const unicode_api::WChar* WINAPI GetMsg(const unicode_api::GUID*, std::intptr_t id) {
        static WString texts[32];
        if (id < 0 || id >= 32) return kEmpty;
        const std::string ascii = "msg" + std::to_string(id);
        texts[id].assign(ascii.begin(), ascii.end());
        return texts[id].c_str();
    }

    static std::intptr_t WINAPI Message(const unicode_api::GUID*, const unicode_api::GUID*,
                                        unicode_api::FARMESSAGEFLAGS, const unicode_api::WChar*,
                                        const unicode_api::WChar* const* items, std::size_t,
                                        std::intptr_t) {
        current->messageTitles.emplace_back(items[0]);
        return 0;
    }

    static HANDLE WINAPI DialogInit(const unicode_api::GUID*, const unicode_api::GUID* id,
                                    std::intptr_t, std::intptr_t, std::intptr_t x2,
                                    std::intptr_t y2, const unicode_api::WChar* help,
                                    const unicode_api::FarDialogItem* items, std::size_t count,
                                    std::intptr_t, unicode_api::FARDIALOGFLAGS,
                                    unicode_api::FARWINDOWPROC, void*) {
        UnicodeFakeHost& h = *current;
        if (id == nullptr) return INVALID_HANDLE_VALUE;
        h.dialogSize = {x2, y2};
        h.dialogHelp = help != nullptr ? help : UNICODE_TEXT("");
        h.dialogItems.clear();
        for (std::size_t i = 0; i < count; ++i) {
            const unicode_api::FarDialogItem& item = items[i];
            h.dialogItems.push_back({item.Type, item.X1, item.Y1, item.X2, item.Y2, item.Selected,
                                     item.Data ? item.Data : UNICODE_TEXT(""),
                                     item.History ? item.History : UNICODE_TEXT(""), item.MaxLength,
                                     item.Flags});
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
        UnicodeFakeHost& h = *current;
        if (!h.dialogOpen) throw std::logic_error("a message to a freed dialog");
        if (msg == unicode_api::DM_GETCHECK) return h.dialogChecks[static_cast<int>(item)];
        if (msg == unicode_api::DM_GETCONSTTEXTPTR) {
            return reinterpret_cast<std::intptr_t>(h.dialogTexts[static_cast<int>(item)].c_str());
        }
        return 0;
    }

    static std::intptr_t WINAPI Menu(const unicode_api::GUID*, const unicode_api::GUID*,
                                     std::intptr_t, std::intptr_t, std::intptr_t,
                                     unicode_api::FARMENUFLAGS, const unicode_api::WChar*,
                                     const unicode_api::WChar*, const unicode_api::WChar*,
                                     const unicode_api::FarKey*, std::intptr_t*,
                                     const unicode_api::FarMenuItem*, std::size_t) {
        ++current->menusShown;
        const int answer = current->menuAnswer;
        current->menuAnswer = -1;  // the user leaves the menu the next time
        return answer;
    }
};

UnicodeFakeHost::UnicodeFakeHost() {
    current = this;
    standardFunctions.StructSize = sizeof standardFunctions;
    standardFunctions.ProcessName = &UnicodeFakeHostServices::ProcessName;
    startupInfo.StructSize = sizeof startupInfo;
    startupInfo.ModuleName = UNICODE_TEXT("/plugins/MartenW/MartenW.so");
    startupInfo.EditorControl = &UnicodeFakeHostServices::EditorControl;
    startupInfo.SettingsControl = &UnicodeFakeHostServices::SettingsControl;
    startupInfo.GetMsg = &UnicodeFakeHostServices::GetMsg;
    startupInfo.Message = &UnicodeFakeHostServices::Message;
    startupInfo.Menu = &UnicodeFakeHostServices::Menu;
    startupInfo.DialogInit = &UnicodeFakeHostServices::DialogInit;
    startupInfo.DialogRun = &UnicodeFakeHostServices::DialogRun;
    startupInfo.DialogFree = &UnicodeFakeHostServices::DialogFree;
    startupInfo.SendDlgMessage = &UnicodeFakeHostServices::SendDlgMessage;
    startupInfo.FSF = &standardFunctions;
}

UnicodeFakeHost::~UnicodeFakeHost() {
    if (current == this) current = nullptr;
}

void UnicodeFakeHost::SetText(const WString& text) {
    lines.clear();
    eols.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(UNICODE_TEXT('\n'), start);
        lines.push_back(text.substr(start, end - start));
        eols.push_back(end == WString::npos ? UNICODE_TEXT("") : UNICODE_TEXT("\r\n"));
        if (end == WString::npos) break;
        start = end + 1;
    }
}

WString UnicodeFakeHost::Text() const {
    WString text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += UNICODE_TEXT('\n');
        text += lines[i];
    }
    return text;
}

std::vector<int> UnicodeFakeHost::Commands() const {
    std::vector<int> commands;
    for (const UnicodeEditorCall& call : calls) commands.push_back(call.command);
    return commands;
}

void UnicodeFakeHost::BeforeChange() {
    // Outside a bracket every change is a step of its own.
    if (undoDepth == 0) undo_.push_back({lines, eols, curLine, curPos});
}

bool UnicodeFakeHost::Undo() {
    if (undo_.empty()) return false;
    const Snapshot& s = undo_.back();
    lines = s.lines;
    eols = s.eols;
    curLine = s.curLine;
    curPos = s.curPos;
    undo_.pop_back();
    return true;
}

std::intptr_t UnicodeFakeHost::Press(const INPUT_RECORD& key) {
    unicode_api::ProcessEditorInputInfo info{sizeof(unicode_api::ProcessEditorInputInfo), key,
                                             nullptr};
    const std::intptr_t answer = processEditorInput(&info);
    if (answer == 0) ActOnKey(key);
    return answer;
}

void UnicodeFakeHost::ActOnKey(const INPUT_RECORD& key) {
    if (key.EventType != KEY_EVENT || !key.Event.KeyEvent.bKeyDown) return;
    const KEY_EVENT_RECORD& k = key.Event.KeyEvent;
    WString& line = lines[curLine];
    const auto pos = static_cast<std::size_t>(curPos);
    if (k.wVirtualKeyCode == VK_RETURN) {
        int noIndent = 0;
        UnicodeFakeHostServices::EditorControl(-1, unicode_api::ECTL_INSERTSTRING, 0, &noIndent);
        calls.pop_back();  // the editor's own action, not a call of the module
    } else if (k.wVirtualKeyCode == VK_DELETE) {
        if (pos < line.size()) {
            BeforeChange();
            line.erase(pos, 1);
        } else if (curLine + 1 < static_cast<std::intptr_t>(lines.size())) {
            BeforeChange();
            line.resize(pos, UNICODE_TEXT(' '));
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
        if (line.size() < pos) line.resize(pos, UNICODE_TEXT(' '));
        line.insert(pos, 1, static_cast<unicode_api::WChar>(k.uChar.UnicodeChar));
        ++curPos;
    }
}

INPUT_RECORD UnicodeKeyDown(unicode_api::WChar ch, WORD vk, DWORD state) {
    return UnicodeKeyRecord(static_cast<WCHAR>(ch), vk, state);
}

}  // namespace testsupport
