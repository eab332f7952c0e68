#pragma once

// A front end that shows nothing: for tools and benchmarks that drive the engine without a window. A
// message counts as showing until RemoveNoteMessage.

#include "QuizEngine.h"

class SilentFrontEnd : public quavix::QuizFrontEnd {
public:
    void DrawNote(const quavix::NoteEntry&, int) override {}
    void EraseNote(int) override {}
    void ShowCounter(bool, const std::string&, int) override {}
    void SetScoreCaption(const std::string&) override {}
    void SetScoreColour(std::uint32_t) override {}
    void ShowNoteMessage(const quavix::NoteMessage&, const quavix::NoteEntry&, int) override {
        messageShowing_ = true;
    }
    void RemoveNoteMessage() override { messageShowing_ = false; }
    bool PopUpShowing() const override { return messageShowing_; }
    void ApplyCommandStates(const quavix::CommandStates&) override {}
    void EnableAnswerControl() override {}
    void StartCountTimer() override {}
    void StopCountTimer() override {}
    void ReleasePressedKey() override {}

private:
    bool messageShowing_ = false;
};
