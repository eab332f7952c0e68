#pragma once

#include "SilentFrontEnd.h"
#include "StaffView.h"

// Draws on a real staff canvas, like the window; everything else the engine asks for costs nothing here.
class StaffFrontEnd final : public SilentFrontEnd {
public:
    quavix::StaffView* staff = nullptr;

    void DrawNote(const quavix::NoteEntry& note, int x) override { staff->DrawNote(note, x); }
    void EraseNote(int x) override { staff->EraseNote(x); }
};
