// The far2l face's copy of the host's start-up information and standard
// functions, through which it calls every service, and its message lookup.
#pragma once

#include "api/far2l_api.hpp"
#include "module/far2l/wide_text.hpp"
#include "module/ui/messages.hpp"

namespace marten::far2l {

// All zero until SetStartupInfoW; holds at most the part of the host's
// record this interface version knows, whole fields only. FSF points at
// Standard when the host handed its standard functions over.
extern far2l_api::PluginStartupInfo Host;
extern far2l_api::FarStandardFunctions Standard;

// Copies the host's records (temporaries of the host) as SetStartupInfoW must.
void TakeStartupInfo(const far2l_api::PluginStartupInfo* info);

// The host's text for `id` from the language files, never null (empty
// without GetMsg).
const wchar_t* Msg(MsgId id);

}  // namespace marten::far2l
