// The editor that the host's plug-ins edit in is the engine's: the host's
// callers know it by this name too.
#pragma once

#include "engine/editor.hpp"

namespace host {

using engine::Editor;

}  // namespace host
