#pragma once

// The results window: the results picture in a scrolling view, with Export and Close. It is a window of
// its own beside the trainer, never modal, and it only shows what it is given.

#include <QImage>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QScrollArea;

namespace quavix {

class TScreenRatio;

class TResultsWindow final : public QWidget {
    Q_OBJECT
public:
    // exporter writes the answers to the file it is given; it returns an empty text, or why it failed.
    TResultsWindow(std::function<QString(const QString& path)> exporter, QWidget* parent);

    // The picture is drawn for Ratio() and shows at its logical size.
    void SetPicture(const QImage& picture);
    // The device pixel ratio the window is shown at; ratioChanged tells when it moved to another one.
    double Ratio() const;
    // Writes the export to path and tells the user only when that fails, as the Export button does once a
    // file is chosen.
    bool ExportTo(const QString& path);

signals:
    void ratioChanged(double ratio);

private:
    void ExportClicked();

    std::function<QString(const QString& path)> exporter_;
    QScrollArea* scroll_ = nullptr;
    QLabel* picture_ = nullptr;
    QPushButton* export_ = nullptr;
    TScreenRatio* screenRatio_ = nullptr;
};

} // namespace quavix
