// The plug-in the host loaded, whichever interface it speaks: one
// implementation per interface (ansi/, unicode/), each of which delivers
// keys, menus and events exactly as its real host does, so that nothing
// above it asks which interface is loaded. Where a caller needs to know
// what a plug-in can do, it asks a question of this interface.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "api/ansi_api.hpp"
#include "engine/editor.hpp"
#include "host/key_input.hpp"
#include "host/language.hpp"
#include "host/ui.hpp"

namespace host {

struct HostOptions {
    std::string rootKey = "Software\\Far\\Plugins";  // the 1.x interface's registry root
    std::string language = "English";
    int moduleNumber = 1;
    // StructSize of the 1.x PluginStartupInfo handed over; a larger value
    // appends zero bytes, a smaller one leaves the services beyond it out.
    int startupInfoSize = kKnownStartupInfoSize;
    // Called with the file of a Unicode plug-in's settings store before the
    // plug-in reads it, so that the host may prepare it.
    std::function<void(const std::string& storeFile)> beforeSettings;
};

// The two menus of a plug-in's entries: the plug-in menu in the editor
// (F11) and the configuration menu.
enum class PluginEntries { Commands, Settings };

// The plug-in's language and help files, found beside the module file.
struct PluginFiles {
    std::string folder;
    std::optional<LanguageFile> messages;
    std::optional<HelpFile> help;
    // Why a language or help file was not found or could not be read, one
    // line each; empty when both were read.
    std::string warnings;
};

// The language and help files of `language` in `folder`, found by the
// interface's own rules (`findLanguage`, `findHelp`); why one was missed
// goes to the warnings.
PluginFiles FindPluginFiles(const std::string& folder, std::string_view language,
                            decltype(&FindLanguageFile) findLanguage,
                            decltype(&FindHelpFile) findHelp);

// What becomes of a key that a plug-in fed back and no plug-in consumed.
using FedBackKey = std::function<void(const ConsoleKey&)>;
// The editor's own action on a key that the plug-in left.
using EditorAction = std::function<void(const ConsoleKey&)>;

class LoadedPlugin {
public:
    virtual ~LoadedPlugin() = default;

    // Whether it takes text in UTF-8 files (the 1.x interface carries one
    // byte a character and cannot).
    virtual bool TakesUtf8Text() const = 0;
    const PluginFiles& Files() const { return files_; }

    // The editor it works in from now on (null: none), the UI it shows its
    // menus and dialogs in, and where a key it feeds back goes when no
    // plug-in consumes it; the host owns all three.
    virtual void SetEditor(engine::Editor* editor) = 0;
    virtual void SetUi(Ui* ui) = 0;
    void SetFedBack(FedBackKey fedBack) { fedBack_ = std::move(fedBack); }

    // Offers a key to the plug-in first, as its real host does; when the
    // plug-in leaves it, `editorAction` runs with the key the editor acts
    // on, where that host lets the editor act (the 1.x host: inside the
    // undo step of the plug-in's changes; the Unicode host: after the
    // call, a step of its own). The plug-in's answer, non-zero when it
    // consumed the key.
    virtual int OfferKey(const KeyInput& input, const EditorAction& editorAction) = 0;
    // The titles of its entries in one of its menus (UTF-8), in its order.
    virtual std::vector<std::string> EntryTitles(PluginEntries menu) = 0;
    // Runs an entry of that menu; the plug-in's answer, 0 when nothing ran
    // (an index out of the list).
    virtual std::intptr_t RunEntry(PluginEntries menu, int index) = 0;
    // Entry `index` of the configuration menu as its host's Configure call
    // passes it: a 1.x plug-in is handed the number as it is and answers
    // one it does not have itself.
    virtual std::intptr_t Configure(int index) { return RunEntry(PluginEntries::Settings, index); }
    // Calls the plug-in as its host's macros do, with one string argument
    // (UTF-8): the plug-in's answer, 0 for none; unset when the interface
    // has no such call (the 1.x interface).
    virtual std::optional<std::intptr_t> CallFromMacro(const std::string& /*argument*/) {
        return std::nullopt;
    }
    // Tells the plug-in that the editor's text is about to be written to
    // `fileName` (UTF-8, the full name).
    virtual void AnnounceSave(const std::string& fileName) = 0;

protected:
    // A key the plug-in fed back and no plug-in consumed, in `editor`: where
    // the host said, else the engine's own keys, as the plug-in's change.
    void FedBack(engine::Editor& editor, const ConsoleKey& key) const;

    PluginFiles files_;

private:
    FedBackKey fedBack_;
};

}  // namespace host
