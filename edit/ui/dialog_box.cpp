#include "edit/ui/dialog_box.hpp"

#include <algorithm>
#include <cstring>
#include <map>

#include "edit/terminal/screen.hpp"
#include "edit/ui/dialog_layout.hpp"
#include "edit/ui/edit_line.hpp"
#include "edit/ui/screen_text.hpp"
#include "host/key_input.hpp"

namespace edit {
namespace {

using screen::Paint;

bool IsEdit(const FarDialogItem& item) {
    return item.Type == DI_EDIT || item.Type == DI_PSWEDIT || item.Type == DI_FIXEDIT;
}

std::string DataOf(const FarDialogItem& item) {
    return std::string(item.Data, strnlen(item.Data, sizeof item.Data));
}

bool HasHistory(const FarDialogItem& item) {
    return item.Type == DI_EDIT && (item.Flags & DIF_HISTORY) && item.Param.History != nullptr &&
           *item.Param.History != '\0';
}

// A label with its hot key, painted from `x`; returns the cells used.
int PutLabel(int y, int x, int room, const HotkeyLabel& label, Paint base, Paint hot) {
    int n = std::min(static_cast<int>(label.text.size()), std::max(room, 0));
    for (int i = 0; i < n; ++i) {
        screen::Put(y, x + i, label.text[static_cast<std::size_t>(i)],
                    i == label.hotkey ? hot : base);
    }
    return n;
}

class DialogRunner {
public:
    // `unicode` null: the module's dialog, its texts in the items' Data in
    // code page 866; else marten-edit's own, one Unicode text per item.
    DialogRunner(ModalStack& stack, host::DialogCall& call, const HelpHandler& help,
                 const HistoryStore& histories, std::vector<std::u32string>* unicode,
                 const std::vector<std::size_t>& maxLengths = {})
        : stack_(stack),
          call_(call),
          help_(help),
          histories_(histories),
          items_(call.items),
          count_(call.itemCount),
          unicode_(unicode) {
        for (int i = 0; i < count_; ++i) {
            const auto at = static_cast<std::size_t>(i);
            texts_.push_back(unicode_ ? unicode_->at(at) : OemToText(DataOf(items_[i])));
            if (!IsEdit(items_[i])) continue;
            std::size_t limit = unicode_ ? kTextFieldLength : sizeof items_[i].Data - 1;
            if (at < maxLengths.size() && maxLengths[at] > 0) limit = maxLengths[at];
            if (items_[i].Type == DI_FIXEDIT) {
                limit = static_cast<std::size_t>(std::max(items_[i].X2 - items_[i].X1 + 1, 1));
            }
            edits_.emplace(i, EditLine(texts_.back(), limit));
        }
        focus_ = InitialFocus(items_, count_);
    }

    int Run() {
        return Close(stack_.Run([this] { Draw(); },
                                [this](const host::KeyStroke& key) { return Handle(key); }));
    }

private:
    // A closing answer, or nothing to go on.
    std::optional<int> Handle(const host::KeyStroke& key) {
        bool ctrl = key.controlState & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED);
        bool alt = key.controlState & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED);
        bool shift = key.controlState & SHIFT_PRESSED;
        FarDialogItem* item = focus_ >= 0 ? &items_[focus_] : nullptr;
        switch (key.virtualKey) {
        case VK_ESCAPE: return -1;
        case VK_F1:
            if (call_.helpTopic && help_) help_(*call_.helpTopic);
            return std::nullopt;
        case VK_TAB: Move(shift ? -1 : 1); return std::nullopt;
        case VK_RETURN: {
            if (item && item->Type == DI_BUTTON && !ctrl) return focus_;
            int def = DefaultItem(items_, count_);
            return def >= 0 ? def : focus_;
        }
        case VK_UP:
        case VK_DOWN:
            if (item && HasHistory(*item) && (ctrl || alt) && key.virtualKey == VK_DOWN) {
                PickHistory();
                return std::nullopt;
            }
            Move(key.virtualKey == VK_UP ? -1 : 1);
            return std::nullopt;
        default: break;
        }
        if (item && IsEdit(*item)) {
            const char32_t typed = unicode_ ? stack_.LastCharacter() : 0;
            if (edits_.at(focus_).Apply(key, typed)) return std::nullopt;
        } else if (item && (key.virtualKey == VK_LEFT || key.virtualKey == VK_RIGHT)) {
            Move(key.virtualKey == VK_LEFT ? -1 : 1);
            return std::nullopt;
        }
        // Space presses and a character picks an item by its hot key when
        // they are typed (AltGr types); Alt with a character picks one too.
        const bool typed = !host::CommandModifiers(key.controlState);
        if (item && key.oemChar == ' ' && typed) return Press(focus_);
        if (alt && !typed && key.oemChar > ' ') return Hotkey(key.oemChar);
        if (item && !IsEdit(*item) && key.oemChar > ' ' && typed) return Hotkey(key.oemChar);
        return std::nullopt;
    }

    void Move(int step) {
        if (focus_ >= 0) focus_ = NextFocus(items_, count_, focus_, step);
    }

    // Space on a checkbox, radio button or button.
    std::optional<int> Press(int index) {
        FarDialogItem& item = items_[index];
        switch (item.Type) {
        case DI_CHECKBOX: item.Param.Selected = item.Param.Selected ? 0 : 1; break;
        case DI_RADIOBUTTON:
            for (int k : RadioGroup(items_, count_, index)) items_[k].Param.Selected = 0;
            item.Param.Selected = 1;
            break;
        case DI_BUTTON: return index;
        default: break;
        }
        return std::nullopt;
    }

    // The item whose '&' letter was typed: focus it (a label passes the
    // focus to the item after it) and act as Space would.
    std::optional<int> Hotkey(unsigned char oem) {
        char32_t typed = FoldCase(OemToText(std::string(1, static_cast<char>(oem)))[0]);
        for (int i = 0; i < count_; ++i) {
            if (IsEdit(items_[i])) continue;
            HotkeyLabel label = ParseHotkey(texts_[static_cast<std::size_t>(i)]);
            if (label.hotkey < 0 ||
                FoldCase(label.text[static_cast<std::size_t>(label.hotkey)]) != typed)
                continue;
            int target = IsFocusable(items_[i]) ? i : NextFocus(items_, count_, i, 1);
            if (target < 0 || !IsFocusable(items_[target])) return std::nullopt;
            focus_ = target;
            if (IsEdit(items_[target])) return std::nullopt;
            return Press(target);
        }
        return std::nullopt;
    }

    void PickHistory() {
        std::string name = items_[focus_].Param.History;
        std::vector<std::string> entries = histories_.Load(name);
        if (entries.empty()) {
            screen::Beep();
            return;
        }
        MenuSpec menu;
        menu.title = U"History";
        for (const std::string& e : entries) menu.lines.push_back(MenuLine{Decode(e), false, 0});
        menu.showAmpersand = true;
        int chosen = RunMenu(stack_, menu, help_);
        if (chosen >= 0)
            edits_.at(focus_).SetText(Decode(entries[static_cast<std::size_t>(chosen)]));
    }

    // History entries are kept as the dialog's texts are: in code page 866
    // for the module, in UTF-8 for marten-edit.
    std::u32string Decode(std::string_view entry) const {
        return unicode_ ? Utf8ToText(entry) : OemToText(entry);
    }
    std::string Encode(std::u32string_view text) const {
        return unicode_ ? TextToUtf8(text) : TextToOem(text);
    }

    int Close(int answer) {
        for (auto& [index, line] : edits_) {
            if (unicode_) {
                unicode_->at(static_cast<std::size_t>(index)) = line.Text();
                continue;
            }
            std::string text = TextToOem(line.Text());
            std::memset(items_[index].Data, 0, sizeof items_[index].Data);
            std::memcpy(items_[index].Data, text.data(),
                        std::min(text.size(), sizeof items_[index].Data - 1));
        }
        for (int i = 0; i < count_; ++i) items_[i].Focus = i == focus_ ? 1 : 0;
        int def = DefaultItem(items_, count_);
        bool confirmed = answer >= 0 && (def < 0 || answer == def);
        if (confirmed) {
            for (auto& [index, line] : edits_) {
                if (!HasHistory(items_[index])) continue;
                histories_.Add(items_[index].Param.History, Encode(line.Text()), nullptr);
            }
        }
        return answer;
    }

    void Draw() {
        DialogRect r =
            PlaceDialog(call_.x1, call_.y1, call_.x2, call_.y2, screen::Width(), screen::Height());
        for (int y = 0; y < r.height; ++y)
            screen::Fill(r.y + y, r.x, r.width, U' ', Paint::DialogText);
        screen::Shadow(r.x, r.y, r.x + r.width - 1, r.y + r.height - 1);
        std::vector<int> columns = ItemColumns(items_, count_, r.width);
        int cursorY = -1, cursorX = -1;
        for (int i = 0; i < count_; ++i) {
            const FarDialogItem& item = items_[i];
            int x = r.x + columns[static_cast<std::size_t>(i)], y = r.y + item.Y1;
            int right = r.x + r.width - 1;
            bool focused = i == focus_;
            HotkeyLabel label = ParseHotkey(texts_[static_cast<std::size_t>(i)]);
            switch (item.Type) {
            case DI_SINGLEBOX:
            case DI_DOUBLEBOX: {
                int x2 = r.x + item.X2, y2 = r.y + item.Y2;
                DrawFrame(x, y, x2, y2, item.Type == DI_DOUBLEBOX);
                if (!label.text.empty()) {
                    std::u32string title = U" " + label.text + U" ";
                    int room = x2 - x - 1;
                    if (static_cast<int>(title.size()) > room)
                        title.resize(static_cast<std::size_t>(std::max(room, 0)));
                    screen::Put(y, x + 1 + (room - static_cast<int>(title.size())) / 2, title,
                                Paint::DialogText);
                }
                break;
            }
            case DI_TEXT:
                if (item.Flags & DIF_SEPARATOR) {
                    // Across the dialog's frame, which stands 3 columns in.
                    int x1 = r.x + 3, x2 = r.x + r.width - 4;
                    screen::Put(y, x1, U'╟', Paint::DialogText);
                    screen::Fill(y, x1 + 1, x2 - x1 - 1, U'─', Paint::DialogText);
                    screen::Put(y, x2, U'╢', Paint::DialogText);
                    if (!label.text.empty()) {
                        std::u32string t = U" " + label.text + U" ";
                        screen::Put(y, x1 + (x2 - x1 + 1 - static_cast<int>(t.size())) / 2, t,
                                    Paint::DialogText);
                    }
                } else {
                    if (item.X1 < 0) x = r.x + (r.width - static_cast<int>(label.text.size())) / 2;
                    PutLabel(y, x, right - x, label, Paint::DialogText, Paint::DialogHotkey);
                }
                break;
            case DI_VTEXT:
                for (std::size_t k = 0; k < label.text.size(); ++k) {
                    screen::Put(y + static_cast<int>(k), x, label.text[k], Paint::DialogText);
                }
                break;
            case DI_CHECKBOX:
            case DI_RADIOBUTTON: {
                bool on = item.Param.Selected != 0;
                std::u32string mark =
                    item.Type == DI_CHECKBOX ? (on ? U"[x] " : U"[ ] ") : (on ? U"(•) " : U"( ) ");
                Paint base = focused ? Paint::DialogFocus : Paint::DialogText;
                screen::Put(y, x, mark, base);
                PutLabel(y, x + 4, right - x - 4, label, base, Paint::DialogHotkey);
                if (focused) cursorY = y, cursorX = x + 1;
                break;
            }
            case DI_BUTTON: {
                bool isDefault = item.DefaultButton != 0;
                Paint base = focused ? Paint::DialogFocus : Paint::DialogText;
                screen::Put(y, x, isDefault ? U"{ " : U"[ ", base);
                int n = PutLabel(y, x + 2, right - x - 2, label, base,
                                 focused ? base : Paint::DialogHotkey);
                screen::Put(y, x + 2 + n, isDefault ? U" }" : U" ]", base);
                if (focused) cursorY = y, cursorX = x + 2;
                break;
            }
            case DI_EDIT:
            case DI_PSWEDIT:
            case DI_FIXEDIT: {
                EditLine& line = edits_.at(i);
                int width = ItemWidth(item);
                int first = line.FirstShown(width);
                const std::u32string& text = line.Text();
                screen::Fill(y, x, width, U' ', Paint::DialogEdit);
                for (int k = 0; k < width && first + k < static_cast<int>(text.size()); ++k) {
                    char32_t ch =
                        item.Type == DI_PSWEDIT ? U'*' : text[static_cast<std::size_t>(first + k)];
                    screen::Put(y, x + k, ch, Paint::DialogEdit);
                }
                if (HasHistory(item)) screen::Put(y, x + width, U'↓', Paint::DialogText);
                if (focused) cursorY = y, cursorX = x + line.Cursor() - first;
                break;
            }
            default: break;
            }
        }
        bool editFocused = focus_ >= 0 && IsEdit(items_[focus_]);
        screen::Cursor(cursorY, cursorX, editFocused && cursorY >= 0);
    }

    static void DrawFrame(int x1, int y1, int x2, int y2, bool doubleLine) {
        const char32_t* g = doubleLine ? U"╔╗╚╝═║" : U"┌┐└┘─│";
        screen::Fill(y1, x1 + 1, x2 - x1 - 1, g[4], Paint::DialogText);
        screen::Fill(y2, x1 + 1, x2 - x1 - 1, g[4], Paint::DialogText);
        for (int y = y1 + 1; y < y2; ++y) {
            screen::Put(y, x1, g[5], Paint::DialogText);
            screen::Put(y, x2, g[5], Paint::DialogText);
        }
        screen::Put(y1, x1, g[0], Paint::DialogText);
        screen::Put(y1, x2, g[1], Paint::DialogText);
        screen::Put(y2, x1, g[2], Paint::DialogText);
        screen::Put(y2, x2, g[3], Paint::DialogText);
    }

    ModalStack& stack_;
    host::DialogCall& call_;
    const HelpHandler& help_;
    const HistoryStore& histories_;
    FarDialogItem* items_;
    int count_;
    std::vector<std::u32string>* unicode_;
    std::vector<std::u32string> texts_;  // each item's text as it was handed in
    std::map<int, EditLine> edits_;
    int focus_ = -1;
};

}  // namespace

int RunDialog(ModalStack& stack, host::DialogCall& call, const HelpHandler& help,
              const HistoryStore& histories) {
    if (call.items == nullptr || call.itemCount <= 0) return -1;
    return DialogRunner(stack, call, help, histories, nullptr).Run();
}

int RunTextDialog(ModalStack& stack, host::DialogCall& call, std::vector<std::u32string>& texts,
                  const HelpHandler& help, const HistoryStore& histories,
                  const std::vector<std::size_t>& maxLengths) {
    if (call.items == nullptr || call.itemCount <= 0) return -1;
    texts.resize(static_cast<std::size_t>(call.itemCount));
    return DialogRunner(stack, call, help, histories, &texts, maxLengths).Run();
}

}  // namespace edit
