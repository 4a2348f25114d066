#include "edit/view/editor_keys.hpp"

#include <variant>

namespace edit {

std::optional<Command> CommandOf(const host::KeyStroke& key) {
    // The character plays no part: the editor's own keys are named keys.
    const Command* command =
        std::get_if<Command>(host::ActionOf(key.virtualKey, key.controlState, 0));
    return command != nullptr ? std::optional<Command>(*command) : std::nullopt;
}

}  // namespace edit
