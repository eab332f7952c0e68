#pragma once

#include <QString>

#include <cstdint>

namespace quavix {

// Small general routines of the application shell. Text positions count from 1.
std::int32_t Max(std::int32_t a, std::int32_t b);
std::int32_t PosFrom(const QString& sub, const QString& s, std::int32_t start);
std::int32_t LastPos(const QString& sub, const QString& s, std::int32_t before);
// A plain modal message box owned by the application: the title, the text, no icon, one OK button.
void ShowMessageBox(const QString& title, const QString& text);
// The folder of the running executable, ending in exactly one '/'.
QString ExeFolder();

} // namespace quavix
