#include "edit/view/editor_keys.hpp"

#include <variant>

namespace edit {

std::optional<Command> CommandOf(const host::KeyStroke& key) {
    // The character plays no part: the editor's own keys are named keys.
    const std::optional<host::KeyAction> action =
        host::ActionOf(key.virtualKey, key.controlState, key.virtualKey == 0 ? 0 : key.oemChar);
    const Command* command = action ? std::get_if<Command>(&*action) : nullptr;
    return command != nullptr ? std::optional<Command>(*command) : std::nullopt;
}

}  // namespace edit
