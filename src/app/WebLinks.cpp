#include "WebLinks.h"

#include <QDesktopServices>
#include <QUrl>

namespace quavix {

QString WebAddress(int tag) {
    if (tag < 0 || tag >= int(WebLinks.size()))
        return {};
    return QStringLiteral("http://") + QString::fromLatin1(WebLinks[tag].HostAndPath);
}

void OpenWebLink(int tag) {
    const QString address = WebAddress(tag);
    if (!address.isEmpty())
        QDesktopServices::openUrl(QUrl(address));
}

} // namespace quavix
