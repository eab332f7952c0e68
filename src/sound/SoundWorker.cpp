#include "SoundWorker.h"

#include "SoundFonts.h"

#include <QFile>

namespace quavix {

void EngineHandoff::Want(quint64 attempt) {
    std::lock_guard lock(mutex_);
    wanted_ = attempt;
}

std::shared_ptr<SoundEngine> EngineHandoff::Take(quint64 attempt) {
    std::lock_guard lock(mutex_);
    if (attempt != wanted_ || attempt != offeredFor_)
        return nullptr;
    offeredFor_ = 0;
    return std::move(offered_);
}

bool EngineHandoff::IsWanted(quint64 attempt) const {
    std::lock_guard lock(mutex_);
    return attempt == wanted_;
}

bool EngineHandoff::Offer(quint64 attempt, std::unique_ptr<SoundEngine>& engine) {
    std::lock_guard lock(mutex_);
    if (attempt != wanted_)
        return false;
    offered_ = std::move(engine);
    offeredFor_ = attempt;
    return true;
}

std::shared_ptr<SoundEngine> EngineHandoff::LeftOver() {
    std::lock_guard lock(mutex_);
    offeredFor_ = 0;
    return std::move(offered_);
}

SoundWorker::SoundWorker(SoundEngineFactory factory, std::shared_ptr<EngineHandoff> handoff)
    : factory_(std::move(factory)), handoff_(std::move(handoff)) {}

void SoundWorker::Open(quint64 attempt, const QString& soundFont, const std::vector<std::string>& drivers) {
    // The engine of an earlier attempt goes before a new one is made, and an attempt the user has changed
    // their mind about since is not begun at all.
    CloseLeftOver();
    if (!handoff_->IsWanted(attempt))
        return;
    QString error;
    std::unique_ptr<SoundEngine> engine = factory_(error);
    if (engine == nullptr) {
        emit Opened(attempt, StartResult::ModuleMissing, error);
        return;
    }
    QString detail;
    const StartResult result = OpenEngine(*engine, soundFont, drivers, detail);
    // An engine that failed, or that is no longer wanted, is closed here, where closing may wait on a
    // sound server, and before anything else is opened.
    if (result == StartResult::Started && handoff_->Offer(attempt, engine)) {
        emit Opened(attempt, result, detail);
        return;
    }
    engine.reset();
    if (result != StartResult::Started)
        emit Opened(attempt, result, detail);
}

StartResult SoundWorker::OpenEngine(SoundEngine& engine, const QString& soundFont,
                                    const std::vector<std::string>& drivers, QString& detail) {
    const QString font = soundFont.isEmpty() ? FindSoundFont() : soundFont;
    if (font.isEmpty())
        return StartResult::NoSoundFont;
    SoundEngineSettings settings;
    settings.SoundFont = QFile::encodeName(font).toStdString();
    settings.Drivers = drivers;
    std::string said;
    const OpenResult opened = engine.Open(settings, said);
    detail = QString::fromStdString(said);
    switch (opened) {
    case OpenResult::Opened:
        return StartResult::Started;
    case OpenResult::SetupFailed:
        return StartResult::SetupFailed;
    case OpenResult::SoundFontFailed:
        return StartResult::SoundFontFailed;
    case OpenResult::OutputFailed:
        return StartResult::OutputFailed;
    }
    return StartResult::SetupFailed;
}

} // namespace quavix
