#include "SmallRoutines.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace quavix {

std::int32_t Max(std::int32_t a, std::int32_t b) {
    return a > b ? a : b;
}

std::int32_t PosFrom(const QString& sub, const QString& s, std::int32_t start) {
    // An empty pattern is never "found", and a start before the text means the text's beginning.
    if (sub.isEmpty())
        return 0;
    if (start < 1)
        start = 1;
    const qsizetype last = qsizetype(start) + sub.size() - 1;
    if (last > s.size())
        return 0;
    return std::int32_t(s.indexOf(sub, start - 1, Qt::CaseSensitive) + 1);
}

std::int32_t LastPos(const QString& sub, const QString& s, std::int32_t before) {
    const auto length = std::int32_t(s.size());
    if (sub.isEmpty())
        return length;
    // 0 and below count back from the end; anything past the end means the end.
    if (before <= 0)
        before = Max(length + before, 1);
    else if (before > length)
        before = length;
    if (sub.size() > s.size() || sub.size() > before)
        return 0;
    // The last occurrence that ends at or before `before` starts at or before before - length(sub) + 1.
    const qsizetype lastStart = before - sub.size();
    return std::int32_t(s.lastIndexOf(sub, lastStart, Qt::CaseSensitive) + 1);
}

void ShowMessageBox(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    // The text may carry file names or other outside input: never let it be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString ExeFolder() {
    QString folder;
    if (QCoreApplication::instance())
        folder = QCoreApplication::applicationDirPath();
    else
        folder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
    if (!folder.endsWith('/'))
        folder += '/';
    return folder;
}

} // namespace quavix
