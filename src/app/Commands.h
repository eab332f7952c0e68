#pragma once

// The main window's commands: the ten named actions with their captions, pictures, shortcut keys, hints,
// help contexts and check groups; the option tool bar's buttons; and the menu tree with the Options menu's
// Sound item and the Help menu's own items. Running a command only reports it; the window decides what it
// means. Each option command carries its choice (QAction::data() holds an OptionChoice), so all of them
// report alike.

#include "CommandStates.h"
#include "Settings.h"

#include <QObject>

#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QStyle;

namespace quavix {

namespace ui {
class TToolBar;
}

class TCommands final : public QObject {
    Q_OBJECT
public:
    // The help topics on hearing the notes and on results and progress.
    static constexpr int SoundHelpContext = 20;
    static constexpr int ResultsHelpContext = 21;
    static constexpr int ClefsHelpContext = 25;
    static constexpr int ListeningHelpContext = 22;
    // The topic on answering with the note buttons, which tells of the note names.
    static constexpr int NoteButtonsHelpContext = 13;
    // The topic on sharps, flats and key signatures.
    static constexpr int AccidentalsHelpContext = 23;

    // The actions belong to window, whose shortcuts they become, and fill its menu bar and the option tool
    // bar; their pictures are drawn for the ratio. Their marks show settings, which outlive the commands.
    TCommands(QMainWindow* window, ui::TToolBar* optionsBar, const Settings& settings, double ratio);

    QAction* actNoteButtons = nullptr;
    QAction* actPianoKeys = nullptr;
    QAction* actTrebleNotes = nullptr;
    QAction* actBassNotes = nullptr;
    QAction* actAllNotes = nullptr;
    QAction* actSingleOctave = nullptr;
    QAction* actFullRange = nullptr;
    QAction* actBeginQuiz = nullptr;
    QAction* actEndQuiz = nullptr;
    QAction* actGuitar = nullptr;
    // Options, Sound: a check item of the menu only, made with the menus.
    QAction* actSound = nullptr;
    // Options, MIDI Input: the MIDI sources, filled by whoever knows them.
    QMenu* mnuMidiInput = nullptr;
    // Options, Listen: a check item of the menu only; Options, Listening: its settings, filled by whoever
    // listens.
    QAction* actListen = nullptr;
    QMenu* mnuListening = nullptr;
    // Results and progress: Game > Results and two check items of the Options menu.
    QAction* actResults = nullptr;
    QAction* actPractiseWeakNotes = nullptr;
    QAction* actKeepProgress = nullptr;
    // Options: adaptive practice, a check item beside the weak notes (the two exclude each other), and the
    // Quiz Length menu, one radio item per length of QuizLengths.
    QAction* actAdaptivePractice = nullptr;
    std::vector<QAction*> actQuizLengths;
    // Options, Note Names: one radio item per naming (NoteNamings), made with the menus.
    std::vector<QAction*> actNoteNames;
    // The staff choices past treble and bass (alto, alto and treble, tenor, tenor and bass), the guitar's
    // octave-treble clef and the range of each staff. In the menu only: the tool bar keeps its buttons.
    std::vector<QAction*> actOtherStaves;
    QAction* actOctaveTreble = nullptr;
    QAction* actNoteRange = nullptr;
    // Options, Accidentals and Key: what is asked, in order of AccidentalChoices; the keys; a different
    // key each quiz; signs against the key.
    QMenu* mnuAccidentals = nullptr;
    QMenu* mnuKey = nullptr;
    std::vector<QAction*> actAccidentals;
    std::vector<QAction*> actKeys;
    QAction* actKeyEachQuiz = nullptr;
    QAction* actAgainstKey = nullptr;
    // Options, under the weak notes: practise the key read worst, shown only once notes were read in a key.
    QAction* actPractiseWeakKey = nullptr;

    // Gives the commands their pictures drawn for another device pixel ratio.
    void ShowPicturesAt(double ratio);

    void ApplyStates(const CommandStates& states);
    // Marks the commands as the settings are. Running a command never sets its own mark (a check item's
    // click toggles it in Qt), so they are shown again after every command too.
    void ShowMarks();
    // The key read worst so far; found is false when no note was read under a key signature.
    void ShowWeakKey(bool found, int fifths);

    // Every command and menu item that answers to a shortcut key.
    const std::vector<QAction*>& ShortcutOwners() const { return shortcutOwners_; }

signals:
    // An option command ran, with the choice it carries.
    void optionChosen(const quavix::OptionChoice& choice);
    void beginQuizChosen();
    void endQuizChosen();
    // Help, Contents (tag 0) or Help, Keyboard Shortcuts (tag 1).
    void helpChosen(int tag);
    void webLinkChosen(int tag);
    void aboutChosen();
    void resultsChosen();
    void noteRangeChosen();

private:
    // The option and quiz buttons, at their places on the bar.
    void BuildOptionsToolBar(ui::TToolBar* bar) const;
    // The Game, Options and Help menus.
    void BuildMenus(QMenuBar* menuBar);
    // A command of the tool bar; group 0 runs the quiz, groups 1 to 3 choose the input type, the staff and
    // the piano's range, with the value given.
    QAction* AddCommand(QWidget* window, const char* name, const QString& caption, const QString& hint,
                        int image, const QList<QKeySequence>& shortcuts, int help, int group, int value);
    QAction* AddPlainCommand(QWidget* window, const char* name, const QString& caption, const QString& hint,
                             const QKeySequence& key, bool checkable);
    void BuildNoteNamesMenu(QMenu* menu);
    void BuildClefsMenu(QMenu* menu);
    void BuildQuizLengthMenu(QMenu* menu);
    void BuildAccidentalsMenus(QMenu* options, QStyle* style);
    void ShowAccidentalsMarks();
    void EnableAccidentalsMenus(bool enabled);
    void BuildWeakKeyItem(QMenu* options);
    QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& key,
                         int help);
    // The action reports its choice when it runs.
    void Carry(QAction* action, OptionChoice::Option option, int value = 0);

    void ApplyCheckMarks(const CheckMarks& marks);

    const Settings& settings_;
    std::vector<QAction*> shortcutOwners_;
    bool weakKeyFound_ = false;
    int weakKey_ = 0;
    std::vector<std::pair<QAction*, int>> pictures_; // each command and the index of its picture
};

} // namespace quavix
