#pragma once

// The staff view on its own canvas at a device pixel ratio, with the quiz engine that lays out its notes.
// The canvas starts as Untouched, so a test sees where the view never paints. The staff plan comes along
// for the clefs' ranges and positions that tests check the drawing against.

#include "Canvas.h"
#include "RecordingFrontEnd.h"
#include "StaffPlan.h"
#include "StaffView.h"

#include <QList>

struct StaffRig {
    static constexpr QRgb Untouched = 0x123456;

    RecordingFrontEnd front;
    ScriptedRandom random;
    quavix::Settings settings;
    quavix::QuizEngine quiz{front, random, settings};
    quavix::Canvas canvas;
    quavix::StaffView view{canvas, settings};

    explicit StaffRig(quavix::InputModes mode = quavix::NoteButtons,
                      quavix::StaffChoices staff = quavix::TrebleStaff, double ratio = 1.0)
        : canvas(QSize(quavix::StaffView::Width, quavix::StaffView::Height), ratio) {
        settings.InputMode = mode;
        settings.StaffChoice = staff;
        canvas.Fill(0, 0, quavix::StaffView::Width, quavix::StaffView::Height, Untouched);
        Paint();
    }
    // Lays the notes out again for the settings as they now stand and paints the empty staff.
    void Paint() {
        quiz.BuildNoteTable();
        view.pbxStaffPaint();
    }
    // Asks the given row as the note with notesLeft notes still to come, where the engine would draw it.
    void Show(int row, int notesLeft) {
        quiz.State.Running = true;
        quiz.State.CurrentNote = row;
        quiz.State.NotesLeft = notesLeft;
        view.DrawNote(quiz.Table[row], quiz.NoteX());
    }
    // The rows of column x, from y0 to y1, on which the canvas is dark.
    QList<int> DarkRows(int x, int y0, int y1) const {
        QList<int> rows;
        for (int y = y0; y <= y1; ++y)
            if (qGray(canvas.Pixel(x, y)) < 96)
                rows << y;
        return rows;
    }
};
