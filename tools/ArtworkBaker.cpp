// Runs the drawing code of every picture once for every baked ratio, while the program is built, and writes
// the pixels as constant arrays into a C++ source (see src/views/ArtworkData.h):
// quavix_artwork_baker <ArtworkData.cpp>. The program then only wraps those pixels, so it draws no picture
// when it starts.
//
// Painting onto a QImage needs neither a display nor a GUI application object, so none is created.

#include "Artwork.h"
#include "ArtworkData.h"
#include "ArtworkDrawing.h"

#include <QByteArray>
#include <QImage>
#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <functional>
#include <vector>

using namespace quavix;

namespace {

class Writer {
public:
    // Defines an array of pictures named `name`, each with its pixels in an array of its own, and returns
    // the name. Only exported arrays are seen outside the source (those ArtworkData.h declares).
    QByteArray Define(const QByteArray& name, const std::vector<QImage>& pictures, bool exported = false) {
        QByteArray table = "const Picture " + name + "[] = {";
        for (size_t i = 0; i < pictures.size(); ++i)
            table +=
                (i == 0 ? "" : ", ") + Add(pictures[i], name + "Pixels" + QByteArray::number(qsizetype(i)));
        (exported ? tail_ : tables_) += table + "};\n";
        return name;
    }

    void Append(const QByteArray& text) { tail_ += text; }
    bool Failed() const { return failed_; }

    QByteArray Source() const {
        return "// Written while building by quavix_artwork_baker (tools/ArtworkBaker.cpp) from the drawing "
               "code in\n"
               "// src/views/artwork. Do not edit: change the drawing code instead.\n\n"
               "#include \"ArtworkData.h\"\n\n"
               "namespace quavix::ArtworkData {\n\n"
               "namespace {\n\n" +
               arrays_ + "\n" + tables_ + "\n} // namespace\n\n" + tail_ +
               "\n} // namespace quavix::ArtworkData\n";
    }

private:
    // Writes the picture's pixels and returns its initialiser, "{width, height, name}".
    QByteArray Add(const QImage& picture, const QByteArray& name) {
        if (picture.format() != QImage::Format_ARGB32 || picture.isNull()) {
            std::fprintf(stderr, "quavix_artwork_baker: %s is not a non-empty ARGB32 picture\n",
                         name.constData());
            failed_ = true;
            return "{0, 0, nullptr}";
        }
        arrays_ += "const std::uint32_t " + name + "[] = {";
        int column = 0;
        for (int y = 0; y < picture.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                arrays_ += column++ % 12 == 0 ? "\n    " : " ";
                // Transparent pixels are all zero; writing them short keeps the file small.
                arrays_ += line[x] == 0
                               ? QByteArray("0")
                               : "0x" + QByteArray::number(line[x], 16).toUpper().rightJustified(8, '0');
                arrays_ += ',';
            }
        }
        arrays_ += "\n};\n";
        return "{" + QByteArray::number(picture.width()) + ", " + QByteArray::number(picture.height()) +
               ", " + name + "}";
    }

    bool failed_ = false;
    QByteArray arrays_;
    QByteArray tables_;
    QByteArray tail_;
};

std::vector<QImage> DrawAll(int count, const std::function<QImage(int)>& draw) {
    std::vector<QImage> pictures;
    for (int i = 0; i < count; ++i)
        pictures.push_back(draw(i));
    return pictures;
}

// The staff's pictures once for each row phase of the ratio, phase by phase.
std::vector<QImage> DrawPlaced(double ratio, int period, int count,
                               const std::function<QImage(int, const PictureGrid&)>& draw) {
    std::vector<QImage> pictures;
    for (int phase = 0; phase < period; ++phase)
        for (int i = 0; i < count; ++i)
            pictures.push_back(draw(i, PictureGrid(ratio, QPoint(0, phase))));
    return pictures;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output source file>\n", argv[0]);
        return 2;
    }
    using namespace ArtworkDrawing;
    Writer writer;
    QByteArray sets = "const RatioSet Sets[BakedRatioCount] = {\n";
    for (int r = 0; r < ArtworkData::BakedRatioCount; ++r) {
        const double ratio = ArtworkData::BakedRatios[r];
        const int period = PixelGrid(ratio).Period();
        if (period <= 0) {
            std::fprintf(stderr, "quavix_artwork_baker: ratio %g has no row period\n", ratio);
            return 1;
        }
        const QByteArray stem = "Ratio" + QByteArray::number(r);
        QList<QByteArray> names;
        names << writer.Define(stem + "Clefs", DrawPlaced(ratio, period, Artwork::ClefCount, Clef))
              << writer.Define(stem + "Notes", DrawPlaced(ratio, period, Artwork::NoteCount, Note))
              << writer.Define(stem + "Letters",
                               DrawAll(Artwork::LetterCount, [=](int i) { return Letter(i, true, ratio); }))
              << writer.Define(stem + "DisabledLetters",
                               DrawAll(Artwork::LetterCount, [=](int i) { return Letter(i, false, ratio); }))
              << writer.Define(stem + "Names",
                               DrawAll(Artwork::NameCount, [=](int i) { return NoteName(i, true, ratio); }))
              << writer.Define(stem + "DisabledNames",
                               DrawAll(Artwork::NameCount, [=](int i) { return NoteName(i, false, ratio); }))
              << writer.Define(
                     stem + "ToolbarIcons",
                     DrawAll(Artwork::ToolbarIconCount, [=](int i) { return ToolbarIcon(i, true, ratio); }))
              << writer.Define(
                     stem + "DisabledToolbarIcons",
                     DrawAll(Artwork::ToolbarIconCount, [=](int i) { return ToolbarIcon(i, false, ratio); }))
              << writer.Define(stem + "Timer", {Timer(ratio)}) << writer.Define(stem + "Logo", {Logo(ratio)})
              << writer.Define(stem + "PointingHand", {PointingHand(ratio)})
              << writer.Define(stem + "Question", {Question(ratio)});
        sets += "    {" + QByteArray::number(ratio) + ", " + QByteArray::number(period) + ", " +
                names.join(", ") + "},\n";
    }
    writer.Append(sets + "};\n\n");
    writer.Define("ProgramIcons",
                  DrawAll(ArtworkData::ProgramIconCount,
                          [](int i) { return ProgramIcon(ArtworkData::ProgramIconSizes[i]); }),
                  true);
    if (writer.Failed())
        return 1;

    // Written whole or not at all, so a failed run never leaves half a source for the next build.
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(writer.Source()) < 0 || !file.commit()) {
        std::fprintf(stderr, "quavix_artwork_baker: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
