#include "edit/app/session.hpp"

#include <filesystem>

#include "edit/app/command_line.hpp"
#include "edit/app/editor_settings.hpp"
#include "edit/app/settings_switch.hpp"
#include "edit/file/table_guess.hpp"
#include "edit/file/text_file.hpp"
#include "edit/file/utf8_text.hpp"
#include "edit/ui/history_store.hpp"
#include "winapi/registry_file.hpp"

namespace edit {
namespace {

// The module sees the full name, as the file manager passes it.
std::string FullName(const std::string& path) {
    std::error_code ec;
    std::string fullName = std::filesystem::absolute(path, ec).lexically_normal().string();
    return ec ? path : fullName;
}

}  // namespace

std::string Utf8Refusal(const std::string& path, TableReason reason, std::string_view bytes,
                        engine::CodePage preferred, const std::string& folder) {
    const std::string_view text = HasUtf8Mark(bytes) ? bytes.substr(kUtf8Mark.size()) : bytes;
    const char* const why = reason == TableReason::Named ? " is named UTF-8 by --codepage"
                            : reason == TableReason::ByteOrderMark
                                ? " begins with a UTF-8 byte-order mark"
                                : " reads as UTF-8 text";
    return path + why + ": it is not opened with the 1.x Marten in " + folder +
           ", whose interface carries one byte per character and would mangle UTF-8 text. Open "
           "it with the Unicode build (--plugins naming its MartenW folder, or no --plugins)." +
           (text.empty() ? "" : " Or: " + Utf8Advice(TableForUtf8(text, preferred)));
}

Session::Session() = default;

Session::~Session() {
    // The module may still hold pointers into the editor: unload it first.
    if (host_) host_->SetEditor(nullptr);
    host_.reset();
    editor_.reset();
}

bool Session::Open(const CommandLine& options, const std::string& pluginFolder, std::string* error,
                   std::optional<engine::CodePage> localeTable) {
    path_ = options.file;
    FileContents contents = ReadWholeFile(path_);
    if (contents.state == FileContents::State::Failed) {
        *error = contents.error;
        return false;
    }
    newFile_ = contents.state == FileContents::State::Missing;

    // The settings come first: they name the FTN readers' reply files.
    engine::EditorOptions editorOptions;
    editorOptions.autoIndent = options.autoIndent;
    FileSettings files;
    LoadEditorSettings(EditorSettingsPath(), editorOptions, files, &settingsProblems_);
    const TableGuess guess = GuessTable({.bytes = contents.bytes,
                                         .path = path_,
                                         .named = options.codePage,
                                         .locale = localeTable,
                                         .ftnFiles = files.ftnFiles});
    const bool marked = guess.reason == TableReason::ByteOrderMark;
    if (marked) contents.bytes.erase(0, kUtf8Mark.size());
    editor_ = std::make_unique<engine::Editor>(FullName(path_), std::move(contents.bytes),
                                               guess.table, editorOptions);
    editor_->SetClipboard(&clipboard_);

    if (options.start && !PlaceStart(*editor_, *options.start, error)) return false;

    host::HostOptions hostOptions;
    hostOptions.language = options.language;
    // The Unicode build takes over the 1.x build's settings once.
    hostOptions.beforeSettings = [this](const std::string& storeFile) {
        std::string why;
        SwitchToTheUnicodeBuild(
            {winreg::RegistryFilePath(), storeFile, HistoryStore::DefaultFolder()}, &why);
        if (!why.empty()) settingsProblems_ += why + "\n";
    };
    host_ = std::make_unique<host::Host>(hostOptions);
    const std::string modulePath = MartenModuleIn(pluginFolder, [](const std::string& file) {
        std::error_code ec;
        return std::filesystem::is_regular_file(file, ec);
    });
    std::string why;
    if (!host_->LoadModule(modulePath, &why)) {
        *error = "cannot load the Marten plug-in from " + modulePath + ": " + why;
        return false;
    }
    readAs_ = guess.reason;
    if (guess.table == engine::CodePage::Utf8 && !host_->Plugin()->TakesUtf8Text()) {
        // Nothing beyond ASCII reads the same in the 8-bit table.
        if (guess.reason != TableReason::AsciiByLocale) {
            // The advice reads the text, made again only on this rare path.
            const engine::CodePage preferred =
                options.codePage && engine::IsSingleByte(*options.codePage)
                    ? *options.codePage
                    : EightBitTable(localeTable);
            *error = Utf8Refusal(path_, guess.reason, editor_->Bytes(), preferred, pluginFolder);
            return false;
        }
        editor_->SetTable(EightBitTable(localeTable));
    }
    utf8Mark_ = marked;
    host_->SetEditor(editor_.get());
    return true;
}

bool Session::Save(std::string* error, ReadOnlyFiles readOnly) {
    return Write(path_, error, readOnly);
}

bool Session::SaveAs(const std::string& path, std::string* error, ReadOnlyFiles readOnly) {
    if (!Write(path, error, readOnly)) return false;
    path_ = path;
    editor_->SetFileName(FullName(path));
    return true;
}

bool Session::Write(const std::string& path, std::string* error, ReadOnlyFiles readOnly) {
    // Piece by piece, so that no copy of the whole document is made.
    // The plug-ins learn of the save first, as in the file manager.
    host_->AnnounceSave(FullName(path));
    const engine::Editor& editor = *editor_;
    const bool mark = utf8Mark_;
    auto pieces = [&editor, mark](const ByteSink& write) {
        return (!mark || write(kUtf8Mark)) && editor.WriteTo(write);
    };
    if (!SaveWholeFile(path, pieces, error, readOnly)) return false;
    editor_->MarkSaved();
    newFile_ = false;
    savedOnce_ = true;
    return true;
}

bool PlaceStart(engine::Editor& editor, const StartPosition& start, std::string* error) {
    int last = editor.LineCount() - 1;
    if (start.end) {
        editor.SetCursor(last, static_cast<int>(editor.LineAt(last).text.size()));
        return true;
    }
    if (start.line > engine::LineNumber(last + 1) && !start.clampLine) {
        *error = "line " + std::to_string(start.line.Value()) + " is beyond the end of the file (" +
                 std::to_string(last + 1) + (last == 0 ? " line)" : " lines)");
        return false;
    }
    editor.GoTo({start.line, start.column});
    return true;
}

}  // namespace edit
