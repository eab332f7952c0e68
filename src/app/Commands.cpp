#include "Commands.h"

#include "Artwork.h"
#include "MenuStyle.h"
#include "ScreenRatio.h"
#include "SettingsRoom.h"
#include "ToolBar.h"
#include "ToolButton.h"
#include "ToolSeparator.h"
#include "WebLinks.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace quavix {

using namespace ui;

namespace {

void RadioGroup(QObject* owner, std::initializer_list<QAction*> actions) {
    auto* group = new QActionGroup(owner);
    // Optional, so that the window alone decides which item carries the mark.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* action : actions)
        group->addAction(action);
}

} // namespace

TCommands::TCommands(QMainWindow* window, TToolBar* optionsBar, const Settings& settings, double ratio)
    : QObject(window), settings_(settings) {
    // The command list in its stored order. Enter on the main keyboard and on the keypad alike.
    actNoteButtons = AddCommand(window, "actNoteButtons", tr("Use &Note Buttons"),
                                tr("Use the Note Button control [F2]"), 0, {Qt::Key_F2}, 13, 1, 0);
    actPianoKeys = AddCommand(window, "actPianoKeys", tr("Use &Piano Keys"), tr("Use the Piano control [F3]"),
                              1, {Qt::Key_F3}, 19, 1, 1);
    actTrebleNotes = AddCommand(window, "actTrebleNotes", tr("&Treble Notes"),
                                tr("Use notes in the treble staff only [F5]"), 3, {Qt::Key_F5}, 7, 2, 0);
    actBassNotes = AddCommand(window, "actBassNotes", tr("&Bass Notes"),
                              tr("Use notes in the bass staff only [F6]"), 4, {Qt::Key_F6}, 7, 2, 1);
    actAllNotes = AddCommand(window, "actAllNotes", tr("&All Notes"), tr("Use notes from both staves [F7]"),
                             5, {Qt::Key_F7}, 7, 2, 2);
    actSingleOctave = AddCommand(window, "actSingleOctave", tr("&Single Octave Only"),
                                 tr("(Piano) Show one octave only [F8]"), 6, {Qt::Key_F8}, 7, 3, 0);
    actFullRange = AddCommand(window, "actFullRange", tr("&Full Keyboard Range"),
                              tr("(Piano) Show the full range of notes [F9]"), 7, {Qt::Key_F9}, 7, 3, 1);
    actBeginQuiz = AddCommand(window, "actBeginQuiz", tr("&Begin Quiz"), tr("Begin a quiz [Space bar]"), 8,
                              {Qt::Key_Space}, 14, 0, 0);
    actEndQuiz = AddCommand(window, "actEndQuiz", tr("&End Quiz"), tr("End the current quiz now [Enter]"), 9,
                            {Qt::Key_Enter, Qt::Key_Return}, 14, 0, 1);
    actGuitar = AddCommand(window, "actGuitar", tr("Use Guitar Frets"), tr("Use the Guitar control [F4]"), 2,
                           {Qt::Key_F4}, 18, 1, 2);

    actResults = AddPlainCommand(window, "actResults", tr("&Results"),
                                 tr("Show the results of the last quiz [F10]"), Qt::Key_F10, false);
    actPractiseWeakNotes =
        AddPlainCommand(window, "actPractiseWeakNotes", tr("Practise &Weak Notes"),
                        tr("Ask the notes you miss or answer slowly more often"), {}, true);
    actKeepProgress = AddPlainCommand(window, "actKeepProgress", tr("&Keep My Progress"),
                                      tr("Keep your answers and options for the next time"), {}, true);
    actAdaptivePractice =
        AddPlainCommand(window, "actAdaptivePractice", tr("Adapti&ve Practice"),
                        tr("Ask the notes you are learning, so about four in five come right"), {}, true);
    connect(actResults, &QAction::triggered, this, &TCommands::resultsChosen);
    Carry(actAdaptivePractice, OptionChoice::Option::AdaptivePractice);
    Carry(actPractiseWeakNotes, OptionChoice::Option::PractiseWeakNotes);
    Carry(actKeepProgress, OptionChoice::Option::KeepProgress);
    connect(actBeginQuiz, &QAction::triggered, this, &TCommands::beginQuizChosen);
    connect(actEndQuiz, &QAction::triggered, this, &TCommands::endQuizChosen);
    for (QAction* action : {actBeginQuiz, actEndQuiz})
        connect(action, &QAction::triggered, this, &TCommands::ShowMarks);
    ShowPicturesAt(ratio);
    BuildOptionsToolBar(optionsBar);
    BuildMenus(window->menuBar());
}

void TCommands::Carry(QAction* action, OptionChoice::Option option, int value) {
    action->setData(QVariant::fromValue(OptionChoice{option, value}));
    connect(action, &QAction::triggered, this,
            [this, action] { emit optionChosen(action->data().value<OptionChoice>()); });
    connect(action, &QAction::triggered, this, &TCommands::ShowMarks);
}

void TCommands::ShowPicturesAt(double ratio) {
    for (const auto& [action, image] : pictures_)
        action->setIcon(
            CommandIcon(Artwork::ToolbarIcon(image, true, ratio), Artwork::ToolbarIcon(image, false, ratio)));
}

QAction* TCommands::AddCommand(QWidget* window, const char* name, const QString& caption, const QString& hint,
                               int image, const QList<QKeySequence>& shortcuts, int help, int group,
                               int value) {
    auto* action = new QAction(caption, window);
    action->setObjectName(QString::fromLatin1(name));
    pictures_.emplace_back(action, image);
    action->setShortcuts(shortcuts);
    action->setShortcutContext(Qt::WindowShortcut);
    // Commands of a group carry check marks; no command sets its own mark when it runs.
    action->setCheckable(group != 0);
    action->setProperty("hint", hint);
    action->setProperty("helpContext", help);
    constexpr OptionChoice::Option Groups[] = {OptionChoice::Option::InputMode,
                                               OptionChoice::Option::InputMode, OptionChoice::Option::Staff,
                                               OptionChoice::Option::Range};
    if (group != 0)
        Carry(action, Groups[group], value);
    // Shortcuts work whatever shows the command.
    window->addAction(action);
    shortcutOwners_.push_back(action);
    return action;
}

QAction* TCommands::AddPlainCommand(QWidget* window, const char* name, const QString& caption,
                                    const QString& hint, const QKeySequence& key, bool checkable) {
    auto* action = new QAction(caption, window);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    action->setProperty("hint", hint);
    action->setProperty("helpContext", ResultsHelpContext);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        shortcutOwners_.push_back(action);
    }
    return action;
}

void TCommands::BuildOptionsToolBar(TToolBar* bar) const {
    struct Slot {
        int left;
        QAction* command; // null: a separator
        const char* name;
    };
    const Slot places[] = {
        {1, actNoteButtons, "tbNoteButtons"},
        {37, actPianoKeys, "tbPianoKeys"},
        {73, actGuitar, "tbGuitar"},
        {109, nullptr, "tbSeparator1"},
        {117, actTrebleNotes, "tbTrebleNotes"},
        {153, actBassNotes, "tbBassNotes"},
        {189, actAllNotes, "tbAllNotes"},
        {225, nullptr, "tbSeparator2"},
        {233, actSingleOctave, "tbSingleOctave"},
        {269, actFullRange, "tbFullRange"},
        {305, nullptr, "tbSeparator3"},
        {313, actBeginQuiz, "tbBeginQuiz"},
        {349, actEndQuiz, "tbEndQuiz"},
    };
    const int edge = bar->EdgeWidth();
    for (const Slot& slot : places) {
        if (!slot.command) {
            auto* separator = new TToolSeparator(bar);
            separator->setObjectName(QString::fromLatin1(slot.name));
            separator->setGeometry(edge + slot.left, edge + 1, 8, 32);
            continue;
        }
        auto* button = new TToolButton(bar);
        button->setObjectName(QString::fromLatin1(slot.name));
        button->setDefaultAction(slot.command);
        button->setGeometry(edge + slot.left, edge + 1, 36, 32);
        // A tool button shows its command's hint and help.
        button->setProperty("hint", slot.command->property("hint"));
        button->setProperty("helpContext", slot.command->property("helpContext"));
        button->setAccessibleName(slot.command->iconText());
        button->setAccessibleDescription(slot.command->property("hint").toString());
    }
}

QAction* TCommands::AddMenuItem(QMenu* menu, const char* name, const QString& caption,
                                const QKeySequence& key, int help) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) {
        item->setShortcut(key);
        item->setShortcutContext(Qt::WindowShortcut);
        shortcutOwners_.push_back(item);
    }
    item->setProperty("helpContext", help);
    return item;
}

void TCommands::BuildMenus(QMenuBar* menuBar) {
    // One style for the two menus whose items show the commands' pictures and marks.
    auto* pictureMenus = new TMenuStyle;
    pictureMenus->setParent(this);

    QMenu* game = menuBar->addMenu(tr("&Game"));
    game->setObjectName(QStringLiteral("mnuGame"));
    game->setStyle(pictureMenus);
    game->addAction(actBeginQuiz);
    game->addAction(actEndQuiz);
    game->addSeparator();
    game->addAction(actResults);

    QMenu* options = menuBar->addMenu(tr("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    options->setStyle(pictureMenus);
    options->addAction(actNoteButtons);
    options->addAction(actPianoKeys);
    options->addAction(actGuitar);
    options->addSeparator();
    options->addAction(actTrebleNotes);
    options->addAction(actBassNotes);
    options->addAction(actAllNotes);
    QMenu* clefs = options->addMenu(tr("Clefs and &Ranges"));
    clefs->setStyle(pictureMenus);
    BuildClefsMenu(clefs);
    options->addSeparator();
    options->addAction(actSingleOctave);
    options->addAction(actFullRange);
    options->addSeparator();
    // Off until asked for; its mark, like every other, shows the setting, which may still turn it off
    // when no sound can be had.
    actSound = AddMenuItem(options, "actSound", tr("S&ound"), Qt::Key_F11, SoundHelpContext);
    actSound->setCheckable(true);
    Carry(actSound, OptionChoice::Option::Sound);
    mnuMidiInput = options->addMenu(tr("&MIDI Input"));
    mnuMidiInput->setObjectName(QStringLiteral("mnuMidiInput"));
    mnuMidiInput->setStyle(pictureMenus);
    actListen = AddMenuItem(options, "actListen", tr("&Listen"), {}, ListeningHelpContext);
    actListen->setCheckable(true);
    Carry(actListen, OptionChoice::Option::Listen);
    mnuListening = options->addMenu(tr("Listen&ing"));
    mnuListening->setObjectName(QStringLiteral("mnuListening"));
    mnuListening->setStyle(pictureMenus);
    QMenu* noteNames = options->addMenu(tr("Not&e Names"));
    noteNames->setStyle(pictureMenus);
    BuildNoteNamesMenu(noteNames);
    BuildAccidentalsMenus(options, pictureMenus);
    options->addSeparator();
    QMenu* quizLength = options->addMenu(tr("&Quiz Length"));
    quizLength->setStyle(pictureMenus);
    BuildQuizLengthMenu(quizLength);
    options->addAction(actPractiseWeakNotes);
    BuildWeakKeyItem(options);
    options->addAction(actAdaptivePractice);
    options->addAction(actKeepProgress);
    // Radio bullets for the two input types and the staff and range choices; the guitar stays outside a
    // radio group, so it shows a check mark.
    RadioGroup(this, {actNoteButtons, actPianoKeys});
    RadioGroup(this, {actTrebleNotes, actBassNotes, actAllNotes, actOtherStaves[0], actOtherStaves[1],
                      actOtherStaves[2], actOtherStaves[3]});
    RadioGroup(this, {actSingleOctave, actFullRange});

    QMenu* help = menuBar->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    // The window's own F1 handling takes the key before this shortcut can (see THintsAndKeys), and opens
    // the contents when no control with a help context is under the pointer; the item shows the key.
    QAction* contents = AddMenuItem(help, "miHelpContents", tr("&Contents"), Qt::Key_F1, 11);
    connect(contents, &QAction::triggered, this, [this] { emit helpChosen(0); });
    QAction* keyboard = AddMenuItem(help, "miHelpKeyboard", tr("&Keyboard Shortcuts"), Qt::Key_F12, 11);
    connect(keyboard, &QAction::triggered, this, [this] { emit helpChosen(1); });
    help->addSeparator();
    QMenu* web2 = help->addMenu(tr("Quavix 2 on the Web"));
    web2->setObjectName(QStringLiteral("mnuWebQuavix2"));
    QMenu* web3 = help->addMenu(tr("Quavix 3 on the Web"));
    web3->setObjectName(QStringLiteral("mnuWebQuavix3"));
    for (int tag = 0; tag < int(WebLinks.size()); ++tag) {
        const WebLink& link = WebLinks[tag];
        QAction* item = AddMenuItem(tag < 2 ? web2 : web3, qPrintable(QStringLiteral("miURL%1").arg(tag)),
                                    tr(link.Caption), QKeySequence(QString::fromLatin1(link.Shortcut)), 0);
        connect(item, &QAction::triggered, this, [this, tag] { emit webLinkChosen(tag); });
    }
    help->addSeparator();
    QAction* about = AddMenuItem(help, "miAbout", tr("&About"), QKeySequence(Qt::SHIFT | Qt::Key_F1), 11);
    connect(about, &QAction::triggered, this, &TCommands::aboutChosen);
}

void TCommands::BuildNoteNamesMenu(QMenu* menu) {
    menu->setObjectName(QStringLiteral("mnuNoteNames"));
    // In the order of the namings. A radio group like the others: only the settings set the mark.
    const QString captions[] = {tr("C D E F G A B"), tr("C D E F G A H"), tr("Do Re Mi Fa Sol La Si")};
    auto* group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int naming = 0; naming < NoteNamingCount; ++naming) {
        QAction* item = AddMenuItem(menu, "actNoteNames", captions[naming], {}, NoteButtonsHelpContext);
        item->setObjectName(QStringLiteral("actNoteNames%1").arg(naming));
        item->setCheckable(true);
        group->addAction(item);
        actNoteNames.push_back(item);
        Carry(item, OptionChoice::Option::NoteNames, naming);
    }
}

void TCommands::BuildClefsMenu(QMenu* menu) {
    menu->setObjectName(QStringLiteral("mnuClefs"));
    // In the order of the staff choices past AllStaves.
    const QString captions[] = {tr("&Alto Clef"), tr("Alto and &Treble Clefs"), tr("T&enor Clef"),
                                tr("Tenor and &Bass Clefs")};
    const char* names[] = {"actAltoNotes", "actAltoTrebleNotes", "actTenorNotes", "actTenorBassNotes"};
    for (int i = 0; i < 4; ++i) {
        QAction* item = AddMenuItem(menu, names[i], captions[i], {}, ClefsHelpContext);
        item->setCheckable(true);
        item->setProperty("hint", tr("Use notes in the clefs that players of these parts read"));
        actOtherStaves.push_back(item);
        Carry(item, OptionChoice::Option::Staff, AllStaves + 1 + i);
    }
    menu->addSeparator();
    actOctaveTreble =
        AddMenuItem(menu, "actOctaveTreble", tr("&Guitar in the Octave-Treble Clef"), {}, ClefsHelpContext);
    actOctaveTreble->setCheckable(true);
    actOctaveTreble->setProperty(
        "hint", tr("(Guitar) Write the treble clef with the 8 below: it sounds an octave lower"));
    connect(actOctaveTreble, &QAction::triggered, this, [this] {
        emit optionChosen({OptionChoice::Option::OctaveTreble, settings_.OctaveTreble ? 0 : 1});
    });
    connect(actOctaveTreble, &QAction::triggered, this, &TCommands::ShowMarks);
    menu->addSeparator();
    actNoteRange = AddMenuItem(menu, "actNoteRange", tr("Note &Range..."), {}, ClefsHelpContext);
    actNoteRange->setProperty("hint", tr("Choose the lowest and highest note asked on each staff"));
    connect(actNoteRange, &QAction::triggered, this, &TCommands::noteRangeChosen);
}

void TCommands::BuildQuizLengthMenu(QMenu* menu) {
    menu->setObjectName(QStringLiteral("mnuQuizLength"));
    auto* group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const int length : QuizLengths) {
        const QString caption = length == UntilStopped ? tr("&Until I Stop") : tr("&%1 Notes").arg(length);
        QAction* item = AddMenuItem(menu, "actQuizLength", caption, {}, ResultsHelpContext);
        item->setObjectName(QStringLiteral("actQuizLength%1").arg(length));
        item->setCheckable(true);
        group->addAction(item);
        actQuizLengths.push_back(item);
        Carry(item, OptionChoice::Option::QuizLength, length);
    }
}

void TCommands::ApplyStates(const CommandStates& states) {
    actNoteButtons->setEnabled(states.NoteButtons);
    actPianoKeys->setEnabled(states.PianoKeys);
    actGuitar->setEnabled(states.Guitar);
    actTrebleNotes->setEnabled(states.TrebleNotes);
    actBassNotes->setEnabled(states.BassNotes);
    actAllNotes->setEnabled(states.AllNotes);
    actSingleOctave->setEnabled(states.SingleOctave);
    actFullRange->setEnabled(states.FullRange);
    actBeginQuiz->setEnabled(states.BeginQuiz);
    actEndQuiz->setEnabled(states.EndQuiz);
    // The clefs and ranges change the notes asked, as the staff commands do.
    for (QAction* action : actOtherStaves)
        action->setEnabled(states.TrebleNotes);
    actNoteRange->setEnabled(states.TrebleNotes);
    actOctaveTreble->setEnabled(states.BeginQuiz);
    // A quiz keeps the length it began with.
    for (QAction* item : actQuizLengths)
        item->setEnabled(states.BeginQuiz);
    EnableAccidentalsMenus(!states.EndQuiz);
}

void TCommands::ShowMarks() {
    ApplyCheckMarks(CheckMarksFor(settings_));
    actPractiseWeakNotes->setChecked(settings_.PractiseWeakNotes);
    actKeepProgress->setChecked(settings_.KeepProgress);
    actListen->setChecked(settings_.Listen);
    actAdaptivePractice->setChecked(settings_.AdaptivePractice);
    for (QAction* item : actQuizLengths)
        item->setChecked(item->data().value<OptionChoice>().Value == settings_.QuizLength);
    ShowAccidentalsMarks();
}

void TCommands::ApplyCheckMarks(const CheckMarks& marks) {
    actNoteButtons->setChecked(marks.NoteButtons);
    actPianoKeys->setChecked(marks.PianoKeys);
    actGuitar->setChecked(marks.Guitar);
    actTrebleNotes->setChecked(marks.TrebleNotes);
    actBassNotes->setChecked(marks.BassNotes);
    actAllNotes->setChecked(marks.AllNotes);
    actSingleOctave->setChecked(marks.SingleOctave);
    actFullRange->setChecked(marks.FullRange);
    if (actSound != nullptr)
        actSound->setChecked(marks.Sound);
    for (int naming = 0; naming < int(actNoteNames.size()); ++naming)
        actNoteNames[naming]->setChecked(marks.NoteNames[naming]);
    for (std::size_t i = 0; i < actOtherStaves.size(); ++i)
        actOtherStaves[i]->setChecked(marks.OtherStaves[i]);
    if (actOctaveTreble != nullptr)
        actOctaveTreble->setChecked(marks.OctaveTreble);
}

} // namespace quavix
