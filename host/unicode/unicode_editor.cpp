#include "host/unicode/unicode_editor.hpp"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>

#include "host/key_input.hpp"
#include "host/unicode/unicode_text.hpp"

namespace host {

namespace {

// ECTL_DELETECHAR has the same number in both interfaces.
constexpr std::intptr_t kDeleteChar = ::ECTL_DELETECHAR;

const unicode_api::WChar* EolUnits(std::string_view eol) {
    if (eol == "\r\n") return InterfaceText(u"\r\n");
    if (eol == "\n") return InterfaceText(u"\n");
    if (eol == "\r") return InterfaceText(u"\r");
    return InterfaceText(u"");
}

// An end-of-line text of the Unicode interface as the engine's kind; nothing
// for anything but the four the editor knows.
std::optional<engine::Eol> EolKind(std::u16string_view eol) {
    for (const char* known : {"", "\r\n", "\n", "\r"}) {
        if (std::u16string_view(Utf16Of(EolUnits(known))) == eol) return engine::EolOf(known);
    }
    return std::nullopt;
}

int ToInt(std::intptr_t value) {
    return static_cast<int>(std::clamp<std::intptr_t>(value, INT_MIN, INT_MAX));
}

// A field of EditorSetPosition: any negative value leaves the value as it is.
std::optional<int> PositionField(std::intptr_t value) {
    return value < 0 ? std::nullopt : std::optional<int>(ToInt(value));
}

bool Typed(const KEY_EVENT_RECORD& key, const std::optional<engine::TableChar>& typed) {
    const auto ch = static_cast<unsigned char>(key.uChar.AsciiChar);
    return typed ? ch >= 0x20 || ch == 0 : ch >= 0x20;
}

}  // namespace

INPUT_RECORD ToUnicodeInput(const INPUT_RECORD& record, std::optional<engine::TableChar> typed,
                            const engine::LineCodec& codec) {
    INPUT_RECORD out = record;
    if (record.EventType != KEY_EVENT) return out;
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    const auto ch = static_cast<unsigned char>(key.uChar.AsciiChar);
    char16_t unit = ch;
    if (Typed(key, typed) && typed) {
        // A character beyond the first 65536 reaches a plug-in as a console
        // delivers it first: its high surrogate.
        unit = engine::ToUtf16(codec, typed->Bytes())[0];
    } else if (ch >= 0x80) {
        unit = engine::ToUtf16(engine::CodecOf(engine::CodePage::Oem866),
                               std::string(1, static_cast<char>(ch)))[0];
    }
    out.Event.KeyEvent.uChar.UnicodeChar = unit;
    return out;
}

std::optional<ConsoleKey> ToEngineInput(const INPUT_RECORD& record,
                                        const engine::LineCodec& codec) {
    ConsoleKey out{record, std::nullopt};
    if (record.EventType != KEY_EVENT) return out;
    const char16_t unit = record.Event.KeyEvent.uChar.UnicodeChar;
    out.record.Event.KeyEvent.uChar.UnicodeChar = 0;
    if (unit < 0x20) {
        out.record.Event.KeyEvent.uChar.AsciiChar = static_cast<CHAR>(unit);
        return out;
    }
    const std::optional<std::string> bytes =
        engine::FromUtf16(codec, std::u16string_view(&unit, 1));
    if (!bytes || bytes->empty()) return std::nullopt;
    const std::optional<std::string> oem =
        engine::FromUtf16(engine::CodecOf(engine::CodePage::Oem866), std::u16string_view(&unit, 1));
    out.record.Event.KeyEvent.uChar.AsciiChar = oem ? (*oem)[0] : CHAR{0};
    out.typed = engine::TableChar::Of(*bytes);
    return out;
}

UnicodeEditor::UnicodeEditor(engine::Editor& editor) : editor_(editor) {}

UnicodeEditor::~UnicodeEditor() {
    while (!brackets_.empty()) brackets_.pop_back();
}

void UnicodeEditor::LeavePlugin() {
    if (pluginDepth_ > 0) --pluginDepth_;
    if (pluginDepth_ > 0) return;
    // A plug-in that forgot an EUR_END must not hold the history open.
    while (!brackets_.empty()) brackets_.pop_back();
    // The buffers stay for the next call, but not without bound.
    constexpr std::size_t kSpare = 16;
    constexpr std::size_t kLargest = std::size_t{1} << 16;
    if (texts_.size() > kSpare) texts_.resize(kSpare);
    for (std::unique_ptr<HandedOut>& kept : texts_) {
        if (kept->text.capacity() > kLargest) kept = std::make_unique<HandedOut>();
    }
    handedOut_ = 0;
}

int UnicodeEditor::UnitColumn(int n, int bytes) const {
    if (n < 0 || n >= editor_.LineCount()) return bytes;
    return editor_.Columns(n).Utf16(engine::ByteColumn(bytes)).Value();
}

int UnicodeEditor::ByteColumn(int n, int units) const {
    if (n < 0 || n >= editor_.LineCount()) return units;
    return editor_.Columns(n).Byte(engine::Utf16Column(units)).Value();
}

int UnicodeEditor::ResolveLine(std::intptr_t number) const {
    if (number < 0) return editor_.CurLine();
    if (number >= editor_.LineCount()) return -1;
    return static_cast<int>(number);
}

std::intptr_t UnicodeEditor::Control(std::intptr_t editorId, std::intptr_t command,
                                     std::intptr_t param1, void* param2) {
    if (editorId != unicode_api::CURRENT_EDITOR && editorId != kId) return 0;
    // Each change is a step of its own, or part of the plug-in's bracket.
    switch (command) {
    case unicode_api::ECTL_GETSTRING:
        return GetString(static_cast<unicode_api::EditorGetString*>(param2));
    case unicode_api::ECTL_SETSTRING:
        return SetString(static_cast<const unicode_api::EditorSetString*>(param2));
    case unicode_api::ECTL_INSERTSTRING: {
        // A non-zero flag lets the editor's own auto-indent act.
        const auto* indent = static_cast<const int*>(param2);
        editor_.BreakLine(indent != nullptr && *indent != 0);
        return 1;
    }
    case unicode_api::ECTL_DELETESTRING: editor_.DeleteLine(); return 1;
    case kDeleteChar: editor_.DeleteChar(); return 1;
    case unicode_api::ECTL_INSERTTEXT:
        return InsertText(static_cast<const unicode_api::WChar*>(param2));
    case unicode_api::ECTL_GETINFO: return GetInfo(static_cast<unicode_api::EditorInfo*>(param2));
    case unicode_api::ECTL_SETPOSITION:
        return SetPosition(static_cast<const unicode_api::EditorSetPosition*>(param2));
    case unicode_api::ECTL_REDRAW: return 1;
    case unicode_api::ECTL_PROCESSINPUT: return FeedInput(static_cast<const INPUT_RECORD*>(param2));
    case unicode_api::ECTL_GETFILENAME:
        return GetFileName(param1, static_cast<unicode_api::WChar*>(param2));
    case unicode_api::ECTL_UNDOREDO:
        return UndoRedo(static_cast<const unicode_api::EditorUndoRedo*>(param2));
    default:
        // Change events are not sent, so a subscription is refused rather
        // than answered as if it would be served.
        return 0;
    }
}

std::intptr_t UnicodeEditor::GetString(unicode_api::EditorGetString* get) {
    if (get == nullptr || get->StructSize < sizeof *get) return 0;
    const int n = ResolveLine(get->StringNumber);
    if (n < 0) return 0;
    const engine::LineView line = editor_.LineAt(n);
    // A line asked for again unchanged gets the same text; only the last few
    // are looked at, so that reading a whole file in one call stays linear.
    constexpr std::size_t kLookBack = 8;
    HandedOut* slot = nullptr;
    for (std::size_t i = handedOut_; i > 0 && handedOut_ - i < kLookBack; --i) {
        HandedOut& earlier = *texts_[i - 1];
        if (earlier.line == n && Codec().Matches(line.text, earlier.text)) {
            slot = &earlier;
            break;
        }
    }
    if (slot == nullptr) {
        // A text given out before, even of this line, stays valid to the end of the call.
        if (handedOut_ == texts_.size()) texts_.push_back(std::make_unique<HandedOut>());
        slot = texts_[handedOut_++].get();
        slot->line = n;
        slot->text.clear();
        Codec().ToUtf16(line.text, slot->text);
    }
    get->StringText = InterfaceText(slot->text.c_str());
    get->StringLength = static_cast<std::intptr_t>(slot->text.size());
    get->StringEOL = EolUnits(line.eol);
    const std::optional<engine::LineSelection> selected = editor_.SelectionOn(n);
    get->SelStart = selected ? UnitColumn(n, selected->from) : -1;
    get->SelEnd = selected ? (selected->to < 0 ? -1 : UnitColumn(n, selected->to)) : 0;
    return 1;
}

std::intptr_t UnicodeEditor::SetString(const unicode_api::EditorSetString* set) {
    if (set == nullptr || set->StructSize < sizeof *set || set->StringLength < 0 ||
        set->StringLength > INT_MAX || (set->StringText == nullptr && set->StringLength > 0))
        return 0;
    const int n = ResolveLine(set->StringNumber);
    if (n < 0) return 0;
    std::string bytes;
    const auto length = static_cast<std::size_t>(set->StringLength);
    if (length > 0 &&
        !Codec().FromUtf16(std::u16string_view(Utf16Of(set->StringText), length), bytes))
        return 0;
    // Only a line without an end-of-line (the last) takes the one given;
    // none given is the document's own.
    std::optional<engine::Eol> eol;
    if (editor_.LineAt(n).eol.empty()) {
        eol = set->StringEOL == nullptr ? editor_.DefaultEol() : EolKind(Utf16Of(set->StringEOL));
        if (!eol) return 0;
    }
    return editor_.SetLine(n, bytes, eol) ? 1 : 0;
}

std::intptr_t UnicodeEditor::InsertText(const unicode_api::WChar* text) {
    if (text == nullptr) return 0;
    std::u16string_view units(Utf16Of(text));
    std::string bytes;
    if (!Codec().FromUtf16(units, bytes)) return 0;
    // The text ends at its first zero.
    editor_.InsertText(std::string_view(bytes.c_str()));
    return 1;
}

std::intptr_t UnicodeEditor::GetInfo(unicode_api::EditorInfo* info) {
    constexpr std::size_t kLeast = offsetof(unicode_api::EditorInfo, WindowArea);
    if (info == nullptr || info->StructSize < kLeast) return 0;
    const engine::EditorOptions& options = editor_.Options();
    const engine::Editor::Status status = editor_.CurrentStatus();
    unicode_api::EditorInfo out{};
    out.StructSize = info->StructSize;
    out.EditorID = kId;
    out.WindowSizeX = options.windowWidth;
    out.WindowSizeY = options.windowHeight;
    out.TotalLines = status.lineCount;
    out.CurLine = status.curLine;
    out.CurPos = UnitColumn(status.curLine, status.curPos);
    out.CurTabPos = status.curScreenColumn.Value();
    out.TopScreenLine = status.topLine;
    out.LeftPos = status.leftPos.Value();
    out.Overtype = status.overtype ? 1 : 0;
    out.BlockType = status.blockStartLine ? BTYPE_STREAM : BTYPE_NONE;
    out.BlockStartLine = status.blockStartLine.value_or(0);
    // Del and BkSp remove a block in this editor, as in the 3.x editor's default.
    out.Options = EOPT_CURSORBEYONDEOL | EOPT_DELREMOVESBLOCKS |
                  (options.autoIndent ? DWORD{EOPT_AUTOINDENT} : DWORD{0});
    out.TabSize = options.tabSize;
    out.CurState = editor_.Modified() ? std::uintptr_t{unicode_api::ECSTATE_MODIFIED} : 0;
    out.CodePage = Codec().CodePageNumber();
    out.WindowArea = {0, 0, options.windowWidth - 1, options.windowHeight - 1};
    out.ClientArea = out.WindowArea;
    std::memcpy(info, &out, std::min(info->StructSize, sizeof out));
    return 1;
}

std::intptr_t UnicodeEditor::SetPosition(const unicode_api::EditorSetPosition* position) {
    if (position == nullptr || position->StructSize < sizeof *position) return 0;
    // The column is counted on the line the cursor goes to.
    const int line = position->CurLine >= 0 && position->CurLine < editor_.LineCount()
                         ? static_cast<int>(position->CurLine)
                         : editor_.CurLine();
    engine::Editor::PositionChange change;
    change.line = PositionField(position->CurLine);
    if (const auto pos = PositionField(position->CurPos))
        change.byteColumn = ByteColumn(line, *pos);
    if (const auto tabPos = PositionField(position->CurTabPos))
        change.screenColumn = engine::ScreenColumn(*tabPos);
    change.topLine = PositionField(position->TopScreenLine);
    change.leftPos = PositionField(position->LeftPos);
    if (const auto overtype = PositionField(position->Overtype)) change.overtype = *overtype != 0;
    editor_.SetPosition(change);
    return 1;
}

std::intptr_t UnicodeEditor::FeedInput(const INPUT_RECORD* record) {
    if (record == nullptr) return 0;
    // The plug-ins first, a nested call; then the editor, as a change of the
    // plug-in's. A character the file cannot hold is not typed.
    if (pluginInput_ && feedGuard_.Offer([&] { return pluginInput_(*record); }) != 0) return 1;
    const std::optional<ConsoleKey> key = ToEngineInput(*record, Codec());
    if (!key) return 1;
    if (fedBack_) {
        fedBack_(*key);
    } else {
        const engine::Editor::PluginChanges changes(editor_);
        HandleKey(editor_, *key);
    }
    return 1;
}

std::intptr_t UnicodeEditor::UndoRedo(const unicode_api::EditorUndoRedo* command) {
    if (command == nullptr || command->StructSize < sizeof *command) return 0;
    switch (command->Command) {
    case unicode_api::EUR_BEGIN:
        brackets_.push_back(std::make_unique<engine::Editor::UndoStep>(editor_));
        return 1;
    case unicode_api::EUR_END:
        if (brackets_.empty()) return 0;
        brackets_.pop_back();
        return 1;
    case unicode_api::EUR_UNDO: editor_.Undo(); return 1;
    case unicode_api::EUR_REDO: editor_.Redo(); return 1;
    }
    return 0;
}

std::intptr_t UnicodeEditor::GetFileName(std::intptr_t capacity, unicode_api::WChar* buffer) {
    if (editor_.FileName() != nameBytes_ || nameBytes_.empty()) {
        nameBytes_ = editor_.FileName();
        name_ = engine::Utf8ToUtf16(nameBytes_);
    }
    const std::u16string& name = name_;
    if (buffer != nullptr && capacity > static_cast<std::intptr_t>(name.size())) {
        std::copy(name.begin(), name.end(), buffer);
        buffer[name.size()] = 0;
    }
    return static_cast<std::intptr_t>(name.size()) + 1;
}

}  // namespace host
