#include "edit/app/batch.hpp"

#include "host/scripted_ui.hpp"

namespace edit {

std::size_t ApplyStrokes(Session& session, const std::vector<host::KeyStroke>& strokes) {
    host::ScriptedUi nobody;  // with nothing queued, every menu and dialog answers -1
    session.Host().SetUi(&nobody);
    std::size_t untyped = 0;
    for (const host::KeyStroke& stroke : strokes) {
        // A character beyond ASCII goes in as the file's table holds it; one
        // the table lacks is not typed at all, rather than typed as another.
        std::optional<engine::TableChar> typed;
        if (stroke.character >= 0x80) {
            typed = engine::EncodeChar(session.Editor().Table(), stroke.character);
            if (!typed) {
                ++untyped;
                continue;
            }
        }
        session.Host().Dispatch(host::KeyDownRecord(stroke), typed);
        session.Host().Dispatch(host::KeyUpRecord(stroke));
    }
    session.Host().SetUi(nullptr);
    return untyped;
}

}  // namespace edit
