// The 1.x face's copy of the host's start-up information, through which every
// host service is called, and the lookup of message texts.
#pragma once

#include <cstddef>

#include "api/ansi_api.hpp"
#include "module/ui/messages.hpp"

namespace marten::ansi {

// All zero until SetStartupInfo; holds at most the part of the record this
// interface version knows. A service that the host's record did not wholly
// reach stays null, so a null test tells whether the host handed it over.
extern PluginStartupInfo HostInfo;

// The one entry offered in the host's plug-in menu and configuration list.
extern const char* PluginMenuList[1];

// Copies the host's record as SetStartupInfo must: from a clean copy (so no
// service of an earlier, longer record survives), as many bytes as the host
// says it passed and this interface version knows, whole fields only.
void TakeStartupInfo(const PluginStartupInfo* info);

// The host's text for `id`, as the host returns it: never copied, may be null
// when the host has no GetMsg service.
const char* MsgText(MsgId id);

}  // namespace marten::ansi
