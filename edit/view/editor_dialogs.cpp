#include "edit/view/editor_dialogs.hpp"

#include "edit/ui/editor_help.hpp"

namespace edit {
namespace {

// The search and replace dialogs are as wide as the file manager's.
constexpr int kSearchWidth = 76;
constexpr int kGoToWidth = 40;

std::u32string Quoted(const std::u32string& text) { return U"\"" + text + U"\""; }

}  // namespace

bool AskSearch(NcursesUi& ui, SearchRequest& request, bool replace) {
    DialogForm form(replace ? U"Replace" : U"Search", kSearchWidth);
    form.Label(U"Search for");
    const int query = form.Field(request.query, HistoryOf(EditorDialog::Search));
    int replacement = -1;
    if (replace) {
        form.Label(U"Replace with");
        replacement = form.Field(request.replacement, kReplacementHistory);
    }
    form.Separator();
    const int matchCase = form.Checkbox(U"&Case sensitive", request.matchCase);
    const int wholeWords = form.Checkbox(U"&Whole words", request.wholeWords);
    const int reverse = form.Checkbox(U"Re&verse search", request.reverse);
    form.Separator();
    const int confirm = form.Buttons({replace ? U"&Replace" : U"&Search", U"Ca&ncel"});
    form.Focus(query);
    if (ui.RunForm(form, HelpTopicOf(replace ? EditorDialog::Replace : EditorDialog::Search)) != confirm) return false;
    request.query = form.Text(query);
    if (replace) request.replacement = form.Text(replacement);
    request.matchCase = form.Checked(matchCase);
    request.wholeWords = form.Checked(wholeWords);
    request.reverse = form.Checked(reverse);
    return true;
}

ReplaceChoice AskReplace(NcursesUi& ui, const SearchRequest& request, int matchRow) {
    MessageSpec box;
    box.title = U"Replace";
    box.lines = {U"Replace", Quoted(request.query), U"with", Quoted(request.replacement)};
    box.buttons = {U"&Replace", U"&All", U"&Skip", U"&Cancel"};
    box.avoidRow = matchRow;
    switch (ui.ShowMessage(box)) {
    case 0: return ReplaceChoice::Replace;
    case 1: return ReplaceChoice::All;
    case 2: return ReplaceChoice::Skip;
    default: return ReplaceChoice::Cancel;
    }
}

std::optional<std::u32string> AskPosition(NcursesUi& ui) {
    DialogForm form(U"Go to", kGoToWidth);
    form.Label(U"Line or line:column");
    const int field = form.Field({}, HistoryOf(EditorDialog::GoTo));
    // No buttons: Enter goes, Esc does not.
    if (ui.RunForm(form, HelpTopicOf(EditorDialog::GoTo)) < 0) return std::nullopt;
    return form.Text(field);
}

std::optional<std::u32string> AskFileName(NcursesUi& ui, const std::u32string& current) {
    DialogForm form(U"Save file as", kSearchWidth);
    form.Label(U"Name of the file");
    const int field = form.Field(current, HistoryOf(EditorDialog::SaveAs));
    form.Separator();
    const int confirm = form.Buttons({U"&Save", U"Ca&ncel"});
    form.Focus(field);
    if (ui.RunForm(form, HelpTopicOf(EditorDialog::SaveAs)) != confirm) return std::nullopt;
    return form.Text(field);
}

bool AskOverwrite(NcursesUi& ui, const std::u32string& name) {
    MessageSpec box{U"Save file as", {name, U"already exists. Do you want to replace it?"},
                    {U"&Replace", U"&Cancel"}, true};
    return ui.ShowMessage(box) == 0;
}

bool AskSaveReadOnly(NcursesUi& ui, const std::u32string& name) {
    MessageSpec box{U"Warning", {name, U"The file is read-only.", U"Do you want to save it anyway?"},
                    {U"&Save", U"&Cancel"}, true};
    return ui.ShowMessage(box) == 0;
}

void Tell(NcursesUi& ui, std::u32string title, std::vector<std::u32string> lines, bool warning) {
    MessageSpec box;
    box.title = std::move(title);
    box.lines = std::move(lines);
    box.buttons = {U"OK"};
    box.warning = warning;
    ui.ShowMessage(box);
}

}  // namespace edit
