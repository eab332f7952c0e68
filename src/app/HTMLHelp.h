#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstdint>
#include <memory>

class QHelpEngine;
class QWidget;

namespace quavix {

class HelpWindow;

// The help wrapper: opens the program's help collection (a Qt Help collection file) at its contents or at
// a topic by context number, the number being the keyword id of the topic. The collection is opened
// read-only, and only when help is first asked for, so start-up never pays for it. Given several
// collections (one per language, the user's first), it opens the first that can be read.
// Every request fails (returns false) while no file name is known or no collection can be read.
class THTMLHelp final {
public:
    static constexpr std::uint16_t HH_DISPLAY_TOC = 1;
    static constexpr std::uint16_t HH_HELP_CONTEXT = 15;
    static constexpr std::uint16_t HH_CLOSE_ALL = 18;

    THTMLHelp();
    // Closes the help window.
    ~THTMLHelp();
    THTMLHelp(const THTMLHelp&) = delete;
    THTMLHelp& operator=(const THTMLHelp&) = delete;

    // The window the help window first opens beside.
    void SetMainWindow(QWidget* window);
    // Stores the name without leading and trailing blanks and control characters.
    void SetHelpFile(const QString& fileName);
    // The collections to try, in order; each name is cleaned as SetHelpFile does.
    void SetHelpFiles(const QStringList& fileNames);
    // The first collection to try.
    QString FileName() const { return fileNames_.value(0); }
    // The collection in use, once one has been opened.
    QString OpenedFile() const { return engineFile_; }

    // HH_DISPLAY_TOC: the help window with its contents; HH_HELP_CONTEXT: the topic whose keyword id is
    // data; HH_CLOSE_ALL: closes the help window. True when the request was carried out.
    bool HelpCommand(std::uint16_t command, std::int32_t data);
    bool ShowContents() { return HelpCommand(HH_DISPLAY_TOC, 0); }
    bool ShowContext(int context) { return HelpCommand(HH_HELP_CONTEXT, context); }

    // The address of the topic a context number leads to, empty when there is none (or no collection).
    QUrl TopicUrl(int context);
    // The help window while one exists, and the topic it shows.
    QWidget* Window() const;
    QUrl CurrentTopic() const;

private:
    bool OpenCollection();
    HelpWindow& EnsureWindow();
    void CloseAll();
    void CloseEngine();

    QStringList fileNames_;
    QString engineFile_;
    QPointer<QWidget> mainWindow_;
    // The window is declared after the engine, so it goes first: it shows the engine's contents model.
    std::unique_ptr<QHelpEngine> engine_;
    std::unique_ptr<HelpWindow> window_;
};

// The program's one help object. Made on first use and freed (closing its window) when the application
// object goes away.
THTMLHelp& AppHelp();

} // namespace quavix
