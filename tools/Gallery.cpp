// Writes every view and every picture list of the trainer to PNG files, at 1:1 and enlarged, so anyone can
// look at them without playing: gallery [output folder] (default "gallery"). The same again for each device
// pixel ratio the pictures are baked for goes into a folder per ratio ("ratio-1.5" and so on), enlarged
// less as the ratio grows.

#include "Artwork.h"
#include "ArtworkDrawing.h"
#include "Canvas.h"
#include "InstrumentView.h"
#include "QuizEngine.h"
#include "SilentFrontEnd.h"
#include "StaffView.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <vector>

using namespace quavix;

namespace {

QDir output;
int written = 0;
double ratio = 1.0;

void Save(const QImage& image, const QString& name, int enlarge = 4) {
    // Enlarged about as much at every ratio, counted in logical pixels.
    enlarge = std::max(2, int(enlarge / ratio + 0.5));
    QImage plain = image;
    plain.setDevicePixelRatio(1.0);
    plain.save(output.filePath(name + ".png"));
    plain.scaled(plain.size() * enlarge, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(output.filePath(name + "-x" + QString::number(enlarge) + ".png"));
    written += 2;
}

// Pictures side by side on a checkerboard, so transparency shows.
QImage Strip(const std::vector<QImage>& pictures) {
    int width = 2;
    int height = 0;
    for (const QImage& picture : pictures) {
        width += picture.width() + 2;
        height = std::max(height, picture.height());
    }
    // Device pixels throughout: the strip is drawn pixel for pixel.
    QImage strip(width, height + 4, QImage::Format_RGB32);
    QPainter painter(&strip);
    for (int y = 0; y < strip.height(); y += 4)
        for (int x = 0; x < strip.width(); x += 4)
            painter.fillRect(x, y, 4, 4,
                             ((x + y) / 4) % 2 ? QColor(0xDD, 0xDD, 0xEE) : QColor(0xFF, 0xFF, 0xFF));
    int x = 2;
    for (QImage picture : pictures) {
        picture.setDevicePixelRatio(1.0);
        painter.drawImage(x, 2, picture);
        x += picture.width() + 2;
    }
    return strip;
}

void ImageLists() {
    std::vector<QImage> clefs, notes, lettersOn, lettersOff, iconsOn, iconsOff;
    for (int i = 0; i < Artwork::ClefCount; ++i)
        clefs.push_back(Artwork::Clef(i, ratio));
    for (int i = 0; i < Artwork::NoteCount; ++i)
        notes.push_back(Artwork::Note(i, ratio));
    for (int i = 0; i < Artwork::LetterCount; ++i) {
        lettersOn.push_back(Artwork::Letter(i, true, ratio));
        lettersOff.push_back(Artwork::Letter(i, false, ratio));
    }
    for (int i = 0; i < Artwork::ToolbarIconCount; ++i) {
        iconsOn.push_back(Artwork::ToolbarIcon(i, true, ratio));
        iconsOff.push_back(Artwork::ToolbarIcon(i, false, ratio));
    }
    Save(Strip(clefs), "list-clefs", 6);
    Save(Strip(notes), "list-notes", 6);
    Save(Strip(lettersOn), "list-letters-enabled", 6);
    Save(Strip(lettersOff), "list-letters-disabled", 6);
    // The note buttons in each naming, enabled above disabled.
    const char* namings[] = {"letters", "german", "fixed-do"};
    for (std::uint8_t naming = 0; naming < NoteNamingCount; ++naming) {
        std::vector<QImage> on, off;
        for (int i = 0; i < Artwork::LetterCount; ++i) {
            on.push_back(Artwork::NoteName(i, naming, true, ratio));
            off.push_back(Artwork::NoteName(i, naming, false, ratio));
        }
        Save(Strip(on), QString("list-names-%1-enabled").arg(namings[naming]), 6);
        Save(Strip(off), QString("list-names-%1-disabled").arg(namings[naming]), 6);
    }
    // Every other name there is a picture of, those a language writes with accents among them.
    std::vector<QImage> namesOn, namesOff;
    for (int i = 0; i < Artwork::NameCount; ++i) {
        namesOn.push_back(ArtworkDrawing::NoteName(i, true, ratio));
        namesOff.push_back(ArtworkDrawing::NoteName(i, false, ratio));
    }
    Save(Strip(namesOn), "list-names-all-enabled", 6);
    Save(Strip(namesOff), "list-names-all-disabled", 6);
    Save(Strip(iconsOn), "list-toolbar-enabled", 6);
    Save(Strip(iconsOff), "list-toolbar-disabled", 6);
    Save(Strip({Artwork::Timer(ratio), Artwork::Logo(ratio), Artwork::PointingHand(ratio)}), "pictures", 4);
    const auto icon = [](int size) { return Artwork::ProgramIcon(PixelGrid(ratio).Device(size)); };
    Save(Strip({icon(64), icon(32), icon(16)}), "program-icon", 4);
}

void Staves() {
    SilentFrontEnd front;
    ClockSeededRandom random(1);
    const char* staffNames[] = {"treble", "bass", "all"};
    for (std::uint8_t mode : {NoteButtons, GuitarFrets}) {
        for (std::uint8_t staff : {TrebleStaff, BassStaff, AllStaves}) {
            if (mode == GuitarFrets && staff != TrebleStaff)
                continue;
            const Settings settings{mode, staff};
            QuizEngine quiz(front, random, settings);
            quiz.BuildNoteTable();
            Canvas canvas(QSize(StaffView::Width, StaffView::Height), ratio);
            canvas.Fill(0, 0, canvas.Width(), canvas.Height(), 0xF0F0F0);
            StaffView view(canvas, quiz);
            view.pbxStaffPaint();
            Save(canvas.Image(),
                 QString("staff-%1-%2").arg(mode == GuitarFrets ? "guitar" : "grand", staffNames[staff]));
        }
    }
    // Every note picture on the staff: one row of each glyph, walking right as in a quiz.
    for (std::uint8_t mode : {NoteButtons, GuitarFrets}) {
        const Settings settings{mode, mode == GuitarFrets ? TrebleStaff : AllStaves};
        QuizEngine quiz(front, random, settings);
        quiz.BuildNoteTable();
        Canvas canvas(QSize(StaffView::Width, StaffView::Height), ratio);
        canvas.Fill(0, 0, canvas.Width(), canvas.Height(), 0xF0F0F0);
        StaffView view(canvas, quiz);
        view.pbxStaffPaint();
        quiz.State.Running = true;
        const int rows = mode == GuitarFrets ? GuitarSetRows : StaffSetRows;
        int shown = 0;
        bool glyphShown[Artwork::NoteCount] = {};
        for (int row = 0; row < rows && shown < 20; ++row) {
            const int glyph = quiz.Table[row].Glyph;
            if (glyphShown[glyph] && mode == GuitarFrets)
                continue;
            glyphShown[glyph] = true;
            quiz.State.CurrentNote = row;
            quiz.State.NotesLeft = 19 - shown++;
            view.DrawNote();
        }
        Save(canvas.Image(), mode == GuitarFrets ? "staff-notes-guitar" : "staff-notes-grand");
    }
}

void Instruments() {
    const char* layoutNames[] = {"single-octave", "full-treble", "full-bass", "full-all"};
    for (int layout = 0; layout < 4; ++layout) {
        Canvas canvas(QSize(InstrumentView::Width, InstrumentView::Height), ratio);
        const Settings settings{PianoKeys, static_cast<std::uint8_t>(layout == 0 ? 0 : layout - 1),
                                layout != 0};
        InstrumentView view(canvas, settings);
        view.pbxInstrumentPaint();
        Save(canvas.Image(), QString("piano-%1").arg(layoutNames[layout]));
        // Held on middle C (in the octave on E, next to it): the marker's hole takes the key's own colour.
        const int held = layout == 0 ? 14 : 12;
        int guitarString = 0;
        int fret = 0;
        for (int x = 0; x < InstrumentView::Width; ++x) {
            if (view.HitTest(x, 62, guitarString, fret) == held) {
                view.MouseDown(x, 62);
                break;
            }
        }
        Save(canvas.Image(), QString("piano-%1-pressed").arg(layoutNames[layout]));
    }
    for (bool rich : {true, false}) {
        Canvas canvas(QSize(InstrumentView::Width, InstrumentView::Height), ratio);
        const Settings settings{GuitarFrets, TrebleStaff, true, rich};
        InstrumentView view(canvas, settings);
        view.pbxInstrumentPaint();
        Save(canvas.Image(), rich ? "guitar-rich" : "guitar-plain");
        view.MouseDown(50, 30); // string 2, fret 1
        Save(canvas.Image(), rich ? "guitar-rich-pressed" : "guitar-plain-pressed");
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // The views draw into images only, so no display is needed: the offscreen platform will do.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir top(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("gallery"));
    for (double each : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        ratio = each;
        output = QDir(ratio == 1.0 ? top.path() : top.filePath(QString("ratio-%1").arg(ratio)));
        if (!output.mkpath(".")) {
            std::fprintf(stderr, "gallery: cannot create %s\n", qPrintable(output.path()));
            return 1;
        }
        ImageLists();
        Staves();
        Instruments();
    }
    std::printf("gallery: %d pictures in %s\n", written, qPrintable(top.absolutePath()));
    return 0;
}
