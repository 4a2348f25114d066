#include "module/unicode/reflow_entry.hpp"

#include "module/editor/reflow_command.hpp"
#include "module/settings/settings.hpp"
#include "module/unicode/guids.hpp"
#include "module/unicode/unicode_editor.hpp"

namespace marten::unicode {

namespace {

// The command's topic in the help files of the faces that offer it.
constexpr char kReflowTopic[] = "Reflow";

// The lines the command's editor works in, kept between runs.
FeatureLines<UnicodeText> reflowLines;

// The decimal digits of `n`.
UnicodeText DecimalOf(std::size_t n) {
    UnicodeText digits;
    do {
        digits.insert(digits.begin(), static_cast<WChar>('0' + n % 10));
        n /= 10;
    } while (n != 0);
    return digits;
}

void ReportLeftNarrow(std::size_t left) {
    if (Host.Message == nullptr) return;
    UnicodeText count = Msg(MReflowLeft);
    count += WChar(' ');
    count += DecimalOf(left);
    const WChar* lines[] = {Msg(MPluginTitle), count.c_str(), Msg(MReflowLeftWhy)};
    const UnicodeText topic = FromAscii(kReflowTopic);  // F1 in the message
    Host.Message(&kPluginGuid, &kReflowMessageGuid,
                 unicode_api::FMSG_WARNING | unicode_api::FMSG_MB_OK, topic.c_str(), lines,
                 sizeof lines / sizeof lines[0], 0);
}

bool IsReflowArgument(const unicode_api::FarMacroValue& value) {
    if (value.Type != unicode_api::FMVT_STRING || value.String == nullptr) return false;
    const WChar* text = value.String;
    const char* wanted = kReflowMacroArgument;
    for (; *wanted != 0; ++text, ++wanted) {
        if (*text != WChar(*wanted)) return false;
    }
    return *text == 0;
}

}  // namespace

bool RunReflow() {
    if (Host.EditorControl == nullptr) return false;
    UnicodeEditor ed(reflowLines);
    return RunReflowEntry(ed, Settings.RIndent, Settings.Balanced != 0, ReportLeftNarrow);
}

HANDLE OpenFromMacro(std::intptr_t data) {
    const auto* call = reinterpret_cast<const unicode_api::OpenMacroInfo*>(data);
    if (call == nullptr || call->StructSize < sizeof *call || call->Count != 1 ||
        call->Values == nullptr || !IsReflowArgument(call->Values[0])) {
        return nullptr;
    }
    // A small number, never an address: the host reads an address as results.
    return RunReflow() ? reinterpret_cast<HANDLE>(std::intptr_t{1}) : nullptr;
}

}  // namespace marten::unicode
