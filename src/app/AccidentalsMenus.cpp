// The Options menu's items for sharps, flats and keys: what is asked (naturals only, sharps and flats, or
// a key signature), which of the fifteen keys, and whether signs against the key are written. Like every
// option they carry their choice and show the settings' marks.

#include "Commands.h"
#include "NoteNameText.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace quavix {

namespace {

QActionGroup* MarkGroup(QObject* owner) {
    auto* group = new QActionGroup(owner);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    return group;
}

} // namespace

void TCommands::BuildAccidentalsMenus(QMenu* options, QStyle* style) {
    mnuAccidentals = options->addMenu(tr("A&ccidentals"));
    mnuAccidentals->setObjectName(QStringLiteral("mnuAccidentals"));
    mnuAccidentals->setStyle(style);
    const QString captions[] = {tr("&Naturals Only"), tr("&Sharps and Flats"), tr("&Key Signature")};
    QActionGroup* choices = MarkGroup(this);
    for (int choice = 0; choice < AccidentalChoiceCount; ++choice) {
        QAction* item =
            AddMenuItem(mnuAccidentals, "actAccidentals", captions[choice], {}, AccidentalsHelpContext);
        item->setObjectName(QStringLiteral("actAccidentals%1").arg(choice));
        item->setCheckable(true);
        choices->addAction(item);
        actAccidentals.push_back(item);
        Carry(item, OptionChoice::Option::Accidentals, choice);
    }

    mnuKey = options->addMenu(tr("Ke&y"));
    mnuKey->setObjectName(QStringLiteral("mnuKey"));
    mnuKey->setStyle(style);
    QActionGroup* keys = MarkGroup(this);
    // Sharp keys after C, then flat keys, each by the number of its signs, as the circle of fifths runs.
    std::vector<int> order{0};
    for (int signs = 1; signs <= HighestKey; ++signs)
        order.push_back(signs);
    for (int signs = 1; signs <= HighestKey; ++signs)
        order.push_back(-signs);
    for (int key : order) {
        QAction* item = AddMenuItem(mnuKey, "actKey", QString(), {}, AccidentalsHelpContext);
        item->setObjectName(QStringLiteral("actKey%1").arg(key));
        item->setCheckable(true);
        keys->addAction(item);
        actKeys.push_back(item);
        Carry(item, OptionChoice::Option::Key, key);
        if (key == 0 || key == HighestKey)
            mnuKey->addSeparator();
    }
    actKeyEachQuiz =
        AddMenuItem(mnuKey, "actKeyEachQuiz", tr("A &Different Key Each Quiz"), {}, AccidentalsHelpContext);
    actKeyEachQuiz->setCheckable(true);
    keys->addAction(actKeyEachQuiz);
    Carry(actKeyEachQuiz, OptionChoice::Option::Key, OptionChoice::EveryQuizKey);
    mnuKey->addSeparator();
    actAgainstKey =
        AddMenuItem(mnuKey, "actAgainstKey", tr("Accidentals &Against the Key"), {}, AccidentalsHelpContext);
    actAgainstKey->setCheckable(true);
    Carry(actAgainstKey, OptionChoice::Option::AgainstKey);
}

void TCommands::ShowAccidentalsMarks() {
    if (mnuKey == nullptr)
        return;
    for (int choice = 0; choice < int(actAccidentals.size()); ++choice)
        actAccidentals[choice]->setChecked(settings_.Accidentals == choice);
    const bool inKey = settings_.Accidentals == InKey;
    for (QAction* item : actKeys) {
        const int key = item->data().value<OptionChoice>().Value;
        // The keys are named in the user's naming, which may have changed since.
        item->setText(KeyNameText(key, settings_.NoteNaming));
        item->setChecked(inKey && !settings_.KeyEachQuiz && settings_.Key == key);
    }
    actKeyEachQuiz->setChecked(inKey && settings_.KeyEachQuiz);
    actAgainstKey->setChecked(settings_.AgainstKey);
}

void TCommands::EnableAccidentalsMenus(bool enabled) {
    // Like the staff, what is asked changes only between quizzes.
    if (mnuKey == nullptr)
        return;
    mnuAccidentals->setEnabled(enabled);
    mnuKey->setEnabled(enabled);
    // The items too, so their shortcuts and any other way to run them wait as well.
    for (QAction* item : mnuAccidentals->actions())
        item->setEnabled(enabled);
    for (QAction* item : mnuKey->actions())
        item->setEnabled(enabled);
}

} // namespace quavix
