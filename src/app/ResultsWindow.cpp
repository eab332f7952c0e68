#include "ResultsWindow.h"

#include "ScreenRatio.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace quavix {

namespace {
constexpr int MostVisibleHeight = 620; // beyond this the chart scrolls
}

TResultsWindow::TResultsWindow(std::function<QString(const QString& path)> exporter, QWidget* parent)
    : QWidget(parent, Qt::Window), exporter_(std::move(exporter)) {
    setObjectName(QStringLiteral("ResultsWindow"));
    setWindowTitle(tr("Quavix 2 Results"));
    setAttribute(Qt::WA_DeleteOnClose);
    screenRatio_ = new TScreenRatio(this);
    connect(screenRatio_, &TScreenRatio::ratioChanged, this, &TResultsWindow::ratioChanged);

    picture_ = new QLabel;
    picture_->setObjectName(QStringLiteral("imgResults"));
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_ = new QScrollArea;
    scroll_->setWidget(picture_);
    scroll_->setWidgetResizable(false);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    export_ = new QPushButton(tr("&Export\u2026"));
    export_->setObjectName(QStringLiteral("cmdExport"));
    export_->setToolTip(QString());
    auto* close = new QPushButton(tr("&Close"));
    close->setObjectName(QStringLiteral("cmdCloseResults"));
    connect(export_, &QPushButton::clicked, this, &TResultsWindow::ExportClicked);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(export_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll_);
    layout->addLayout(buttons);
}

void TResultsWindow::SetPicture(const QImage& picture) {
    picture_->setPixmap(PixmapOf(picture));
    const QSize size = picture.deviceIndependentSize().toSize();
    picture_->resize(size);
    const int frame = 2 * scroll_->frameWidth();
    scroll_->setMinimumWidth(size.width() + frame + scroll_->verticalScrollBar()->sizeHint().width());
    scroll_->setMinimumHeight(std::min(size.height(), MostVisibleHeight) + frame);
}

double TResultsWindow::Ratio() const {
    return screenRatio_->Ratio();
}

void TResultsWindow::ExportClicked() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Export Answers"),
                                                      QDir::home().filePath(tr("quavix-answers.csv")),
                                                      tr("Comma-separated values (*.csv)"));
    if (!path.isEmpty())
        ExportTo(path);
}

bool TResultsWindow::ExportTo(const QString& path) {
    const QString problem = exporter_(path);
    if (problem.isEmpty())
        return true;
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(),
                                tr("The answers could not be written to \u201c%1\u201d: %2")
                                    .arg(QDir::toNativeSeparators(path), problem),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return false;
}

} // namespace quavix
