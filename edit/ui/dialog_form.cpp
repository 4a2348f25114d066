#include "edit/ui/dialog_form.hpp"

#include <algorithm>
#include <cstring>

#include "edit/ui/screen_text.hpp"

namespace edit {
namespace {

// The frame stands three columns in from each side and a row down; the
// items two columns inside it.
constexpr int kFrameLeft = 3, kItemLeft = 5;

}  // namespace

DialogForm::DialogForm(std::u32string title, int width) : width_(std::max(width, 20)) {
    Add(DI_DOUBLEBOX, kFrameLeft, width_ - 1 - kFrameLeft, 0, std::move(title));
    items_[0].Y1 = 1;
}

int DialogForm::Add(int type, int x1, int x2, DWORD flags, std::u32string text) {
    FarDialogItem item{};
    item.Type = type;
    item.X1 = x1;
    item.X2 = x2;
    item.Y1 = item.Y2 = row_;
    item.Flags = flags;
    // Data holds the label in code page 866, one byte a character, for the
    // layout's widths; the runner shows the Unicode text itself.
    const std::string oem = TextToOem(text);
    std::memcpy(item.Data, oem.data(), std::min(oem.size(), sizeof item.Data - 1));
    items_.push_back(item);
    texts_.push_back(std::move(text));
    return static_cast<int>(items_.size()) - 1;
}

int DialogForm::Label(std::u32string text) {
    int item = Add(DI_TEXT, kItemLeft, width_ - 1 - kItemLeft, 0, std::move(text));
    ++row_;
    return item;
}

int DialogForm::Field(std::u32string text, std::string history) {
    // Room for the history's arrow between the field and the frame.
    int item = Add(DI_EDIT, kItemLeft, width_ - 2 - kItemLeft, 0, std::move(text));
    if (!history.empty()) {
        histories_.push_back(std::move(history));
        items_.back().Flags |= DIF_HISTORY;
        items_.back().Param.History = histories_.back().c_str();
    }
    ++row_;
    return item;
}

int DialogForm::Checkbox(std::u32string label, bool on) {
    int item = Add(DI_CHECKBOX, kItemLeft, 0, 0, std::move(label));
    items_.back().Param.Selected = on ? 1 : 0;
    ++row_;
    return item;
}

void DialogForm::Separator() {
    Add(DI_TEXT, kFrameLeft + 1, 0, DIF_SEPARATOR | DIF_BOXCOLOR, {});
    ++row_;
}

int DialogForm::Buttons(const std::vector<std::u32string>& labels) {
    int first = static_cast<int>(items_.size());
    for (const std::u32string& label : labels) Add(DI_BUTTON, 0, 0, DIF_CENTERGROUP, label);
    if (!labels.empty()) items_[static_cast<std::size_t>(first)].DefaultButton = 1;
    ++row_;
    return first;
}

void DialogForm::Focus(int item) {
    for (std::size_t i = 0; i < items_.size(); ++i) items_[i].Focus = static_cast<int>(i) == item ? 1 : 0;
}

host::DialogCall DialogForm::Call(const std::string& helpTopic) {
    // The frame closes below the last row.
    items_[0].Y2 = row_;
    host::DialogCall call;
    call.x1 = call.y1 = -1;
    call.x2 = width_;
    call.y2 = row_ + 2;
    if (!helpTopic.empty()) call.helpTopic = helpTopic;
    call.items = items_.data();
    call.itemCount = static_cast<int>(items_.size());
    return call;
}

}  // namespace edit
