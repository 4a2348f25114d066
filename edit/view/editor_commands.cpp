#include "edit/view/editor_commands.hpp"

#include <climits>
#include <cuchar>
#include <filesystem>

#include "edit/file/text_file.hpp"
#include "edit/ui/screen_text.hpp"
#include "edit/view/editor_dialogs.hpp"

namespace edit {
namespace {

// A name typed in the dialog as the file system takes it: in the
// terminal's character set (the locale's); none when that set lacks one of
// its characters.
std::optional<std::string> LocalName(std::u32string_view text) {
    std::string name;
    std::mbstate_t state{};
    char bytes[MB_LEN_MAX];
    for (char32_t ch : text) {
        const std::size_t length = std::c32rtomb(bytes, ch, &state);
        if (length == static_cast<std::size_t>(-1)) return std::nullopt;
        name.append(bytes, length);
    }
    return name;
}

// True when both names lead to one file, or would once it is written.
bool SameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    return fs::absolute(a, ec).lexically_normal() == fs::absolute(b, ec).lexically_normal();
}

}  // namespace

EditorCommands::EditorCommands(Session& session, NcursesUi& ui, std::string& name,
                               std::u32string& status)
    : session_(session), ui_(ui), name_(name), status_(status) {}

void EditorCommands::Search() { AskAndFind(false); }
void EditorCommands::Replace() { AskAndFind(true); }

void EditorCommands::AskAndFind(bool replace) {
    // The dialog starts from the last request's texts and choices.
    SearchRequest request = last_.value_or(SearchRequest{});
    if (!AskSearch(ui_, request, replace)) return;
    request.replace = replace;
    last_ = request;
    Continue(false, false);
}

void EditorCommands::SearchAgain(bool otherWay) {
    if (!last_) {
        Search();
        return;
    }
    Continue(true, otherWay);
}

void EditorCommands::Continue(bool next, bool otherWay) {
    const SearchRequest& request = *last_;
    if (request.query.empty()) return;
    const std::optional<std::string> query = InTable(request.query, U"the text to find");
    if (!query) return;
    engine::Editor& editor = session_.Editor();
    // A search never finds the match the cursor stands on: F7 starts after
    // it, as Shift+F7 does; the replace loop looks at the cursor first.
    const engine::SearchOptions options = OptionsOf(request, next || !request.replace, otherWay);
    if (!request.replace) {
        if (!editor.Find(*query, options)) Tell(ui_, U"Search", NotFoundLines(request.query));
        return;
    }
    const std::optional<std::string> replacement = InTable(request.replacement, U"the replacement");
    if (!replacement) return;
    const ReplaceOutcome outcome = ReplaceMatches(editor, *query, *replacement, options, [&] {
        return AskReplace(ui_, request, CursorRow());
    });
    if (outcome.found == 0) {
        Tell(ui_, U"Replace", NotFoundLines(request.query));
    } else if (outcome.replaced > 0 && !outcome.cancelled) {
        Tell(ui_, U"Replace", {ReplacedLine(outcome.replaced)});
    }
}

std::optional<std::string> EditorCommands::InTable(const std::u32string& text,
                                                   const std::u32string& what) {
    std::u32string missing;
    const engine::CodePage table = session_.Editor().Table();
    std::optional<std::string> bytes = TextInTable(table, text, &missing);
    if (!bytes)
        Tell(ui_, last_->replace ? U"Replace" : U"Search", NotInTableLines(what, missing, table),
             true);
    return bytes;
}

int EditorCommands::CursorRow() const {
    const engine::Editor& editor = session_.Editor();
    return 1 + editor.CurLine() - editor.TopLine();
}

void EditorCommands::GoTo() {
    const std::optional<std::u32string> typed = AskPosition(ui_);
    if (!typed || typed->find_first_not_of(U" \t") == std::u32string::npos) return;
    const std::optional<engine::TypedPosition> target =
        ParseGoTo(*typed, session_.Editor().TypedCursor().line);
    if (!target) {
        Tell(ui_, U"Go to", NotAPositionLines(*typed), true);
        return;
    }
    JumpTo(session_.Editor(), *target);
}

void EditorCommands::SaveAs() {
    const std::u32string current = Utf8ToText(name_);
    const std::optional<std::u32string> typed = AskFileName(ui_, current);
    if (!typed) return;
    if (typed->empty()) {
        Tell(ui_, U"Save file as", {U"No file name was given: the text was not saved."}, true);
        return;
    }
    // The name as it was given keeps its bytes, whatever the terminal shows.
    const std::optional<std::string> path = *typed == current ? session_.Path() : LocalName(*typed);
    if (!path) {
        Tell(ui_, U"Save file as",
             {U"\"" + *typed + U"\"", U"cannot be a file name in this terminal's character set."},
             true);
        return;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(*path, ec)) {
        Tell(ui_, U"Save file as", {*typed, U"is a folder: give the name of a file in it."}, true);
        return;
    }
    const bool exists = std::filesystem::exists(*path, ec);
    if (exists && !SameFile(*path, session_.Path()) && !AskOverwrite(ui_, *typed)) return;
    ReadOnlyFiles readOnly = ReadOnlyFiles::Refuse;
    if (IsReadOnly(*path)) {
        if (!AskSaveReadOnly(ui_, *typed)) return;
        readOnly = ReadOnlyFiles::Override;
    }
    std::string error;
    if (!session_.SaveAs(*path, &error, readOnly)) {
        Tell(ui_, U"Error", {U"The file was not saved; the text is still here.", Utf8ToText(error)},
             true);
        return;
    }
    // The same name keeps its bytes, which a name in another set may not show.
    if (*typed != current) name_ = TextToUtf8(*typed);
    status_ = U"Saved";
}

}  // namespace edit
