#include "HTMLHelp.h"

// Placeholder until the help viewer lands: every request fails.
THTMLHelp::THTMLHelp() = default;
THTMLHelp::~THTMLHelp() = default;

void THTMLHelp::SetHelpFile(const QString& fileName) { fileName_ = fileName.trimmed(); }

bool THTMLHelp::HelpCommand(std::uint16_t, std::int32_t) { return false; }

THTMLHelp& AppHelp() {
    static THTMLHelp help;
    return help;
}
