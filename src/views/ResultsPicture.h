#pragma once

#include "AnswerRecord.h"
#include "MasteryPicture.h"
#include "NoteFigures.h"
#include "NoteNames.h"

#include <QCoreApplication>
#include <QImage>
#include <QRect>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace quavix {

// What the results show: the latest quiz's answers in the order asked, this run's figures per note
// (weakest first), and the kept history's figures of the last 7 and 30 days when progress is kept.
struct ResultsData {
    std::vector<AnswerRecord> Quiz;
    std::vector<NoteFigures> ThisRun;
    bool HistoryKept = false;
    std::map<NoteKey, NoteFigures> LastWeek;
    std::map<NoteKey, NoteFigures> LastMonth;
    NoteNamings NoteNaming = LetterNames; // how the chart names the notes
    std::optional<MasteryData> Mastery;   // the mastery map and fluency chart, under the rest
};

// The results as one picture. Above: the quiz's notes on a staff, each in the colour of its outcome with a
// mark under it (a tick, a cross, a clock, so no one needs to tell the colours apart) and the seconds it
// took. Below: a chart with a row per note of this run, its accuracy as a bar (right part, missed part)
// with the median time as a thin bar under it, and, with the history, the same for 7 and 30 days.
class ResultsPicture final {
    Q_DECLARE_TR_FUNCTIONS(ResultsPicture)

public:
    static constexpr int Width = 620;
    static constexpr int StaffTop = 26;     // the staff's own coordinates start here
    static constexpr int StaffHeight = 158; // as the trainer's staff
    static constexpr int FirstNoteX = 44;
    static constexpr int NoteSpacing = 28;
    static constexpr int NoteWidth = 20;
    static constexpr int MarkSize = 11;
    static constexpr int MarksTop = StaffTop + StaffHeight + 2;
    static constexpr int SecondsTop = MarksTop + MarkSize + 2;
    static constexpr int ChartTop = SecondsTop + 26;
    static constexpr int RowHeight = 18;
    static constexpr int BarWidth = 60;
    static constexpr int BarHeight = 8;
    static constexpr int TimeBarHeight = 3;
    static constexpr int TimeBarFullMs = 13000; // a time-out fills the time bar

    // Blue, vermillion and wine: they stay apart for every common kind of colour blindness, and each is
    // dark enough against the white ground.
    static QRgb OutcomeColour(Outcome outcome);
    static constexpr QRgb Background = 0xFFFFFF;

    // Left edge of the index-th answer's note picture; its head and mark are centred NoteWidth / 2 further.
    static int NoteX(int index) { return FirstNoteX + NoteSpacing * index; }
    // The box of the accuracy bar of a chart row: column 0 this run, 1 the last 7 days, 2 the last 30.
    static QRect BarBox(int row, int column);
    static int Height(const ResultsData& data);
    // Where the mastery part begins.
    static int MasteryTop(const ResultsData& data);
    // The quiz's notes shown on the staff: all of a quiz of up to 20, the last 20 of a longer one.
    static constexpr int ShownNotes = 20;

    // Drawn for the device pixel ratio, at the same logical size at every ratio. When overflowing is given,
    // it receives every text that did not fit its place (a long translation, say) with the room it needed;
    // the text is drawn all the same.
    static QImage Draw(const ResultsData& data, double ratio = 1.0, QStringList* overflowing = nullptr);
};

} // namespace quavix
