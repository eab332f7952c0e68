#include "SoundWorker.h"

#include "SoundFonts.h"

#include <QFile>

namespace quavix {

SoundWorker::SoundWorker(SoundEngineFactory factory) : factory_(std::move(factory)) {}

void SoundWorker::Open(quint64 attempt, const QString& soundFont, const std::vector<std::string>& drivers) {
    QString error;
    std::shared_ptr<SoundEngine> engine = factory_(error);
    if (engine == nullptr) {
        emit Opened(attempt, nullptr, StartResult::ModuleMissing, error);
        return;
    }
    const QString font = soundFont.isEmpty() ? FindSoundFont() : soundFont;
    if (font.isEmpty()) {
        emit Opened(attempt, nullptr, StartResult::NoSoundFont, {});
        return;
    }

    SoundEngineSettings settings;
    settings.SoundFont = QFile::encodeName(font).toStdString();
    settings.Drivers = drivers;
    std::string detail;
    const OpenResult opened = engine->Open(settings, detail);
    StartResult result = StartResult::Started;
    switch (opened) {
    case OpenResult::Opened:
        break;
    case OpenResult::SetupFailed:
        result = StartResult::SetupFailed;
        break;
    case OpenResult::SoundFontFailed:
        result = StartResult::SoundFontFailed;
        break;
    case OpenResult::OutputFailed:
        result = StartResult::OutputFailed;
        break;
    }
    if (result != StartResult::Started)
        engine.reset(); // closed here, where closing may wait on a sound server
    emit Opened(attempt, std::move(engine), result, QString::fromStdString(detail));
}

} // namespace quavix
