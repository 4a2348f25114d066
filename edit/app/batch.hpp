// The batch mode: a key script applied to a file without a screen, through the
// same dispatch as typed keys (the module first, then the editor), then saved.
#pragma once

#include <string>
#include <vector>

#include "edit/app/session.hpp"
#include "host/key_script.hpp"

namespace edit {

// Hands each stroke to the host as a key-down and a key-up record. Menus and
// dialogs that a key might open answer as if the user left them at once.
// Returns the number of characters not typed because the file's table
// lacks them.
std::size_t ApplyStrokes(Session& session, const std::vector<host::KeyStroke>& strokes);

}  // namespace edit
