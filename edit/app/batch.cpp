#include "edit/app/batch.hpp"

#include "host/scripted_ui.hpp"

namespace edit {

void ApplyStrokes(Session& session, const std::vector<host::KeyStroke>& strokes) {
    host::ScriptedUi nobody;  // with nothing queued, every menu and dialog answers -1
    session.Host().SetUi(&nobody);
    for (const host::KeyStroke& stroke : strokes) {
        session.Host().Dispatch(host::KeyDownRecord(stroke));
        session.Host().Dispatch(host::KeyUpRecord(stroke));
    }
    session.Host().SetUi(nullptr);
}

}  // namespace edit
