#pragma once

#include "QuizEngine.h"

#include <string>
#include <vector>

// A front end that remembers what the engine asked of it, with a message that stays until the test lets
// it expire.
class RecordingFrontEnd : public quavix::QuizFrontEnd {
public:
    int drawCount = 0;
    int eraseCount = 0;
    std::vector<int> erasedAt; // the x of each erase
    bool counterVisible = false;
    std::string counterCaption;
    int counterTop = 0;
    std::string scoreCaption = "0";
    std::uint32_t scoreColour = 0;
    std::vector<quavix::NoteMessage> messages;
    bool messageShowing = false;
    quavix::CommandStates states;
    int answerControlEnabled = 0;
    bool timerActive = false;
    int timerStarts = 0; // starts of a stopped timer, the only ones that restart its period
    int releases = 0;
    std::vector<quavix::AnswerResult> judged; // what AnswerJudged was told

    void DrawNote(const quavix::NoteEntry&, int) override { ++drawCount; }
    void EraseNote(int x) override {
        ++eraseCount;
        erasedAt.push_back(x);
    }
    void ShowCounter(bool visible, const std::string& caption, int top) override {
        counterVisible = visible;
        counterCaption = caption;
        counterTop = top;
    }
    void SetScoreCaption(const std::string& caption) override { scoreCaption = caption; }
    void SetScoreColour(std::uint32_t rgb) override { scoreColour = rgb; }
    void ShowNoteMessage(const quavix::NoteMessage& message, const quavix::NoteEntry&, int) override {
        messages.push_back(message);
        messageShowing = true;
    }
    void RemoveNoteMessage() override { messageShowing = false; }
    bool PopUpShowing() const override { return messageShowing; }
    void ApplyCommandStates(const quavix::CommandStates& s) override { states = s; }
    void EnableAnswerControl() override { ++answerControlEnabled; }
    void StartCountTimer() override {
        if (!timerActive)
            ++timerStarts;
        timerActive = true;
    }
    void StopCountTimer() override { timerActive = false; }
    void ReleasePressedKey() override { ++releases; }
    void AnswerJudged(const quavix::Answer&, const quavix::AnswerResult& result) override {
        judged.push_back(result);
    }

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
    int reseeds = 0;

    int RandomBelow(int n) override {
        asked.push_back(n);
        if (script.empty())
            return 0;
        const int value = script[std::min(next, script.size() - 1)];
        ++next;
        return value % n;
    }
    void Reseed() override { ++reseeds; }
};
