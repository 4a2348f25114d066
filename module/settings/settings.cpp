#include "module/settings/settings.hpp"

namespace marten {

SettingsRecord Settings{};

}  // namespace marten
