#include "UrlCatcher.h"

#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>

UrlCatcher::UrlCatcher(QStringList schemes) : schemes_(std::move(schemes)) {
    for (const QString& scheme : schemes_)
        QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlCatcher::~UrlCatcher() {
    for (const QString& scheme : schemes_)
        QDesktopServices::unsetUrlHandler(scheme);
}

void UrlCatcher::open(const QUrl& url) {
    urls.append(url);
    const QCursor* cursor = QGuiApplication::overrideCursor();
    cursors.append(cursor ? cursor->shape() : Qt::ArrowCursor);
}
