#pragma once

// Takes the web addresses the program asks the desktop to open, instead of a browser, with the pointer
// shape at that moment. Registered for the given schemes while it lives.

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

class UrlCatcher final : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(QStringList schemes = {QStringLiteral("http")});
    ~UrlCatcher() override;

    QList<QUrl> urls;
    QList<Qt::CursorShape> cursors;

public slots:
    void open(const QUrl& url);

private:
    QStringList schemes_;
};
