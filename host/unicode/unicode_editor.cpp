#include "host/unicode/unicode_editor.hpp"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>

#include "host/unicode/unicode_text.hpp"

namespace host {

namespace {

constexpr int kMaxFeedDepth = 16;  // as the engine's own guard for fed-back records

// ECTL_DELETECHAR has the same number in both interfaces.
constexpr std::intptr_t kDeleteChar = ::ECTL_DELETECHAR;

const unicode_api::WChar* EolUnits(std::string_view eol) {
    if (eol == "\r\n") return Wide(u"\r\n");
    if (eol == "\n") return Wide(u"\n");
    if (eol == "\r") return Wide(u"\r");
    return Wide(u"");
}

// An end-of-line text of the Unicode interface as the engine's bytes; nothing
// for anything but the four the editor knows.
std::optional<std::string> EolBytes(std::u16string_view eol) {
    for (const char* known : {"", "\r\n", "\n", "\r"}) {
        if (std::u16string_view(Units(EolUnits(known))) == eol) return std::string(known);
    }
    return std::nullopt;
}

int ToInt(std::intptr_t value) {
    return static_cast<int>(std::clamp<std::intptr_t>(value, INT_MIN, INT_MAX));
}

// A field of EditorSetPosition: any negative value leaves the value as it is.
int PositionField(std::intptr_t value) { return value < 0 ? -1 : ToInt(value); }

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

std::optional<EngineInput> ToEngineInput(const INPUT_RECORD& record,
                                         const engine::LineCodec& codec) {
    EngineInput out{record, std::nullopt};
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

int UnicodeEditor::UnitColumn(int n, int pos) const {
    if (Codec().OneUnitPerByte() || n < 0 || n >= editor_.LineCount()) return pos;
    const std::string_view text = editor_.LineAt(n).text;
    const engine::CodePage table = editor_.Table();
    const auto inText = std::min(static_cast<std::size_t>(pos), text.size());
    long long units = 0;
    for (std::size_t at = 0; at < inText;) {
        const std::size_t length = engine::CharLength(table, text, at);
        units += length == 4 ? 2 : 1;  // a character beyond U+FFFF is a surrogate pair
        at += length;
    }
    return ToInt(units + (pos - static_cast<long long>(inText)));
}

int UnicodeEditor::ByteColumn(int n, int units) const {
    if (Codec().OneUnitPerByte() || n < 0 || n >= editor_.LineCount()) return units;
    const std::string_view text = editor_.LineAt(n).text;
    const engine::CodePage table = editor_.Table();
    long long counted = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t length = engine::CharLength(table, text, at);
        const int width = length == 4 ? 2 : 1;
        // A column between the two halves of a pair is the pair's start.
        if (counted + width > units) return static_cast<int>(at);
        counted += width;
        at += length;
    }
    return ToInt(static_cast<long long>(at) + (units - counted));
}

int UnicodeEditor::ResolveLine(std::intptr_t number) const {
    if (number < 0) return editor_.CurLine();
    if (number >= editor_.LineCount()) return -1;
    return static_cast<int>(number);
}

std::intptr_t UnicodeEditor::Control(std::intptr_t editorId, std::intptr_t command,
                                     std::intptr_t param1, void* param2) {
    if (editorId != unicode_api::CURRENT_EDITOR && editorId != kId) return 0;
    switch (command) {
    case unicode_api::ECTL_GETSTRING:
        return GetString(static_cast<unicode_api::EditorGetString*>(param2));
    case unicode_api::ECTL_SETSTRING:
        return SetString(static_cast<const unicode_api::EditorSetString*>(param2));
    case unicode_api::ECTL_INSERTSTRING: return editor_.Control(::ECTL_INSERTSTRING, param2);
    case unicode_api::ECTL_DELETESTRING: return editor_.Control(::ECTL_DELETESTRING, nullptr);
    case kDeleteChar: return editor_.Control(::ECTL_DELETECHAR, nullptr);
    case unicode_api::ECTL_INSERTTEXT:
        return InsertText(static_cast<const unicode_api::WChar*>(param2));
    case unicode_api::ECTL_GETINFO: return GetInfo(static_cast<unicode_api::EditorInfo*>(param2));
    case unicode_api::ECTL_SETPOSITION:
        return SetPosition(static_cast<const unicode_api::EditorSetPosition*>(param2));
    case unicode_api::ECTL_REDRAW: return editor_.Control(::ECTL_REDRAW, nullptr);
    case unicode_api::ECTL_PROCESSINPUT: return FeedInput(static_cast<const INPUT_RECORD*>(param2));
    case unicode_api::ECTL_UNDOREDO:
        return UndoRedo(static_cast<const unicode_api::EditorUndoRedo*>(param2));
    case unicode_api::ECTL_GETFILENAME:
        return GetFileName(param1, static_cast<unicode_api::WChar*>(param2));
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
    get->StringText = Wide(slot->text.c_str());
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
        !Codec().FromUtf16(std::u16string_view(Units(set->StringText), length), bytes))
        return 0;
    // Only a line without an end-of-line (the last) takes the one given;
    // none given is the document's own.
    std::optional<std::string> eol;
    if (editor_.LineAt(n).eol.empty()) {
        if (set->StringEOL == nullptr) {
            const std::string_view first = editor_.LineAt(0).eol;
            eol = first.empty() ? std::string("\r\n") : std::string(first);
        } else {
            eol = EolBytes(Units(set->StringEOL));
            if (!eol) return 0;
        }
    }
    ::EditorSetString engine{n, bytes.data(), eol ? eol->data() : nullptr,
                             static_cast<int>(bytes.size())};
    return editor_.Control(::ECTL_SETSTRING, &engine);
}

std::intptr_t UnicodeEditor::InsertText(const unicode_api::WChar* text) {
    if (text == nullptr) return 0;
    std::u16string_view units(Units(text));
    std::string bytes;
    if (!Codec().FromUtf16(units, bytes)) return 0;
    // The engine reads the text up to its first zero byte.
    return editor_.Control(::ECTL_INSERTTEXT, bytes.data());
}

std::intptr_t UnicodeEditor::GetInfo(unicode_api::EditorInfo* info) {
    constexpr std::size_t kLeast = offsetof(unicode_api::EditorInfo, WindowArea);
    if (info == nullptr || info->StructSize < kLeast) return 0;
    ::EditorInfo engine{};
    if (editor_.Control(::ECTL_GETINFO, &engine) == 0) return 0;
    unicode_api::EditorInfo out{};
    out.StructSize = info->StructSize;
    out.EditorID = kId;
    out.WindowSizeX = engine.WindowSizeX;
    out.WindowSizeY = engine.WindowSizeY;
    out.TotalLines = engine.TotalLines;
    out.CurLine = engine.CurLine;
    out.CurPos = UnitColumn(engine.CurLine, engine.CurPos);
    out.CurTabPos = engine.CurTabPos;
    out.TopScreenLine = engine.TopScreenLine;
    out.LeftPos = engine.LeftPos;
    out.Overtype = engine.Overtype;
    out.BlockType = engine.BlockType;
    out.BlockStartLine = engine.BlockStartLine;
    // Del and BkSp remove a block in this editor, as in the 3.x editor's default.
    out.Options = engine.Options | EOPT_DELREMOVESBLOCKS;
    out.TabSize = engine.TabSize;
    out.CurState = editor_.Modified() ? std::uintptr_t{unicode_api::ECSTATE_MODIFIED} : 0;
    out.CodePage = Codec().CodePageNumber();
    out.WindowArea = {0, 0, engine.WindowSizeX - 1, engine.WindowSizeY - 1};
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
    const int pos = PositionField(position->CurPos);
    ::EditorSetPosition engine{
        PositionField(position->CurLine),   pos < 0 ? pos : ByteColumn(line, pos),
        PositionField(position->CurTabPos), PositionField(position->TopScreenLine),
        PositionField(position->LeftPos),   PositionField(position->Overtype)};
    return editor_.Control(::ECTL_SETPOSITION, &engine);
}

bool UnicodeEditor::ProcessInput(const INPUT_RECORD& record, bool fedBack) {
    const std::optional<EngineInput> input = ToEngineInput(record, Codec());
    if (!input) return false;
    if (fedBack)
        editor_.ProcessPluginInput(input->record, input->typed);
    else
        editor_.ProcessInput(input->record, input->typed);
    return true;
}

std::intptr_t UnicodeEditor::FeedInput(const INPUT_RECORD* record) {
    if (record == nullptr) return 0;
    // The plug-ins first, a nested call; a plug-in that feeds a key for
    // every key it is offered stops recursing at the guard's depth.
    if (pluginInput_ && feedDepth_ < kMaxFeedDepth) {
        ++feedDepth_;
        std::intptr_t consumed = 0;
        try {
            consumed = pluginInput_(*record);
        } catch (...) {
            --feedDepth_;
            throw;
        }
        --feedDepth_;
        if (consumed != 0) return 1;
    }
    ProcessInput(*record, true);
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
