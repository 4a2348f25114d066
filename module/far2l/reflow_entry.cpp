#include "module/far2l/reflow_entry.hpp"

#include <cwchar>
#include <string>

#include "module/editor/reflow_command.hpp"
#include "module/far2l/far2l_editor.hpp"
#include "module/far2l/host_info.hpp"
#include "module/settings/settings.hpp"

namespace marten::far2l {

namespace {

// The command's topic in the help files of the faces that offer it.
constexpr wchar_t kReflowTopic[] = L"Reflow";

// The lines the command's editor works in, kept between runs.
FeatureLines<WideText> reflowLines;

void ReportLeftNarrow(std::size_t left) {
    if (Host.Message == nullptr) return;
    std::wstring count = Msg(MReflowLeft);
    count += L' ';
    count += std::to_wstring(left);
    const wchar_t* lines[] = {Msg(MPluginTitle), count.c_str(), Msg(MReflowLeftWhy)};
    Host.Message(Host.ModuleNumber, far2l_api::FMSG_WARNING | far2l_api::FMSG_MB_OK, kReflowTopic,
                 lines, sizeof lines / sizeof lines[0], 0);
}

}  // namespace

bool RunReflow() {
    if (Host.EditorControl == nullptr) return false;
    Far2lEditor ed(reflowLines);
    return RunReflowEntry(ed, Settings.RIndent, Settings.Balanced != 0, ReportLeftNarrow);
}

void OpenFromMacro(int openFrom, far2l_api::INT_PTR item) {
    // Only a string argument arrives as text; a number is no call of ours.
    if ((openFrom & far2l_api::OPEN_FROMMACROSTRING) == 0 || item == 0) return;
    const auto* argument = reinterpret_cast<const wchar_t*>(item);
    if (std::wcscmp(argument, kReflowMacroArgument) == 0) RunReflow();
}

}  // namespace marten::far2l
