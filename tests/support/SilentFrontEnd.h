#pragma once

// A front end that shows nothing: for tools and benchmarks that drive the engine without a window. A
// message counts as showing until RemoveNoteMessage.

#include "QuizEngine.h"

class SilentFrontEnd : public quavix::QuizFrontEnd {
public:
    void DrawNote() override {}
    void EraseNote() override {}
    void ShowCounter(bool, const std::string&, int) override {}
    void SetScoreCaption(const std::string&) override {}
    void SetScoreColour(std::uint32_t) override {}
    void ShowNoteMessage(const quavix::NoteMessage&) override { messageShowing_ = true; }
    void RemoveNoteMessage() override { messageShowing_ = false; }
    bool PopUpShowing() const override { return messageShowing_; }
    void ApplyCommandStates(const quavix::CommandStates&) override {}
    void EnableAnswerControl() override {}
    void SetLevelSlider(int) override {}
    void StartCountTimer() override {}
    void StopCountTimer() override {}
    void ReleasePressedKey() override {}

private:
    bool messageShowing_ = false;
};
