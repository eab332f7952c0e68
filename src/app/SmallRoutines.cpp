#include "SmallRoutines.h"

#include <QCoreApplication>
#include <QMessageBox>

// Placeholder versions until the shell routines land.
std::int32_t Max(std::int32_t a, std::int32_t b) { return a > b ? a : b; }
std::int32_t IfThen(bool flag, std::int32_t a, std::int32_t b) { return flag ? a : b; }
std::int32_t PosFrom(const QString& sub, const QString& s, std::int32_t start) {
    return s.indexOf(sub, start - 1) + 1;
}
std::int32_t LastPos(const QString& sub, const QString& s, std::int32_t) { return s.lastIndexOf(sub) + 1; }
void ShowMessageBox(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.exec();
}
QString ExeFolder() { return QCoreApplication::applicationDirPath() + '/'; }
