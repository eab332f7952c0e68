// Runs the drawing code of every picture once, while the program is built, and writes the pixels as
// constant arrays into a C++ source (see src/views/ArtworkData.h): quavix_artwork_baker <ArtworkData.cpp>.
// The program then only wraps those pixels, so it draws no picture when it starts.
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
#include <vector>

using namespace quavix;

namespace {

class Writer {
public:
    // Defines `declaration` as the pictures, each with its pixels in an array named after `stem`.
    void Define(const char* declaration, const char* stem, const std::vector<QImage>& pictures) {
        tables_ += QByteArray("const Picture ") + declaration + " = ";
        if (pictures.size() > 1)
            tables_ += "{";
        for (size_t i = 0; i < pictures.size(); ++i) {
            const QByteArray name =
                stem + QByteArray(pictures.size() > 1 ? QByteArray::number(qsizetype(i)) : "");
            tables_ += (i == 0 ? "" : ", ") + Add(pictures[i], name);
        }
        tables_ += pictures.size() > 1 ? "};\n" : ";\n";
    }

    bool Failed() const { return failed_; }

    QByteArray Source() const {
        return "// Written while building by quavix_artwork_baker (tools/ArtworkBaker.cpp) from the drawing "
               "code in\n"
               "// src/views/artwork. Do not edit: change the drawing code instead.\n\n"
               "#include \"ArtworkData.h\"\n\n"
               "namespace quavix::ArtworkData {\n\n"
               "namespace {\n\n" +
               arrays_ + "\n} // namespace\n\n" + tables_ + "\n} // namespace quavix::ArtworkData\n";
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
};

template <typename Draw> std::vector<QImage> DrawAll(int count, Draw draw) {
    std::vector<QImage> pictures;
    for (int i = 0; i < count; ++i)
        pictures.push_back(draw(i));
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
    writer.Define("Clefs[Artwork::ClefCount]", "ClefPixels", DrawAll(Artwork::ClefCount, Clef));
    writer.Define("Notes[Artwork::NoteCount]", "NotePixels", DrawAll(Artwork::NoteCount, Note));
    writer.Define("Letters[Artwork::LetterCount]", "LetterPixels",
                  DrawAll(Artwork::LetterCount, [](int i) { return Letter(i, true); }));
    writer.Define("DisabledLetters[Artwork::LetterCount]", "DisabledLetterPixels",
                  DrawAll(Artwork::LetterCount, [](int i) { return Letter(i, false); }));
    writer.Define("ToolbarIcons[Artwork::ToolbarIconCount]", "ToolbarIconPixels",
                  DrawAll(Artwork::ToolbarIconCount, [](int i) { return ToolbarIcon(i, true); }));
    writer.Define("DisabledToolbarIcons[Artwork::ToolbarIconCount]", "DisabledToolbarIconPixels",
                  DrawAll(Artwork::ToolbarIconCount, [](int i) { return ToolbarIcon(i, false); }));
    writer.Define("Timer", "TimerPixels", {Timer()});
    writer.Define("Logo", "LogoPixels", {Logo()});
    writer.Define("ProgramIcons[ProgramIconCount]", "ProgramIconPixels",
                  DrawAll(ArtworkData::ProgramIconCount,
                          [](int i) { return ProgramIcon(ArtworkData::ProgramIconSizes[i]); }));
    writer.Define("PointingHand", "PointingHandPixels", {PointingHand()});
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
