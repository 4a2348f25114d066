// The editor as a plug-in of the Unicode interface sees it: EditorControl
// with an editor id, lines in UTF-16, undo brackets. It works over the
// engine's public interface only: the engine keeps the file's own bytes, and
// each line is converted by the file's code page where it crosses this
// boundary, so that a line costs its conversion only when a plug-in asks
// for it or sets it.
//
// Lifetime of the texts handed out: a line got with ECTL_GETSTRING stays
// valid until the plug-in call in which it was got returns to the host,
// even past changes of the text (the interface promises only until the
// next change). The host brackets every call into the plug-in with
// EnterPlugin and LeavePlugin, which frees them and closes the undo
// brackets the plug-in left open.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "api/unicode_api.hpp"
#include "engine/editor.hpp"
#include "engine/text16.hpp"
#include "host/feed_back.hpp"
#include "host/key_input.hpp"
#include "host/plugin.hpp"

namespace host {

// The Unicode form of a record in the engine's form (the character in
// UnicodeChar, as a Unicode plug-in receives it).
INPUT_RECORD ToUnicodeInput(const INPUT_RECORD& record, std::optional<engine::TableChar> typed,
                            const engine::LineCodec& codec);
// The engine's form of a Unicode record; nothing when it types a character
// that the file's code page cannot hold.
std::optional<ConsoleKey> ToEngineInput(const INPUT_RECORD& record, const engine::LineCodec& codec);

class UnicodeEditor {
public:
    // The one editor's id, as ECTL_GETINFO and the editor events report it.
    static constexpr std::intptr_t kId = 1;
    // Offers a record in the Unicode form to the plug-ins; non-zero when consumed.
    using PluginInput = std::function<std::intptr_t(const INPUT_RECORD&)>;

    explicit UnicodeEditor(engine::Editor& editor);
    ~UnicodeEditor();
    UnicodeEditor(const UnicodeEditor&) = delete;
    UnicodeEditor& operator=(const UnicodeEditor&) = delete;

    engine::Editor& Engine() const { return editor_; }
    const engine::LineCodec& Codec() const { return engine::CodecOf(editor_.Table()); }
    void SetPluginInput(PluginInput input) { pluginInput_ = std::move(input); }
    // Where a fed-back record goes that no plug-in consumed; without one the
    // engine handles it, as the plug-in's change.
    void SetFedBack(FedBackKey fedBack) { fedBack_ = std::move(fedBack); }

    // The EditorControl service; 0 for another editor's id, an unknown
    // command or a record it refuses.
    std::intptr_t Control(std::intptr_t editorId, std::intptr_t command, std::intptr_t param1,
                          void* param2);

    void EnterPlugin() { ++pluginDepth_; }
    void LeavePlugin();
    // Undo brackets opened and not yet closed.
    std::size_t OpenBrackets() const { return brackets_.size(); }

private:
    struct HandedOut {
        int line = -1;
        std::u16string text;  // what the plug-in holds a pointer to
    };

    std::intptr_t GetString(unicode_api::EditorGetString* get);
    std::intptr_t SetString(const unicode_api::EditorSetString* set);
    std::intptr_t InsertText(const unicode_api::WChar* text);
    std::intptr_t GetInfo(unicode_api::EditorInfo* info);
    std::intptr_t SetPosition(const unicode_api::EditorSetPosition* position);
    std::intptr_t FeedInput(const INPUT_RECORD* record);
    std::intptr_t UndoRedo(const unicode_api::EditorUndoRedo* command);
    std::intptr_t GetFileName(std::intptr_t capacity, unicode_api::WChar* buffer);
    // The line a command names (negative: the cursor's); -1 when none exists.
    int ResolveLine(std::intptr_t number) const;
    // Columns of line n: the engine counts the bytes of the file's code
    // page, the interface UTF-16 units (engine::LineColumns converts).
    int UnitColumn(int n, int bytes) const;
    int ByteColumn(int n, int units) const;

    engine::Editor& editor_;
    PluginInput pluginInput_;
    FedBackKey fedBack_;
    int pluginDepth_ = 0;
    FeedBackGuard feedGuard_;
    // The texts handed out in this call, [0, handedOut_) of `texts_`; the rest
    // are spare, their buffers reused by the next calls. Held by pointer: a
    // short text lives inside its string object, which must not move.
    std::vector<std::unique_ptr<HandedOut>> texts_;
    std::size_t handedOut_ = 0;
    // The file name as last converted.
    std::string nameBytes_;
    std::u16string name_;
    std::vector<std::unique_ptr<engine::Editor::UndoStep>> brackets_;
};

}  // namespace host
