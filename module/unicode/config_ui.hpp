// The Unicode face's configuration: the module's menu, the settings dialog
// and the About box through the host's GUID-identified services, laid out
// as the ANSI face lays them out.
#pragma once

namespace marten::unicode {

// The menu until the user leaves it; 1 when the last dialog was confirmed.
int RunConfigurationW();

// Shows the settings dialog; 1 when the user confirmed and the values were
// taken and stored, else 0 (also without the dialog services).
int ConfigDialogW();

}  // namespace marten::unicode
