// The Unicode face's copy of the host's start-up information and standard
// functions, through which it calls every service, and its message lookup.
#pragma once

#include "api/unicode_api.hpp"
#include "module/runtime/text.hpp"
#include "module/ui/messages.hpp"

namespace marten::unicode {

using WChar = unicode_api::WChar;
using UnicodeText = BasicText<WChar>;

// All zero until SetStartupInfoW; holds at most the part of the host's
// record this interface version knows, whole fields only. FSF points at
// Standard when the host handed its standard functions over.
extern unicode_api::PluginStartupInfo Host;
extern unicode_api::FarStandardFunctions Standard;

// Copies the host's records (temporaries of the host) as SetStartupInfoW must.
void TakeStartupInfo(const unicode_api::PluginStartupInfo* info);

// The host's text for `id`, never null (empty without GetMsg).
const WChar* Msg(MsgId id);

// ASCII text (the settings' names, history names, help topics, digits) in
// the interface's unit.
UnicodeText FromAscii(const char* ascii);

}  // namespace marten::unicode
