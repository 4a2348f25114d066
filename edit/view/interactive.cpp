#include "edit/view/interactive.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "edit/app/exit_status.hpp"
#include "edit/file/text_file.hpp"
#include "edit/terminal/locale.hpp"
#include "edit/terminal/screen.hpp"
#include "edit/terminal/terminal.hpp"
#include "edit/terminal/terminal_clipboard.hpp"
#include "edit/terminal/terminal_screen.hpp"
#include "edit/ui/ncurses_ui.hpp"
#include "edit/ui/screen_text.hpp"
#include "edit/view/editor_commands.hpp"
#include "edit/view/editor_keys.hpp"
#include "edit/view/editor_view.hpp"
#include "edit/view/plugin_entries.hpp"
#include "edit/view/table_menu.hpp"

namespace edit {
namespace {

// The screen's editor: it draws the text and the boxes, reads the terminal,
// and handles the keys that the plug-in leaves (it is the host's key
// handler): its own commands, and the engine's keys besides them.
class EditorScreen : public host::KeyHandler {
public:
    EditorScreen(Session& session, const std::string& charset)
        : session_(session),
          ui_(session.Host().Help(), HistoryStore(HistoryStore::DefaultFolder())) {
        // The file name is in the locale's character set, as the user typed it.
        name_ = IsUtf8Charset(charset)
                    ? session_.Path()
                    : ToUtf8From(charset, session_.Path()).value_or(session_.Path());
        ui_.Stack().SetBackdrop([this] {
            // A box drawn over the text, or one that closed, leaves cells
            // that the view does not know of.
            const unsigned boxes = ui_.Stack().Changes();
            if (!ui_.Stack().Empty() || boxes != boxesSeen_) view_.Invalidate();
            boxesSeen_ = boxes;
            view_.Draw(session_.Editor(), name_, status_);
        });
        session_.Host().SetUi(&ui_);
        session_.Host().SetKeyHandler(this);
        session_.Editor().SetClipboard(&clipboard_);
    }
    ~EditorScreen() override {
        session_.Editor().SetClipboard(&session_.DefaultClipboard());
        session_.Host().SetKeyHandler(nullptr);
        session_.Host().SetUi(nullptr);
    }

    // The editor's own commands (F2, Esc, F7...) are Commands: they run
    // after the plug-in's call, also when the plug-in fed the key back.
    host::KeyKind KindOf(const INPUT_RECORD& record) const override {
        return CommandOfRecord(record) ? host::KeyKind::Command : engineKeys_.KindOf(record);
    }

    void Handle(const host::ConsoleKey& key, bool fedBack) override {
        const std::optional<Command> command = CommandOfRecord(key.record);
        if (!command) {
            engineKeys_.Handle(key, fedBack);
            return;
        }
        // A key after the one that ended the editor changes nothing.
        if (!exit_) exit_ = Run(*command);
    }

    int Run() {
        // Shown until the first key, so that it is read before anything is typed.
        if (session_.ReadAs() == TableReason::EightBitAlthoughUtf8)
            status_ = U"Valid UTF-8, read in " + TableName() + U": F8/Shift+F8 switch the table";
        for (bool first = true;; first = false) {
            session_.Editor().SetWindowSize(screen::Width(), EditorView::TextRows());
            ui_.Stack().Repaint();
            if (first && !session_.SettingsProblems().empty()) TellAboutSettings();
            // Everything that is waiting is handled before the screen is
            // drawn again, within a bound that keeps the screen alive under
            // a stream of keys.
            const auto until = std::chrono::steady_clock::now() + kInputBatch;
            for (int wait = 250;; wait = 0) {
                TerminalEvent event = screen::Read(wait);
                if (event.kind == TerminalEvent::Kind::None) break;
                if (event.kind == TerminalEvent::Kind::Quit) return Rescue();
                if (auto done = Handle(event)) return *done;
                if (event.kind == TerminalEvent::Kind::Resize) break;
                if (std::chrono::steady_clock::now() >= until) break;
            }
        }
    }

private:
    static constexpr std::chrono::milliseconds kInputBatch{50};

    std::optional<int> Handle(const TerminalEvent& event) {
        switch (event.kind) {
        case TerminalEvent::Kind::Key:
            status_.clear();
            if (event.character != 0 && !CommandOf(event.stroke)) {
                Type(event.stroke, event.character);
                return std::nullopt;
            }
            return Handle(event.stroke);
        case TerminalEvent::Kind::Paste:
            status_.clear();
            Paste(event.text);
            return std::nullopt;
        default: return std::nullopt;
        }
    }

    // A typed character goes in as the file's table holds it; one the table
    // lacks is refused aloud rather than dropped or replaced.
    void Type(const host::KeyStroke& key, char32_t character) {
        engine::Editor& editor = session_.Editor();
        const auto typed = engine::EncodeChar(editor.Table(), character);
        if (!typed) {
            status_ = U"Not typed: \"" + std::u32string(1, character) + U"\" is not in the " +
                      TableName() + U" table";
            screen::Beep();
            return;
        }
        session_.Host().Dispatch(host::KeyDownRecord(key), *typed);
        session_.Host().Dispatch(host::KeyUpRecord(key));
        TellUnkept(session_.Editor().TakeUnkeptCount());
    }

    // A terminal's paste is one block: no character of it goes through the
    // plug-ins, and it is one step for undo.
    void Paste(const std::string& utf8) { TellUnkept(session_.Editor().InsertUtf8Block(utf8)); }

    void TellUnkept(std::size_t count) {
        if (count == 0) return;
        const bool one = count == 1;
        status_ =
            Utf8ToText("Pasted; " + std::to_string(count) + (one ? " character" : " characters")) +
            U" not in the " + TableName() +
            (one ? U" table was left out" : U" table were left out");
        screen::Beep();
    }

    std::u32string TableName() const {
        const std::string_view name = engine::CodePageName(session_.Editor().Table());
        return std::u32string(name.begin(), name.end());
    }

    // Every key goes to the plug-in first, whichever interface it speaks;
    // what it leaves comes back to Handle above. A key that ended the
    // editor has no key-up.
    std::optional<int> Handle(const host::KeyStroke& key) {
        session_.Host().Dispatch(host::KeyDownRecord(key));
        if (exit_) return exit_;
        session_.Host().Dispatch(host::KeyUpRecord(key));
        TellUnkept(session_.Editor().TakeUnkeptCount());
        return exit_;
    }

    // The editor's own command of a key-down record; none for any other.
    static std::optional<Command> CommandOfRecord(const INPUT_RECORD& record) {
        if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) return std::nullopt;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        return CommandOf(host::KeyStroke{key.wVirtualKeyCode, key.dwControlKeyState, 0});
    }

    std::optional<int> Run(Command command) {
        switch (command) {
        case Command::Help: ui_.ShowEditorHelp("Contents"); break;
        case Command::Save: Save(); break;
        case Command::Table: SwitchTable(SwitchedTable(session_.Editor().Table())); break;
        case Command::ChooseTable: ChooseTable(); break;
        case Command::Quit: return Leave();
        case Command::Plugins: PluginMenu(); break;
        case Command::PluginConfig: PluginConfigMenu(); break;
        case Command::Reflow: Reflow(); break;
        case Command::SaveAs: commands_.SaveAs(); break;
        case Command::Search: commands_.Search(); break;
        case Command::SearchNext: commands_.SearchAgain(false); break;
        case Command::SearchOtherWay: commands_.SearchAgain(true); break;
        case Command::Replace: commands_.Replace(); break;
        case Command::GoTo: commands_.GoTo(); break;
        }
        return std::nullopt;
    }

    // A read-only file is saved only when the user says so, as the file
    // manager's editor asks; root, whom permissions do not stop, is asked too.
    bool Save() {
        ReadOnlyFiles readOnly = ReadOnlyFiles::Refuse;
        if (IsReadOnly(session_.Path())) {
            MessageSpec box;
            box.title = U"Warning";
            box.lines = {Utf8ToText(name_), U"The file is read-only.",
                         U"Do you want to save it anyway?"};
            box.buttons = {U"&Save", U"&Cancel"};
            box.warning = true;
            if (ui_.ShowMessage(box) != 0) return false;
            readOnly = ReadOnlyFiles::Override;
        }
        std::string error;
        if (session_.Save(&error, readOnly)) {
            status_ = U"Saved";
            return true;
        }
        MessageSpec box;
        box.title = U"Error";
        box.lines = {U"The file was not saved; the text is still here.", Utf8ToText(error)};
        box.buttons = {U"OK"};
        box.warning = true;
        ui_.ShowMessage(box);
        return false;
    }

    // Leaving asks about unsaved changes: save, discard, or go on editing.
    std::optional<int> Leave() {
        if (!session_.Editor().Modified()) return kExitOk;
        MessageSpec box;
        box.title = U"Editor";
        box.lines = {Utf8ToText(name_), U"has been modified. Save it?"};
        box.buttons = {U"&Save", U"&Don't save", U"&Continue editing"};
        switch (ui_.ShowMessage(box)) {
        case 0:
            if (Save()) return kExitOk;
            return std::nullopt;
        case 1: return session_.SavedOnce() ? kExitOk : kExitDiscarded;
        default: return std::nullopt;
        }
    }

    // A menu of the plug-in's entries in one of its menus; the one chosen,
    // or -1. Without entries `none` is said instead.
    int ChooseEntry(const char32_t* title, host::PluginEntries entries, const char32_t* none) {
        MenuSpec menu;
        menu.title = title;
        menu.autoHotkeys = true;
        for (std::u32string& text : PluginEntryTitles(session_.Host(), entries))
            menu.lines.push_back(MenuLine{std::move(text)});
        if (menu.lines.empty()) {
            Notice(title, none);
            return -1;
        }
        return ui_.ShowMenu(menu);
    }

    // Shift+F8: the table from a list, the current one marked.
    void ChooseTable() {
        if (auto table = TableOfMenuLine(ui_.Menu(TableMenu(session_.Editor().Table())))) {
            SwitchTable(*table);
        }
    }

    // The text read in another table, its bytes unchanged. UTF-8 only with
    // a plug-in that takes it: the 1.x interface carries one byte per character.
    void SwitchTable(engine::CodePage table) {
        const host::LoadedPlugin* plugin = session_.Host().Plugin();
        if (!engine::IsSingleByte(table) && (plugin == nullptr || !plugin->TakesUtf8Text())) {
            status_ =
                U"Not switched: UTF-8 needs the Unicode Marten (open the file without "
                U"--plugins)";
            screen::Beep();
            return;
        }
        session_.Editor().SetTable(table);
    }

    // The settings file had lines that were not taken: which, and why.
    void TellAboutSettings() {
        MessageSpec box;
        box.title = U"Editor settings";
        std::string problems = session_.SettingsProblems();
        for (std::size_t end; (end = problems.find('\n')) != std::string::npos;
             problems.erase(0, end + 1))
            box.lines.push_back(Utf8ToText(problems.substr(0, end)));
        box.lines.push_back(U"Those settings keep their defaults; the file is left as it is.");
        box.buttons = {U"OK"};
        box.warning = true;
        ui_.ShowMessage(box);
    }

    void PluginMenu() {
        const int chosen = ChooseEntry(U"Plugin commands", host::PluginEntries::Commands,
                                       U"No plug-in offers a command in the editor.");
        if (chosen >= 0) RunPluginEntry(session_.Host(), host::PluginEntries::Commands, chosen);
    }

    void PluginConfigMenu() {
        const int chosen = ChooseEntry(U"Plugins configuration", host::PluginEntries::Settings,
                                       U"No plug-in can be configured.");
        if (chosen >= 0) RunPluginEntry(session_.Host(), host::PluginEntries::Settings, chosen);
    }

    // Alt+B reaches the view only when the plug-in takes no macro calls:
    // the host makes the call "Reflow" itself for one that does.
    void Reflow() {
        status_ = U"Not reflowed: the 1.x Marten has no reflow command (the Unicode one has)";
        screen::Beep();
    }

    void Notice(std::u32string title, std::u32string line) {
        MessageSpec box;
        box.title = std::move(title);
        box.lines = {std::move(line)};
        box.buttons = {U"OK"};
        ui_.ShowMessage(box);
    }

    // A terminating signal: unsaved text goes to a file beside the original.
    int Rescue() {
        if (!session_.Editor().Modified()) return kExitOk;
        // Beside the file, else in the temporary folder when that one is closed.
        const std::string& path = session_.Path();
        auto slash = path.find_last_of('/');
        const char* tmp = std::getenv("TMPDIR");
        std::string fallback = std::string(tmp && *tmp ? tmp : "/tmp") + "/" +
                               (slash == std::string::npos ? path : path.substr(slash + 1)) +
                               ".unsaved";
        std::string bytes = session_.Editor().Bytes();
        for (const std::string& place : {path + ".unsaved", fallback}) {
            std::string error;
            if (SaveWholeFile(place, bytes, &error)) {
                rescuedTo_ = place;
                rescueError_.clear();
                break;
            }
            rescueError_ = error;
        }
        return kExitFailure;
    }

public:
    // Where a terminating signal left the unsaved text, or why it could not.
    const std::string& RescuedTo() const { return rescuedTo_; }
    const std::string& RescueError() const { return rescueError_; }

private:
    std::string rescuedTo_, rescueError_;
    Session& session_;
    std::string name_;  // the file's name in UTF-8
    NcursesUi ui_;
    TerminalClipboard clipboard_;
    EditorView view_;
    unsigned boxesSeen_ = 0;
    std::u32string status_;
    host::EngineKeys engineKeys_{&session_.Editor()};
    std::optional<int> exit_;  // the exit status once a command ended the editor
    EditorCommands commands_{session_, ui_, name_, status_};
};

}  // namespace

EditorOutcome RunEditor(Session& session, const std::string& charset) {
    EditorScreen screen(session, charset);
    EditorOutcome outcome;
    outcome.status = screen.Run();
    outcome.rescuedTo = screen.RescuedTo();
    outcome.rescueError = screen.RescueError();
    return outcome;
}

int RunInteractive(Session& session) {
    EditorOutcome outcome;
    {
        Terminal terminal;
        if (!terminal.Started()) {
            std::fprintf(stderr, "marten-edit: %s\n", terminal.Problem().c_str());
            return kExitFailure;
        }
        TerminalScreen screen;
        screen::UseScreen use(screen);
        outcome = RunEditor(session, terminal.Charset());
    }
    if (!outcome.rescuedTo.empty()) {
        std::fprintf(stderr, "marten-edit: interrupted; the unsaved text is in %s\n",
                     outcome.rescuedTo.c_str());
    } else if (!outcome.rescueError.empty()) {
        std::fprintf(stderr, "marten-edit: interrupted; the unsaved text was lost: %s\n",
                     outcome.rescueError.c_str());
    }
    return outcome.status;
}

}  // namespace edit
