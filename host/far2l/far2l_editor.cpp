#include "host/far2l/far2l_editor.hpp"

#include <algorithm>

#include "host/far2l/far2l_keys.hpp"
#include "host/far2l/far2l_text.hpp"

namespace host {

void Far2lEditor::LeavePlugin() {
    view_.LeavePlugin();
    if (--depth_ == 0) handedOut_ = 0;
}

std::wstring& Far2lEditor::NextHandedOut() {
    if (handedOut_ == texts_.size()) texts_.push_back(std::make_unique<std::wstring>());
    return *texts_[handedOut_++];
}

bool Far2lEditor::HasPairs(int n) const {
    if (engine::IsSingleByte(Engine().Table())) return false;
    // In UTF-8 a character beyond the BMP starts with a byte from F0.
    const std::string_view bytes = Engine().LineAt(n).text;
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char b) { return static_cast<unsigned char>(b) >= 0xF0; });
}

bool Far2lEditor::Utf16Line(int n, std::u16string_view& text, int& line) {
    int selStart = 0;
    int selEnd = 0;
    return Utf16Line(n, text, line, selStart, selEnd);
}

bool Far2lEditor::Utf16Line(int n, std::u16string_view& text, int& line, int& selStart,
                            int& selEnd) {
    unicode_api::EditorGetString get{};
    get.StructSize = sizeof get;
    get.StringNumber = n;
    if (view_.Control(UnicodeEditor::kId, unicode_api::ECTL_GETSTRING, 0, &get) == 0) return false;
    text = std::u16string_view(reinterpret_cast<const char16_t*>(get.StringText),
                               static_cast<std::size_t>(get.StringLength));
    line = n >= 0 ? n : static_cast<int>(Engine().CurLine());
    selStart = static_cast<int>(get.SelStart);
    selEnd = static_cast<int>(get.SelEnd);
    return true;
}

int Far2lEditor::Control(int command, void* param) {
    switch (command) {
    case far2l_api::ECTL_GETSTRING:
        return GetString(static_cast<far2l_api::EditorGetString*>(param));
    case far2l_api::ECTL_SETSTRING:
        return SetString(static_cast<const far2l_api::EditorSetString*>(param));
    case far2l_api::ECTL_INSERTSTRING:
        return static_cast<int>(
            view_.Control(UnicodeEditor::kId, unicode_api::ECTL_INSERTSTRING, 0, param));
    case far2l_api::ECTL_DELETESTRING:
        return static_cast<int>(
            view_.Control(UnicodeEditor::kId, unicode_api::ECTL_DELETESTRING, 0, nullptr));
    case far2l_api::ECTL_DELETECHAR:
        return static_cast<int>(view_.Control(UnicodeEditor::kId, ::ECTL_DELETECHAR, 0, nullptr));
    case far2l_api::ECTL_INSERTTEXT: {
        if (param == nullptr) return 0;
        const std::u16string text = Utf16OfWide(WideView(static_cast<const wchar_t*>(param)));
        return static_cast<int>(view_.Control(UnicodeEditor::kId, unicode_api::ECTL_INSERTTEXT, 0,
                                              const_cast<char16_t*>(text.c_str())));
    }
    case far2l_api::ECTL_GETINFO: return GetInfo(static_cast<far2l_api::EditorInfo*>(param));
    case far2l_api::ECTL_SETPOSITION:
        return SetPosition(static_cast<const far2l_api::EditorSetPosition*>(param));
    case far2l_api::ECTL_REDRAW: return 1;
    case far2l_api::ECTL_PROCESSINPUT: {
        if (param == nullptr) return 0;
        INPUT_RECORD record = WindowsInputOf(*static_cast<const far2l_api::INPUT_RECORD*>(param));
        return static_cast<int>(
            view_.Control(UnicodeEditor::kId, unicode_api::ECTL_PROCESSINPUT, 0, &record));
    }
    case far2l_api::ECTL_UNDOREDO: {
        if (param == nullptr) return 0;
        unicode_api::EditorUndoRedo undo{};
        undo.StructSize = sizeof undo;
        undo.Command = static_cast<unicode_api::EDITOR_UNDOREDO_COMMANDS>(
            static_cast<const far2l_api::EditorUndoRedo*>(param)->Command);
        return static_cast<int>(
            view_.Control(UnicodeEditor::kId, unicode_api::ECTL_UNDOREDO, 0, &undo));
    }
    case far2l_api::ECTL_GETFILENAME: return GetFileName(static_cast<wchar_t*>(param));
    default: return 0;
    }
}

int Far2lEditor::GetString(far2l_api::EditorGetString* get) {
    if (get == nullptr) return 0;
    std::u16string_view units;
    int line = 0;
    int selStart = -1;
    int selEnd = 0;
    if (!Utf16Line(get->StringNumber, units, line, selStart, selEnd)) return 0;
    std::wstring& text = NextHandedOut();
    text.clear();
    if (HasPairs(line)) {
        text = WideOf(units);
    } else {
        text.assign(units.begin(), units.end());
    }
    get->StringText = text.c_str();
    get->StringLength = static_cast<int>(text.size());
    // The ends of line the editor keeps, as far2l hands them out.
    const std::string_view eol = Engine().LineAt(line).eol;
    get->StringEOL = eol == "\r\n" ? L"\r\n" : eol == "\n" ? L"\n" : eol == "\r" ? L"\r" : L"";
    // The marked part in characters, as far2l counts columns.
    const bool pairs = HasPairs(line);
    const auto chars = [&](int column) {
        return pairs && column > 0 ? CharColumn(units, column) : column;
    };
    get->SelStart = chars(selStart);
    get->SelEnd = chars(selEnd);
    return 1;
}

int Far2lEditor::SetString(const far2l_api::EditorSetString* set) {
    if (set == nullptr || set->StringLength < 0) return 0;
    if (set->StringText == nullptr && set->StringLength > 0) return 0;
    const std::u16string text = Utf16OfWide(
        std::wstring_view(set->StringText, static_cast<std::size_t>(set->StringLength)));
    std::u16string eol;
    if (set->StringEOL != nullptr) eol = Utf16OfWide(WideView(set->StringEOL));
    unicode_api::EditorSetString to{};
    to.StructSize = sizeof to;
    to.StringNumber = set->StringNumber;
    to.StringLength = static_cast<std::intptr_t>(text.size());
    to.StringText = reinterpret_cast<const unicode_api::WChar*>(text.c_str());
    to.StringEOL = set->StringEOL != nullptr
                       ? reinterpret_cast<const unicode_api::WChar*>(eol.c_str())
                       : nullptr;
    return static_cast<int>(view_.Control(UnicodeEditor::kId, unicode_api::ECTL_SETSTRING, 0, &to));
}

int Far2lEditor::GetInfo(far2l_api::EditorInfo* info) {
    if (info == nullptr) return 0;
    unicode_api::EditorInfo from{};
    from.StructSize = sizeof from;
    if (view_.Control(UnicodeEditor::kId, unicode_api::ECTL_GETINFO, 0, &from) == 0) return 0;
    *info = far2l_api::EditorInfo{};
    info->EditorID = kId;
    info->WindowSizeX = static_cast<int>(from.WindowSizeX);
    info->WindowSizeY = static_cast<int>(from.WindowSizeY);
    info->TotalLines = static_cast<int>(from.TotalLines);
    info->CurLine = static_cast<int>(from.CurLine);
    info->CurPos = static_cast<int>(from.CurPos);
    // The column in characters, as far2l counts it.
    std::u16string_view line;
    int number = 0;
    if (HasPairs(info->CurLine) && Utf16Line(-1, line, number)) {
        info->CurPos = CharColumn(line, info->CurPos);
    }
    info->CurTabPos = static_cast<int>(from.CurTabPos);
    info->TopScreenLine = static_cast<int>(from.TopScreenLine);
    info->LeftPos = static_cast<int>(from.LeftPos);
    info->Overtype = static_cast<int>(from.Overtype);
    info->BlockType = static_cast<int>(from.BlockType);
    info->BlockStartLine = static_cast<int>(from.BlockStartLine);
    info->Options = static_cast<DWORD>(from.Options);
    info->TabSize = static_cast<int>(from.TabSize);
    info->CurState = static_cast<DWORD>(from.CurState);
    info->CodePage = static_cast<unsigned>(from.CodePage);
    return 1;
}

int Far2lEditor::SetPosition(const far2l_api::EditorSetPosition* position) {
    if (position == nullptr) return 0;
    unicode_api::EditorSetPosition to{};
    to.StructSize = sizeof to;
    to.CurLine = position->CurLine;
    to.CurPos = position->CurPos;
    to.CurTabPos = position->CurTabPos;
    to.TopScreenLine = position->TopScreenLine;
    to.LeftPos = position->LeftPos;
    to.Overtype = position->Overtype;
    if (position->CurPos >= 0) {
        std::u16string_view line;
        int number = 0;
        if (Utf16Line(position->CurLine, line, number))
            to.CurPos = UnitColumn(line, position->CurPos);
    }
    return static_cast<int>(
        view_.Control(UnicodeEditor::kId, unicode_api::ECTL_SETPOSITION, 0, &to));
}

// far2l fills the buffer it is given without a bound: a plug-in asks for
// the size first (a null buffer) and then passes one that large.
int Far2lEditor::GetFileName(wchar_t* buffer) {
    if (Engine().FileName() != nameBytes_ || name_.empty()) {
        nameBytes_ = Engine().FileName();
        name_ = WideOfUtf8(nameBytes_);
    }
    if (buffer != nullptr) std::copy(name_.c_str(), name_.c_str() + name_.size() + 1, buffer);
    return static_cast<int>(name_.size() + 1);
}

}  // namespace host
