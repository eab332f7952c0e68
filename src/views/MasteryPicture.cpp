#include "MasteryPicture.h"

#include "Artwork.h"
#include "Canvas.h"
#include "PictureFont.h"
#include "StaffDrawing.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

namespace quavix {

namespace {

constexpr QRgb Black = 0x000000;
constexpr QRgb TextColour = 0x202020;
constexpr QRgb GridColour = 0xC8C8C8;
constexpr int LineSpacing = 10;
constexpr int StaffEnd = MasteryPicture::Width - 8;
constexpr int NoteWidth = 20;
constexpr int ChartLeft = 60;
constexpr int ChartRight = MasteryPicture::Width - 20;
constexpr int LegendTop = 20;
constexpr int LegendLeft = 6;
constexpr int ClefRowsAboveStaff = 14; // a clef picture's top line is its row 14
constexpr int LegendSpacing = 118;

void DrawStaves(Canvas& canvas, const StaffPlan& plan, int staves) {
    const int top = MasteryPicture::StaffTop;
    for (int staff = 0; staff < staves; ++staff) {
        const int staffTop = top + plan.StaffTop(staff);
        for (int i = 0; i < 5; ++i)
            canvas.Line(0, staffTop + LineSpacing * i, StaffEnd, staffTop + LineSpacing * i, Black);
        const std::uint8_t clef = plan.Clefs[static_cast<std::size_t>(staff)];
        canvas.Draw(6, staffTop - ClefRowsAboveStaff, Artwork::Clef(ClefPicture(clef, true), canvas.Ratio()));
    }
    const int upper = top + plan.StaffTop(0);
    const int bottom = top + plan.StaffTop(staves - 1) + 4 * LineSpacing + 1;
    canvas.Line(0, upper, 0, bottom, Black);
    canvas.Line(StaffEnd, upper, StaffEnd, bottom, Black);
}

void DrawGauge(Canvas& canvas, int noteX, int level, int top = MasteryPicture::GaugeTop) {
    for (int bar = 0; bar < MasteryPicture::GaugeBars; ++bar) {
        const QRect box = MasteryPicture::GaugeBar(noteX, bar, top);
        // Filled bars carry the level's colour; empty ones are outlined, so the count reads without colour.
        if (bar < level) {
            canvas.Fill(box.left(), box.top(), box.right() + 1, box.bottom() + 1,
                        MasteryPicture::LevelColour(level));
        } else {
            canvas.Fill(box.left(), box.top(), box.right() + 1, box.bottom() + 1, MasteryPicture::EmptyBar);
            canvas.Fill(box.left() + 1, box.top() + 1, box.right(), box.bottom(), MasteryPicture::Background);
        }
    }
}

// Draws the words into their place and notes those that need more room than it has.
void Words(QPainter& painter, const QRect& place, int flags, const QString& text, QStringList* overflowing) {
    painter.drawText(place, flags, text);
    const QRect needed = painter.boundingRect(place, flags, text);
    if (overflowing && (needed.width() > place.width() || needed.height() > place.height()))
        overflowing->append(
            QStringLiteral("%1 (needs %2, has %3)").arg(text).arg(needed.width()).arg(place.width()));
}

} // namespace

QRgb MasteryPicture::LevelColour(int level) {
    // From vermillion through orange and sky blue to blue: apart for the common kinds of colour blindness.
    switch (level) {
    case 1:
        return 0xD55E00;
    case 2:
        return 0xE69F00;
    case 3:
        return 0x56B4E9;
    case 4:
        return 0x0072B2;
    default:
        return EmptyBar;
    }
}

int MasteryPicture::NoteX(int index, int count) {
    // Spread over the staff after the clefs, at most 40 pixels apart.
    const int room = StaffEnd - 12 - FirstNoteX - NoteWidth;
    const int spacing = count > 1 ? std::min(40, room / (count - 1)) : 0;
    return FirstNoteX + spacing * index;
}

QRect MasteryPicture::GaugeBar(int noteX, int bar, int top) {
    const int width = GaugeBars * BarWidth + (GaugeBars - 1) * BarGap;
    const int left = noteX + (NoteWidth - width) / 2 + bar * (BarWidth + BarGap);
    // Each bar a little taller than the one before, as a signal-strength gauge.
    const int height = 3 + bar * 2;
    return QRect(left, top + GaugeHeight - height, BarWidth, height);
}

QRect MasteryPicture::DayBox(int day, int days) {
    const int pitch = days > 0 ? (ChartRight - ChartLeft) / days : 0;
    return QRect(ChartLeft + pitch * day + 4, ChartTop, std::max(1, pitch - 8), ChartHeight);
}

QImage MasteryPicture::Draw(const MasteryData& data, double ratio, QStringList* overflowing) {
    Canvas canvas(QSize(Width, Height), ratio);
    canvas.Fill(0, 0, Width, Height, Background);
    DrawStaves(canvas, data.Plan, data.InputMode == GuitarFrets ? 1 : data.Plan.StaffCount());
    for (int level = 0; level < MasteryLevels; ++level)
        DrawGauge(canvas, LegendLeft + LegendSpacing * level, level, LegendTop + 2);
    NoteTable table = data.Table;
    if (!data.ClefSet)
        BuildNoteTable(table, data.InputMode);
    const int count = static_cast<int>(data.Notes.size());
    for (int i = 0; i < count; ++i) {
        const MasteryMark& mark = data.Notes[static_cast<std::size_t>(i)];
        if (mark.Row < 0 || mark.Row >= NoteTableRows)
            continue;
        const NoteEntry& note = table[static_cast<std::size_t>(mark.Row)];
        DrawLedgerLines(canvas, note, NoteX(i, count), StaffTop);
        canvas.Draw(NoteX(i, count), StaffTop + note.Top, Artwork::Note(note.Glyph, ratio));
        DrawGauge(canvas, NoteX(i, count), std::clamp(mark.Level, 0, MasteryLevels - 1));
    }
    // The chart: a bar per day, as high as the share of fluent answers, over lines at 0, 50 and 100 %.
    const int days = static_cast<int>(data.Days.size());
    for (int line = 0; line <= 2; ++line) {
        const int y = ChartTop + ChartHeight - ChartHeight * line / 2;
        canvas.Line(ChartLeft, y, ChartRight, y, line == 0 ? Black : GridColour);
    }
    for (int day = 0; day < days; ++day) {
        const DayFluency& figures = data.Days[static_cast<std::size_t>(day)];
        if (figures.Answers <= 0)
            continue;
        const QRect box = DayBox(day, days);
        const int height = ChartHeight * figures.Fluent / figures.Answers;
        canvas.Fill(box.left(), box.bottom() + 1 - height, box.right() + 1, box.bottom() + 1, LevelColour(4));
    }

    QImage image = canvas.Image();
    QPainter painter(&image);
    painter.setPen(QColor::fromRgb(TextColour));
    painter.setFont(TextFont(12, true));
    Words(painter, QRect(6, 2, Width - 12, 16), Qt::AlignLeft | Qt::AlignVCenter,
          tr("How surely you read each note"), overflowing);
    painter.setFont(TextFont(11));
    const QString levels[] = {tr("not asked yet"), tr("learning"), tr("getting there"), tr("sure"),
                              tr("fluent")};
    for (int level = 0; level < MasteryLevels; ++level)
        Words(painter,
              QRect(LegendLeft + LegendSpacing * level + NoteWidth + 2, LegendTop,
                    LegendSpacing - NoteWidth - 8, 14),
              Qt::AlignLeft | Qt::AlignVCenter, levels[level], overflowing);
    painter.setFont(TextFont(12, true));
    Words(painter, QRect(6, ChartTop - 24, Width - 12, 16), Qt::AlignLeft | Qt::AlignVCenter,
          tr("Notes read right within 3 seconds, day by day"), overflowing);
    painter.setFont(TextFont(10));
    for (int line = 0; line <= 2; ++line)
        Words(painter, QRect(4, ChartTop + ChartHeight - ChartHeight * line / 2 - 6, ChartLeft - 8, 12),
              Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 %").arg(line * 50), overflowing);
    for (int day = 0; day < days && day < static_cast<int>(data.DayNames.size()); ++day) {
        const QRect box = DayBox(day, days);
        Words(painter, QRect(box.left() - 4, box.bottom() + 3, box.width() + 8, 12), Qt::AlignCenter,
              data.DayNames[static_cast<std::size_t>(day)], overflowing);
        if (data.Days[static_cast<std::size_t>(day)].Answers == 0)
            Words(painter, QRect(box.left() - 4, box.bottom() - 14, box.width() + 8, 12), Qt::AlignCenter,
                  QStringLiteral("\u2013"), overflowing);
    }
    painter.end();
    return image;
}

} // namespace quavix
