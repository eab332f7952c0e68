#pragma once

#include "SilentFrontEnd.h"
#include "StaffView.h"

// Draws on a real staff canvas, like the window; everything else the engine asks for costs nothing here.
class StaffFrontEnd final : public SilentFrontEnd {
public:
    quavix::StaffView* staff = nullptr;

    void DrawNote() override { staff->DrawNote(); }
    void EraseNote() override { staff->EraseNote(); }
};
