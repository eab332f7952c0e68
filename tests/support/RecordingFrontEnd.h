#pragma once

#include "QuizEngine.h"

#include <string>
#include <vector>

// The message as the English window words it, so that quiz tests read like what the user sees.
inline std::string EnglishFeedback(const quavix::NoteMessage& message) {
    switch (message.What) {
    case quavix::NoteMessage::Kind::WrongNote:
        return std::string("You picked ") + message.Picked + ", but the note was really " + message.Asked;
    case quavix::NoteMessage::Kind::WrongOctave:
        return "You picked the right note but in the wrong octave";
    case quavix::NoteMessage::Kind::OutOfTime:
        return std::string("Sorry, out of time. This note is ") + message.Asked + ".";
    }
    return {};
}

// A front end that remembers what the engine asked of it, with a message that stays until the test lets
// it expire.
class RecordingFrontEnd : public quavix::QuizFrontEnd {
public:
    int drawCount = 0;
    int eraseCount = 0;
    std::vector<int> erasedAt; // NoteX at each erase
    bool counterVisible = false;
    std::string counterCaption;
    int counterTop = 0;
    std::string scoreCaption = "0";
    std::uint32_t scoreColour = 0;
    std::vector<std::string> messages;
    bool messageShowing = false;
    quavix::CommandStates states;
    int answerControlEnabled = 0;
    int levelSlider = 0;
    bool timerActive = false;
    int timerStarts = 0; // starts of a stopped timer, the only ones that restart its period
    int releases = 0;
    const quavix::QuizEngine* engine = nullptr;

    void DrawNote() override { ++drawCount; }
    void EraseNote() override {
        ++eraseCount;
        if (engine)
            erasedAt.push_back(engine->NoteX());
    }
    void ShowCounter(bool visible, const std::string& caption, int top) override {
        counterVisible = visible;
        counterCaption = caption;
        counterTop = top;
    }
    void SetScoreCaption(const std::string& caption) override { scoreCaption = caption; }
    void SetScoreColour(std::uint32_t rgb) override { scoreColour = rgb; }
    void ShowNoteMessage(const quavix::NoteMessage& message) override {
        messages.push_back(EnglishFeedback(message));
        messageShowing = true;
    }
    void RemoveNoteMessage() override { messageShowing = false; }
    bool PopUpShowing() const override { return messageShowing; }
    void ApplyCommandStates(const quavix::CommandStates& s) override { states = s; }
    void EnableAnswerControl() override { ++answerControlEnabled; }
    void SetLevelSlider(int level) override { levelSlider = level; }
    void StartCountTimer() override {
        if (!timerActive)
            ++timerStarts;
        timerActive = true;
    }
    void StopCountTimer() override { timerActive = false; }
    void ReleasePressedKey() override { ++releases; }

    // What the window does when the message's timer runs out.
    void ExpireMessage(quavix::QuizEngine& quiz) {
        if (!messageShowing)
            return;
        messageShowing = false;
        quiz.NoteMessageExpired();
    }
};

// A random source that plays back a fixed list, then repeats its last value; or a seeded generator.
class ScriptedRandom : public quavix::RandomSource {
public:
    std::vector<int> script;
    std::size_t next = 0;
    std::vector<int> asked; // the n of every call

    int RandomBelow(int n) override {
        asked.push_back(n);
        if (script.empty())
            return 0;
        const int value = script[std::min(next, script.size() - 1)];
        ++next;
        return value % n;
    }
    void Reseed() override {}
};
