#include "QuizScreen.h"

#include "ClientArea.h"
#include "ColourScheme.h"
#include "Commands.h"
#include "FeedbackText.h"
#include "PopUpMessage.h"
#include "SoundCues.h"
#include "StaffPanel.h"

#include <QApplication>

namespace quavix {

TQuizScreen::TQuizScreen(const Parts& parts, QObject* parent) : QObject(parent), parts_(parts) {
    countTimer_.setInterval(CountdownPeriodMs);
    countTimer_.setObjectName(QStringLiteral("tmrCount")); // the benchmark build finds it to count faster
}

void TQuizScreen::DrawNote(const NoteEntry& note, int x) {
    parts_.Staff.DrawNote(note, x);
    parts_.Cues.NoteShown(note.Step, note.Alteration);
}

void TQuizScreen::ShowKey(int fifths) {
    parts_.Staff.ShowQuizKey(fifths);
}

void TQuizScreen::EraseNote(int x) {
    parts_.Staff.EraseNote(x);
}

void TQuizScreen::ShowCounter(bool visible, const std::string& caption, int top) {
    parts_.Client.ShowCounter(visible, QString::fromStdString(caption), top);
}

void TQuizScreen::SetScoreCaption(const std::string& caption) {
    parts_.Client.SetScoreCaption(QString::fromStdString(caption));
}

void TQuizScreen::SetScoreColour(std::uint32_t rgb) {
    if (rich_)
        parts_.Client.SetScoreColour(rgb);
}

void TQuizScreen::ShowNoteMessage(const NoteMessage& message, const NoteEntry& note, int x) {
    parts_.PopUps.ShowPopUp(FeedbackText(message, parts_.Choices.NoteNaming),
                            parts_.Staff.NoteAnchor(note, x), noteMessageMs_, HorzAnchor::Centre, true,
                            PopUpColour(rich_));
    parts_.Cues.AnswerMissed(note.Step, note.Alteration);
}

void TQuizScreen::RemoveNoteMessage() {
    parts_.PopUps.Clear();
    parts_.Cues.MessageGone();
}

bool TQuizScreen::PopUpShowing() const {
    return parts_.PopUps.Showing();
}

bool TQuizScreen::AnswersHeld() const {
    // A modal box or an open menu keeps clicks and typing from the window, so it keeps every answer.
    return QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr;
}

void TQuizScreen::ApplyCommandStates(const CommandStates& states) {
    parts_.Commands.ApplyStates(states);
    parts_.Client.SetLevelEnabled(states.LevelSlider);
}

void TQuizScreen::EnableAnswerControl() {
    parts_.Client.EnableAnswerControl();
}

void TQuizScreen::StartCountTimer() {
    // Restarting a running timer would push its next tick back.
    if (!countTimer_.isActive())
        countTimer_.start();
}

void TQuizScreen::StopCountTimer() {
    countTimer_.stop();
}

void TQuizScreen::ReleasePressedKey() {
    parts_.Presses.ReleaseFrom(Presser::Mouse());
    parts_.Presses.LetGoOfInstrument();
}

void TQuizScreen::AnswerJudged(const Answer& answer, const AnswerResult& result) {
    // A note named rightly is heard; a key or fret pressed was heard already.
    if (result.What == Verdict::Right && answer.What == Answer::Kind::NamedNote)
        parts_.Cues.AnswerRight(result.AskedStep, answer.Alteration); // a right name has the note's sign
}

} // namespace quavix
