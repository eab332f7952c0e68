#pragma once

#include "AdaptivePractice.h"
#include "StaffPlan.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace quavix {

// What the mastery part of the results shows: every note of the chosen staves with how surely it is read,
// and the share of fluent answers on each of the last days.
struct MasteryData {
    std::uint8_t InputMode = NoteButtons; // whose note table the rows belong to
    std::vector<MasteryMark> Notes;
    std::vector<DayFluency> Days;  // oldest first, the last one today
    std::vector<QString> DayNames; // under each day's bar: the day of the month
    // The staves as the quiz draws them (the guitar uses the upper one). A quiz of other clefs or of a
    // range of the user's gives its note table too, whose rows the marks name; otherwise the rows are
    // those of the note set of InputMode.
    StaffPlan Plan;
    bool ClefSet = false;
    NoteTable Table{};
};

// The mastery map and the fluency chart as one picture, at the results' width. Each note stands on a staff
// with a gauge of four bars under it: as many bars are filled as the note is sure (none for a note never
// asked), and each level has its colour too, so the map reads with or without colour.
class MasteryPicture final {
    Q_DECLARE_TR_FUNCTIONS(MasteryPicture)

public:
    static constexpr int Width = 620;
    static constexpr int StaffTop = 38;
    static constexpr int StaffHeight = 158;
    static constexpr int GaugeTop = StaffTop + StaffHeight + 2;
    static constexpr int GaugeBars = MasteryLevels - 1;
    static constexpr int BarWidth = 4;
    static constexpr int BarGap = 1;
    static constexpr int GaugeHeight = 9;
    static constexpr int ChartTop = GaugeTop + GaugeHeight + 30;
    static constexpr int ChartHeight = 60; // a day's bar at 100 %
    static constexpr int Height = ChartTop + ChartHeight + 36;
    static constexpr int FirstNoteX = 44;
    static constexpr QRgb Background = 0xFFFFFF;
    static constexpr QRgb EmptyBar = 0xD8D8D8;

    static QRgb LevelColour(int level);
    // Left edge of the index-th note of the map; its gauge is centred under it.
    static int NoteX(int index, int count);
    // The box of the index-th gauge bar (0 the lowest level) of the note at x.
    static QRect GaugeBar(int noteX, int bar, int top = GaugeTop);
    // The box of day's bar at 100 %.
    static QRect DayBox(int day, int days);

    static QImage Draw(const MasteryData& data, double ratio = 1.0, QStringList* overflowing = nullptr);
};

} // namespace quavix
