#include "About.h"

#include <QMessageBox>

// Placeholder until the About dialog lands.
void ShowAbout(QWidget* mainWindow, quavix::RandomSource& random, bool, const std::function<bool(int)>&) {
    random.Reseed();
    QMessageBox::about(mainWindow, "Quavix 2: About", "Quavix 2");
}
