#pragma once

#include <QString>

#include <cstdint>

// The help wrapper: opens the program's help collection at its contents or at a topic by context number.
// Every request fails (returns false) while no file name is known or the collection cannot be read.
class THTMLHelp {
public:
    static constexpr std::uint16_t HH_DISPLAY_TOC = 1;
    static constexpr std::uint16_t HH_HELP_CONTEXT = 15;
    static constexpr std::uint16_t HH_CLOSE_ALL = 18;

    THTMLHelp();
    ~THTMLHelp();
    THTMLHelp(const THTMLHelp&) = delete;
    THTMLHelp& operator=(const THTMLHelp&) = delete;

    // Stores the name without leading and trailing blanks and control characters.
    void SetHelpFile(const QString& fileName);
    QString FileName() const { return fileName_; }

    bool HelpCommand(std::uint16_t command, std::int32_t data);
    bool ShowContents() { return HelpCommand(HH_DISPLAY_TOC, 0); }
    bool ShowContext(int context) { return HelpCommand(HH_HELP_CONTEXT, context); }

private:
    QString fileName_;
};

// The program's one help object.
THTMLHelp& AppHelp();
