// far2l's key records as the rules know keys from the Windows hosts. far2l
// sends Enter, Backspace, Tab, Esc and Ctrl+letter with the character 0 and
// carries whole UTF-32 characters; the rules, the wrap's choice of keys
// among them, read the character a Windows console gives those keys, in one
// UTF-16 unit.
#pragma once

#include "api/ansi_api.hpp"
#include "api/far2l_api.hpp"

namespace marten::far2l {

// The record `key` as a Windows host would hand it over: every field kept,
// the character filled in where far2l leaves it 0 (U+000D for Enter, U+000A
// with Ctrl; U+0008 for Backspace, U+007F with Ctrl; U+0009 for Tab without
// Ctrl; U+001B for Esc; the control code for Ctrl+letter without Alt), and a
// character beyond one UTF-16 unit given as U+FFFD, which the rules take for
// typed text as they take the character itself.
KEY_EVENT_RECORD RulesKey(const far2l_api::KEY_EVENT_RECORD& key);

}  // namespace marten::far2l
