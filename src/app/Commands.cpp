// The main window's commands, its two tool bars and its menus, and the handlers they run.

#include "MainQX25.h"

#include "About.h"
#include "Artwork.h"
#include "Controls.h"
#include "WebLinks.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

using namespace quavix;
using namespace quavix::ui;

namespace {

QIcon ToolbarIcon(int index) {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(Artwork::ToolbarIcon(index, true)), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(Artwork::ToolbarIcon(index, false)), QIcon::Disabled);
    return icon;
}

QActionGroup* RadioGroup(QObject* owner, std::initializer_list<QAction*> actions) {
    auto* group = new QActionGroup(owner);
    // Optional, so that the window alone decides which item carries the mark.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* action : actions)
        group->addAction(action);
    return group;
}

} // namespace

void TFormQX25::CreateCommands() {
    using Handler = void (TFormQX25::*)(QAction*);
    struct Command {
        QAction** field;
        const char* name;
        const char* caption;
        const char* category;
        const char* hint;
        int image;
        QList<QKeySequence> shortcuts;
        int help;
        int group;
        int tag;
        Handler handler;
    };
    // The command list in its stored order.
    const Command commands[] = {
        {&actNoteButtons_,
         "actNoteButtons",
         "Use &Note Buttons",
         "Input type",
         "Use the Note Button control [F2]",
         0,
         {Qt::Key_F2},
         13,
         1,
         0,
         &TFormQX25::actInputTypeClick},
        {&actPianoKeys_,
         "actPianoKeys",
         "Use &Piano Keys",
         "Input type",
         "Use the Piano control [F3]",
         1,
         {Qt::Key_F3},
         19,
         1,
         1,
         &TFormQX25::actInputTypeClick},
        {&actTrebleNotes_,
         "actTrebleNotes",
         "&Treble Notes",
         "",
         "Use notes in the treble staff only [F5]",
         3,
         {Qt::Key_F5},
         7,
         2,
         0,
         &TFormQX25::actStaffClick},
        {&actBassNotes_,
         "actBassNotes",
         "&Bass Notes",
         "",
         "Use notes in the bass staff only [F6]",
         4,
         {Qt::Key_F6},
         7,
         2,
         1,
         &TFormQX25::actStaffClick},
        {&actAllNotes_,
         "actAllNotes",
         "&All Notes",
         "",
         "Use notes from both staves [F7]",
         5,
         {Qt::Key_F7},
         7,
         2,
         2,
         &TFormQX25::actStaffClick},
        {&actSingleOctave_,
         "actSingleOctave",
         "&Single Octave Only",
         "",
         "(Piano) Show one octave only [F8]",
         6,
         {Qt::Key_F8},
         7,
         3,
         0,
         &TFormQX25::actKeyboardRangeClick},
        {&actFullRange_,
         "actFullRange",
         "&Full Keyboard Range",
         "",
         "(Piano) Show the full range of notes [F9]",
         7,
         {Qt::Key_F9},
         7,
         3,
         1,
         &TFormQX25::actKeyboardRangeClick},
        {&actBeginQuiz_,
         "actBeginQuiz",
         "&Begin Quiz",
         "",
         "Begin a quiz [Space bar]",
         8,
         {Qt::Key_Space},
         14,
         0,
         0,
         &TFormQX25::actBeginClick},
        // Enter on the main keyboard and on the keypad alike.
        {&actEndQuiz_,
         "actEndQuiz",
         "&End Quiz",
         "",
         "End the current quiz now [Enter]",
         9,
         {Qt::Key_Enter, Qt::Key_Return},
         14,
         0,
         1,
         &TFormQX25::actEndClick},
        {&actGuitar_,
         "actGuitar",
         "Use Guitar Frets",
         "Input type",
         "Use the Guitar control [F4]",
         2,
         {Qt::Key_F4},
         18,
         1,
         2,
         &TFormQX25::actInputTypeClick},
    };

    for (const Command& command : commands) {
        auto* action = new QAction(this);
        action->setObjectName(command.name);
        action->setText(command.caption);
        action->setIcon(ToolbarIcon(command.image));
        action->setShortcuts(command.shortcuts);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setCheckable(command.group != 0);
        action->setProperty("category", QString(command.category));
        action->setProperty("hint", QString(command.hint));
        action->setProperty("imageIndex", command.image);
        action->setProperty("helpContext", command.help);
        action->setProperty("group", command.group);
        action->setProperty("tag", command.tag);
        const Handler handler = command.handler;
        connect(action, &QAction::triggered, this, [this, action, handler] {
            (this->*handler)(action);
            // Running a command never sets its own mark: the marks always show the window's settings.
            ApplyCheckMarks();
        });
        // Shortcuts work whatever shows the command.
        addAction(action);
        *command.field = action;
        actions_.push_back(action);
        shortcutted_.push_back(action);
    }
}

void TFormQX25::CreateToolBars() {
    struct Slot {
        int left;
        QAction* command; // null: a separator
        const char* name;
    };
    const Slot places[] = {
        {1, actNoteButtons_, "tbNoteButtons"},
        {37, actPianoKeys_, "tbPianoKeys"},
        {73, actGuitar_, "tbGuitar"},
        {109, nullptr, "tbSeparator1"},
        {117, actTrebleNotes_, "tbTrebleNotes"},
        {153, actBassNotes_, "tbBassNotes"},
        {189, actAllNotes_, "tbAllNotes"},
        {225, nullptr, "tbSeparator2"},
        {233, actSingleOctave_, "tbSingleOctave"},
        {269, actFullRange_, "tbFullRange"},
        {305, nullptr, "tbSeparator3"},
        {313, actBeginQuiz_, "tbBeginQuiz"},
        {349, actEndQuiz_, "tbEndQuiz"},
    };
    const int edge = tbarOptions_->EdgeWidth();
    for (const Slot& slot : places) {
        if (!slot.command) {
            auto* separator = new TToolSeparator(tbarOptions_);
            separator->setObjectName(slot.name);
            separator->setGeometry(edge + slot.left, edge + 1, 8, 32);
            continue;
        }
        auto* button = new TToolButton(tbarOptions_);
        button->setObjectName(slot.name);
        button->setDefaultAction(slot.command);
        button->setGeometry(edge + slot.left, edge + 1, 36, 32);
        // A tool button shows its command's hint and help.
        button->setProperty("hint", slot.command->property("hint"));
        button->setProperty("helpContext", slot.command->property("helpContext"));
        button->setAccessibleName(QString(slot.command->text()).remove('&'));
        button->setAccessibleDescription(slot.command->property("hint").toString());
    }
}

void TFormQX25::CreateMenus() {
    // One style for the two menus whose items show the commands' pictures and marks.
    auto* pictureMenus = new TMenuStyle;
    pictureMenus->setParent(this);

    QMenu* game = menuBar()->addMenu("&Game");
    game->setStyle(pictureMenus);
    game->setObjectName("mnuGame");
    game->addAction(actBeginQuiz_);
    game->addAction(actEndQuiz_);

    QMenu* options = menuBar()->addMenu("&Options");
    options->setObjectName("mnuOptions");
    options->setStyle(pictureMenus);
    options->addAction(actNoteButtons_);
    options->addAction(actPianoKeys_);
    options->addAction(actGuitar_);
    options->addSeparator();
    options->addAction(actTrebleNotes_);
    options->addAction(actBassNotes_);
    options->addAction(actAllNotes_);
    options->addSeparator();
    options->addAction(actSingleOctave_);
    options->addAction(actFullRange_);
    // Radio bullets for the two input types and the staff and range choices; the guitar stays outside a
    // radio group, so it shows a check mark.
    RadioGroup(this, {actNoteButtons_, actPianoKeys_});
    RadioGroup(this, {actTrebleNotes_, actBassNotes_, actAllNotes_});
    RadioGroup(this, {actSingleOctave_, actFullRange_});

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    const auto addItem = [this](QMenu* menu, const char* name, const QString& caption,
                                const QKeySequence& key, int help, int tag) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(name);
        if (!key.isEmpty()) {
            item->setShortcut(key);
            item->setShortcutContext(Qt::WindowShortcut);
            shortcutted_.push_back(item);
        }
        item->setProperty("helpContext", help);
        item->setProperty("tag", tag);
        return item;
    };
    // F1 is only shown here: the window's own F1 handling comes first and opens the contents when no
    // control with a help context is under the pointer.
    QAction* contents = addItem(help, "miHelpContents", "&Contents\tF1", {}, 11, 0);
    connect(contents, &QAction::triggered, this, [this, contents] { miHelpClick(contents); });
    QAction* keyboard = addItem(help, "miHelpKeyboard", "&Keyboard Shortcuts", Qt::Key_F12, 11, 1);
    connect(keyboard, &QAction::triggered, this, [this, keyboard] { miHelpClick(keyboard); });
    help->addSeparator();
    QMenu* web2 = help->addMenu("Quavix 2 on the Web");
    web2->setObjectName("mnuWebQuavix2");
    QMenu* web3 = help->addMenu("Quavix 3 on the Web");
    web3->setObjectName("mnuWebQuavix3");
    for (int tag = 0; tag < int(WebLinks.size()); ++tag) {
        const WebLink& link = WebLinks[tag];
        QAction* item = addItem(tag < 2 ? web2 : web3, qPrintable(QString("miURL%1").arg(tag)), link.Caption,
                                QKeySequence(link.Shortcut), 0, tag);
        connect(item, &QAction::triggered, this, [this, item] { miURLClick(item); });
    }
    help->addSeparator();
    QAction* about = addItem(help, "miAbout", "&About", QKeySequence(Qt::SHIFT | Qt::Key_F1), 11, 0);
    connect(about, &QAction::triggered, this, [this] { miAboutClick(); });
}

void TFormQX25::ApplyCheckMarks() {
    const CheckMarks marks = CheckMarksFor(engine_.InputMode, engine_.StaffChoice, instrumentView_.FullRange);
    actNoteButtons_->setChecked(marks.NoteButtons);
    actPianoKeys_->setChecked(marks.PianoKeys);
    actGuitar_->setChecked(marks.Guitar);
    actTrebleNotes_->setChecked(marks.TrebleNotes);
    actBassNotes_->setChecked(marks.BassNotes);
    actAllNotes_->setChecked(marks.AllNotes);
    actSingleOctave_->setChecked(marks.SingleOctave);
    actFullRange_->setChecked(marks.FullRange);
}

// ---- Command handlers ----

void TFormQX25::actInputTypeClick(QAction* action) {
    // Choosing the input type already in force does nothing.
    const int tag = action->property("tag").toInt();
    if (engine_.InputMode != tag)
        SetInputMode(std::uint8_t(tag));
}

void TFormQX25::actStaffClick(QAction* action) {
    const int tag = action->property("tag").toInt();
    if (engine_.StaffChoice != tag) {
        SetStaffChoice(std::uint8_t(tag));
        ChooseKeyboardLayout();
    }
}

void TFormQX25::actKeyboardRangeClick(QAction* action) {
    // Also when the range is already in force: the instrument is repainted all the same.
    SetFullRange(action->property("tag").toInt() == 1);
}

void TFormQX25::actBeginClick(QAction*) {
    if (!engine_.State.Running)
        engine_.BeginQuiz();
}

void TFormQX25::actEndClick(QAction*) {
    if (engine_.State.Running)
        engine_.EndQuiz();
}

void TFormQX25::tbNoteClick(int tag) {
    if (engine_.State.Running)
        engine_.JudgeAnswer(FirstLetterCode + tag);
}

void TFormQX25::trkLevelChange(int value) {
    engine_.SetLevel(value);
}

void TFormQX25::miHelpClick(QAction* item) {
    ShowHelpTopic(item->property("tag").toInt() == 1 ? 109 : 0);
}

void TFormQX25::miURLClick(QAction* item) {
    OpenWebLink(item->property("tag").toInt());
}

void TFormQX25::miAboutClick() {
    ShowAbout(this, engine_.Random(), richColour_, [this](int context) { return ShowHelpTopic(context); });
}
