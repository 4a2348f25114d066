#include "tests/far2l/far2l_fake_host.hpp"

#include <cwctype>
#include <map>
#include <stdexcept>

#include "module/far2l/exports.hpp"

namespace far2ltest {

namespace {

Far2lFakeHost* active = nullptr;

int EditorControl(int command, void* param) { return active->Control(command, param); }

int ProcessName(const wchar_t* mask, wchar_t* name, DWORD /*size*/, DWORD flags) {
    return active->MatchName(mask, name, flags);
}

// Each text stays where it is, as far2l's do, while the host lives.
const wchar_t* GetMsg(far2l_api::INT_PTR pluginNumber, int id) {
    static std::map<int, std::wstring> texts;
    active->msgPluginNumbers.push_back(static_cast<int>(pluginNumber));
    return texts.try_emplace(id, L"msg" + std::to_wstring(id)).first->second.c_str();
}

int Menu(far2l_api::INT_PTR /*pluginNumber*/, int /*x*/, int /*y*/, int /*maxHeight*/,
         DWORD /*flags*/, const wchar_t* title, const wchar_t* /*bottom*/,
         const wchar_t* /*helpTopic*/, const int* /*breakKeys*/, int* /*breakCode*/,
         const far2l_api::FarMenuItem* items, int count) {
    Far2lFakeHost::ShownMenu menu{title, {}, -1};
    for (int i = 0; i < count; ++i) {
        menu.lines.push_back(items[i].Separator != 0 ? L"-" : items[i].Text);
        if (items[i].Selected != 0) menu.selected = i;
    }
    active->menus.push_back(menu);
    if (active->menuAnswers.empty()) return -1;
    const int answer = active->menuAnswers.front();
    active->menuAnswers.erase(active->menuAnswers.begin());
    return answer;
}

int Message(far2l_api::INT_PTR /*pluginNumber*/, DWORD flags, const wchar_t* /*helpTopic*/,
            const wchar_t* const* items, int count, int buttons) {
    Far2lFakeHost::ShownMessage message{flags, {}, buttons};
    for (int i = 0; i < count; ++i) message.lines.push_back(items[i]);
    active->messages.push_back(message);
    return 0;
}

HANDLE DialogInit(far2l_api::INT_PTR /*pluginNumber*/, int /*x1*/, int /*y1*/, int /*x2*/,
                  int /*y2*/, const wchar_t* /*helpTopic*/, far2l_api::FarDialogItem* items,
                  unsigned count, DWORD /*reserved*/, DWORD /*flags*/,
                  far2l_api::FARWINDOWPROC /*proc*/, far2l_api::LONG_PTR /*param*/) {
    active->dialog.clear();
    for (unsigned i = 0; i < count; ++i) {
        const far2l_api::FarDialogItem& item = items[i];
        const bool check = item.Type == far2l_api::DI_CHECKBOX;
        active->dialog.push_back({item.Type, item.PtrData != nullptr ? item.PtrData : L"",
                                  check ? item.Selected : 0, item.Focus, item.DefaultButton});
    }
    return &active->dialog;
}

int DialogRun(HANDLE /*dialog*/) {
    for (const auto& [index, text] : active->dialogEdits) {
        auto& item = active->dialog.at(static_cast<std::size_t>(index));
        if (item.type == far2l_api::DI_CHECKBOX) {
            item.selected = text == L"x" ? 1 : 0;
        } else {
            item.text = text;
        }
    }
    return active->dialogAnswer;
}

void DialogFree(HANDLE /*dialog*/) { ++active->dialogsFreed; }

far2l_api::LONG_PTR SendDlgMessage(HANDLE /*dialog*/, int msg, int param1,
                                   far2l_api::LONG_PTR /*param2*/) {
    const auto& item = active->dialog.at(static_cast<std::size_t>(param1));
    if (msg == far2l_api::DM_GETCHECK) return item.selected;
    if (msg == far2l_api::DM_GETCONSTTEXTPTR) {
        return reinterpret_cast<far2l_api::LONG_PTR>(item.text.c_str());
    }
    return 0;
}

// '*' and '?' wildcards, letters compared without regard to case.
bool Wildcard(const wchar_t* mask, const wchar_t* name) {
    for (;; ++mask, ++name) {
        if (*mask == L'*') {
            for (const wchar_t* from = name;; ++from) {
                if (Wildcard(mask + 1, from)) return true;
                if (*from == 0) return false;
            }
        }
        if (*mask == 0 || *name == 0) return *mask == *name;
        if (*mask != L'?' && std::towlower(*mask) != std::towlower(*name)) return false;
    }
}

}  // namespace

Far2lFakeHost::Far2lFakeHost() {
    active = this;
    standardFunctions.StructSize = sizeof standardFunctions;
    standardFunctions.ProcessName = &ProcessName;
    startupInfo.StructSize = sizeof startupInfo;
    startupInfo.ModuleName = L"/usr/lib/far2l/Plugins/marten/plug/marten.far-plug-wide";
    startupInfo.ModuleNumber = 0x5a5a;
    startupInfo.EditorControl = &EditorControl;
    startupInfo.GetMsg = &GetMsg;
    startupInfo.Menu = &Menu;
    startupInfo.Message = &Message;
    startupInfo.DialogInit = &DialogInit;
    startupInfo.DialogRun = &DialogRun;
    startupInfo.DialogFree = &DialogFree;
    startupInfo.SendDlgMessage = &SendDlgMessage;
    startupInfo.FSF = &standardFunctions;
}

Far2lFakeHost::~Far2lFakeHost() {
    if (active == this) active = nullptr;
}

void Far2lFakeHost::Put(const std::wstring& text, int line, int pos) {
    lines.clear();
    ends.clear();
    std::size_t start = 0;
    std::size_t end;
    while ((end = text.find(L'\n', start)) != std::wstring::npos) {
        lines.push_back(text.substr(start, end - start));
        ends.push_back(L"\n");
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    ends.push_back(L"");
    curLine = line;
    curPos = pos;
}

std::wstring Far2lFakeHost::Text() const {
    std::wstring text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? L"\n" : L"") + lines[i];
    return text;
}

std::vector<int> Far2lFakeHost::Commands() const {
    std::vector<int> commands;
    for (const EditorCall& call : calls) commands.push_back(call.command);
    return commands;
}

void Far2lFakeHost::Remember() {
    if (bracketDepth == 0) steps_.push_back({lines, ends, curLine, curPos});
}

bool Far2lFakeHost::Undo() {
    if (steps_.empty()) return false;
    Snapshot& step = steps_.back();
    lines = std::move(step.lines);
    ends = std::move(step.ends);
    curLine = step.curLine;
    curPos = step.curPos;
    steps_.pop_back();
    return true;
}

void Far2lFakeHost::BreakAtCursor(bool indent) {
    std::wstring& line = lines[static_cast<std::size_t>(curLine)];
    const std::size_t at = std::min(static_cast<std::size_t>(curPos), line.size());
    std::wstring lead;
    if (indent && autoIndent) lead = line.substr(0, std::min(line.find_first_not_of(L" \t"), at));
    const auto below = static_cast<std::ptrdiff_t>(curLine) + 1;
    lines.insert(lines.begin() + below, lead + line.substr(at));
    ends.insert(ends.begin() + below, ends[static_cast<std::size_t>(curLine)]);
    lines[static_cast<std::size_t>(curLine)].erase(at);
    ends[static_cast<std::size_t>(curLine)] = L"\n";
    ++curLine;
    curPos = static_cast<int>(lead.size());
}

int Far2lFakeHost::Control(int command, void* param) {
    EditorCall call{command};
    const auto lineOf = [this](int number) { return number < 0 ? curLine : number; };
    const auto exists = [this](int n) { return n >= 0 && n < static_cast<int>(lines.size()); };
    int answer = 1;
    switch (command) {
    case far2l_api::ECTL_GETINFO: {
        auto* info = static_cast<far2l_api::EditorInfo*>(param);
        info->TotalLines = static_cast<int>(lines.size());
        info->CurLine = curLine;
        info->CurPos = curPos;
        info->Options = far2l_api::EOPT_CURSORBEYONDEOL |
                        (autoIndent ? DWORD{far2l_api::EOPT_AUTOINDENT} : DWORD{0});
        info->CodePage = 65001;
        break;
    }
    case far2l_api::ECTL_GETSTRING: {
        auto* rec = static_cast<far2l_api::EditorGetString*>(param);
        call.param = rec->StringNumber;
        const int n = lineOf(rec->StringNumber);
        if (!exists(n)) {
            answer = 0;
            break;
        }
        // Handed out without a terminator, as a host may.
        handedOut_ = lines[static_cast<std::size_t>(n)] + L'\xFFFF';
        rec->StringText = handedOut_.data();
        rec->StringLength = static_cast<int>(lines[static_cast<std::size_t>(n)].size());
        rec->StringEOL = ends[static_cast<std::size_t>(n)].c_str();
        rec->SelStart = -1;
        break;
    }
    case far2l_api::ECTL_SETSTRING: {
        auto* rec = static_cast<far2l_api::EditorSetString*>(param);
        call.param = rec->StringNumber;
        const int n = lineOf(rec->StringNumber);
        if (!exists(n)) {
            answer = 0;
            break;
        }
        Remember();
        lines[static_cast<std::size_t>(n)].assign(rec->StringText,
                                                  static_cast<std::size_t>(rec->StringLength));
        if (rec->StringEOL != nullptr) {
            endGivenToSetString = true;
            ends[static_cast<std::size_t>(n)] = rec->StringEOL;
        }
        break;
    }
    case far2l_api::ECTL_INSERTSTRING:
        Remember();
        BreakAtCursor(param != nullptr && *static_cast<int*>(param) != 0);
        break;
    case far2l_api::ECTL_SETPOSITION: {
        const auto* rec = static_cast<far2l_api::EditorSetPosition*>(param);
        if (rec->CurLine >= 0) curLine = rec->CurLine;
        if (rec->CurPos >= 0) curPos = rec->CurPos;
        break;
    }
    case far2l_api::ECTL_REDRAW: break;
    case far2l_api::ECTL_GETFILENAME:
        // The whole name whatever room the buffer has: far2l takes no size.
        if (param != nullptr) fileName.copy(static_cast<wchar_t*>(param), fileName.size());
        if (param != nullptr) static_cast<wchar_t*>(param)[fileName.size()] = 0;
        answer = static_cast<int>(fileName.size() + 1);
        break;
    case far2l_api::ECTL_UNDOREDO: {
        call.param = static_cast<const far2l_api::EditorUndoRedo*>(param)->Command;
        if (call.param == far2l_api::EUR_BEGIN) {
            Remember();
            ++bracketDepth;
        } else if (call.param == far2l_api::EUR_END) {
            if (bracketDepth == 0) throw std::logic_error("EUR_END without EUR_BEGIN");
            --bracketDepth;
        }
        break;
    }
    case far2l_api::ECTL_PROCESSINPUT: {
        calls.push_back(call);
        const auto key = *static_cast<const far2l_api::INPUT_RECORD*>(param);
        fedKeys.push_back(key);
        Press(key);
        return 1;
    }
    default: answer = 0; break;
    }
    calls.push_back(call);
    return answer;
}

int Far2lFakeHost::MatchName(const wchar_t* mask, const wchar_t* name, DWORD flags) {
    std::wstring subject = name;
    if ((flags & far2l_api::PN_SKIPPATH) != 0) subject.erase(0, subject.rfind(L'/') + 1);
    comparisons.emplace_back(mask, subject);
    return Wildcard(mask, subject.c_str()) ? 1 : 0;
}

int Far2lFakeHost::Press(const far2l_api::INPUT_RECORD& key) {
    const int answer = ProcessEditorInputW(&key);
    if (answer == 0 && key.EventType == KEY_EVENT && key.Event.KeyEvent.bKeyDown) {
        CarryOut(key.Event.KeyEvent);
    }
    return answer;
}

// The editor's own action on a key: what far2l does with these keys.
void Far2lFakeHost::CarryOut(const far2l_api::KEY_EVENT_RECORD& key) {
    std::wstring& line = lines[static_cast<std::size_t>(curLine)];
    const auto pos = static_cast<std::size_t>(curPos);
    const bool last = curLine + 1 == static_cast<int>(lines.size());
    switch (key.wVirtualKeyCode) {
    case VK_RETURN:
        Remember();
        BreakAtCursor(true);
        return;
    case VK_DELETE:
        if (pos >= line.size() && last) return;
        Remember();
        if (pos < line.size()) {
            line.erase(pos, 1);
            return;
        }
        line.resize(pos, L' ');
        line += lines[static_cast<std::size_t>(curLine) + 1];
        ends[static_cast<std::size_t>(curLine)] = ends[static_cast<std::size_t>(curLine) + 1];
        lines.erase(lines.begin() + curLine + 1);
        ends.erase(ends.begin() + curLine + 1);
        return;
    case VK_BACK:
        if (pos == 0 && curLine == 0) return;
        Remember();
        if (pos > 0) {
            // Beyond the end of the line the cursor only moves.
            if (pos <= line.size()) line.erase(pos - 1, 1);
            --curPos;
            return;
        }
        curPos = static_cast<int>(lines[static_cast<std::size_t>(curLine) - 1].size());
        lines[static_cast<std::size_t>(curLine) - 1] += line;
        ends[static_cast<std::size_t>(curLine) - 1] = ends[static_cast<std::size_t>(curLine)];
        lines.erase(lines.begin() + curLine);
        ends.erase(ends.begin() + curLine);
        --curLine;
        return;
    default: break;
    }
    const DWORD ctrlOrAlt =
        LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED | LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED;
    if (key.uChar.UnicodeChar == 0 || (key.dwControlKeyState & ctrlOrAlt) != 0) return;
    Remember();
    if (pos > line.size()) line.resize(pos, L' ');
    line.insert(pos, 1, key.uChar.UnicodeChar);
    ++curPos;
}

far2l_api::INPUT_RECORD KeyDown(wchar_t ch, WORD vk, DWORD state) {
    far2l_api::INPUT_RECORD rec{};
    rec.EventType = KEY_EVENT;
    rec.Event.KeyEvent.bKeyDown = 1;
    rec.Event.KeyEvent.wRepeatCount = 1;
    rec.Event.KeyEvent.wVirtualKeyCode = vk;
    rec.Event.KeyEvent.uChar.UnicodeChar = ch;
    rec.Event.KeyEvent.dwControlKeyState = state;
    return rec;
}

}  // namespace far2ltest
