#include "HTMLHelp.h"

#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpLink>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace quavix {

namespace {

bool IsBlankOrControl(QChar c) {
    return c.unicode() <= 0x20 || c.unicode() == 0x7F;
}

const QString HelpScheme = QStringLiteral("qthelp");

// Shows topics out of the collection; links to web pages go to the browser.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {
        setOpenExternalLinks(true);
    }

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() == HelpScheme)
            return engine_.fileData(name);
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine& engine_;
};

} // namespace

// The help window: the contents on the left, the topic on the right. It lives until the help object goes,
// and closing it only hides it.
class HelpWindow final : public QWidget {
public:
    HelpWindow(QHelpEngine& engine, QWidget* beside) : contents_(engine.contentWidget()), beside_(beside) {
        setWindowTitle(QCoreApplication::translate("quavix::HelpWindow", "Quavix 2 Help"));
        // An open help window must not keep the program running once its main window has closed.
        setAttribute(Qt::WA_QuitOnClose, false);
        resize(DefaultSize);

        auto* splitter = new QSplitter(Qt::Horizontal, this);
        // The engine's own contents view; it belongs to the engine, so the splitter only borrows it.
        contents_->setParent(splitter);
        browser_ = new HelpBrowser(engine, splitter);
        splitter->addWidget(contents_);
        splitter->addWidget(browser_);
        splitter->setStretchFactor(1, 1);
        splitter->setSizes({260, 560});
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(splitter);

        QObject::connect(contents_, &QHelpContentWidget::linkActivated, this,
                         [this](const QUrl& url) { browser_->setSource(url); });
        // While this signal is sent the browser still reports the previous source, so the new one is passed
        // on.
        QObject::connect(browser_, &QTextBrowser::sourceChanged, this,
                         [this](const QUrl& url) { Select(url); });
        // The contents are read in the background; open them out and mark the topic once they are there.
        QHelpContentModel* model = engine.contentModel();
        // The contents view and its model outlive this window (the engine owns them), so the window itself
        // is the context of what it connects to them.
        QObject::connect(model, &QHelpContentModel::contentsCreated, this, [this] {
            contents_->expandAll();
            if (browser_->source().isEmpty())
                ShowFirstTopic();
            Select(browser_->source());
        });
        if (model->rowCount() > 0)
            contents_->expandAll();
    }

    ~HelpWindow() override {
        // The view is the engine's and serves the next window too; the help object frees it with the engine.
        contents_->setParent(nullptr);
    }

    void ShowTopic(const QUrl& url) {
        if (browser_->source() != url)
            browser_->setSource(url);
        Present();
    }

    // The contents with whatever topic is on show, the first one when none is.
    void ShowContents() {
        if (browser_->source().isEmpty())
            ShowFirstTopic();
        Present();
    }

    QUrl CurrentTopic() const { return browser_->source(); }

private:
    static constexpr QSize DefaultSize{820, 560};
    static constexpr QSize MinimumSize{360, 300};

    void Present() {
        if (!placed_) {
            // The first time only: from then on it stays where the user puts it.
            placed_ = true;
            PlaceBesideMainWindow();
        }
        if (isMinimized())
            showNormal();
        else
            show();
        raise();
        activateWindow();
    }

    // Beside the main window where the screen has room, so the control asked about stays in sight (narrower
    // or lower than usual if need be); otherwise where it covers the least of the main window.
    void PlaceBesideMainWindow() {
        if (!beside_ || !beside_->isVisible() || !beside_->screen())
            return;
        const QRect main = beside_->frameGeometry();
        const QRect area = beside_->screen()->availableGeometry();
        // Rectangles here are frames; this window's frame will be as much larger than its inside as the
        // main window's is.
        const QSize frame = main.size() - beside_->size();
        const QSize size = (DefaultSize + frame).boundedTo(area.size());
        const QSize least = MinimumSize + frame;
        const int right = area.right() - main.right() - Gap;
        const int left = main.left() - area.left() - Gap;
        const int below = area.bottom() - main.bottom() - Gap;
        const int above = main.top() - area.top() - Gap;
        std::vector<QRect> candidates;
        if (right >= least.width())
            candidates.emplace_back(main.right() + 1 + Gap, main.top(), std::min(size.width(), right),
                                    size.height());
        if (left >= least.width()) {
            const int width = std::min(size.width(), left);
            candidates.emplace_back(main.left() - Gap - width, main.top(), width, size.height());
        }
        if (below >= least.height())
            candidates.emplace_back(main.left(), main.bottom() + 1 + Gap, size.width(),
                                    std::min(size.height(), below));
        if (above >= least.height()) {
            const int height = std::min(size.height(), above);
            candidates.emplace_back(main.left(), main.top() - Gap - height, size.width(), height);
        }
        // Where no side has room, the usual size in each corner of the screen.
        for (QPoint corner : {area.topRight(), area.bottomRight(), area.topLeft(), area.bottomLeft()})
            candidates.emplace_back(
                QPoint(corner.x() == area.left() ? area.left() : area.right() + 1 - size.width(),
                       corner.y() == area.top() ? area.top() : area.bottom() + 1 - size.height()),
                size);
        QRect best;
        qint64 bestCovered = -1;
        for (QRect candidate : candidates) {
            // Slid into the screen; count how much of the main window it then covers.
            candidate.moveLeft(
                std::clamp(candidate.left(), area.left(), area.right() + 1 - candidate.width()));
            candidate.moveTop(
                std::clamp(candidate.top(), area.top(), area.bottom() + 1 - candidate.height()));
            const QRect overlap = candidate.intersected(main);
            const qint64 covered = overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
            if (bestCovered < 0 || covered < bestCovered) {
                best = candidate;
                bestCovered = covered;
            }
        }
        resize(best.size() - frame);
        move(best.topLeft());
    }

    void ShowFirstTopic() {
        QHelpContentModel& model = *static_cast<QHelpContentModel*>(contents_->model());
        if (model.rowCount() > 0)
            if (QHelpContentItem* item = model.contentItemAt(model.index(0, 0)))
                browser_->setSource(item->url());
    }

    // Marks the contents entry of a topic, if the topic has one.
    void Select(const QUrl& topic) {
        const QModelIndex index = contents_->indexOf(topic.adjusted(QUrl::RemoveFragment));
        if (index.isValid()) {
            contents_->setCurrentIndex(index);
            contents_->scrollTo(index);
        }
    }

    static constexpr int Gap = 8;

    QHelpContentWidget* contents_;
    QWidget* beside_;
    HelpBrowser* browser_ = nullptr;
    bool placed_ = false;
};

THTMLHelp::THTMLHelp() = default;

THTMLHelp::~THTMLHelp() {
    CloseEngine();
}

void THTMLHelp::SetMainWindow(QWidget* window) {
    mainWindow_ = window;
}

void THTMLHelp::SetHelpFile(const QString& fileName) {
    qsizetype first = 0;
    qsizetype last = fileName.size();
    while (first < last && IsBlankOrControl(fileName.at(first)))
        ++first;
    while (last > first && IsBlankOrControl(fileName.at(last - 1)))
        --last;
    fileName_ = fileName.mid(first, last - first);
}

bool THTMLHelp::OpenCollection() {
    if (fileName_.isEmpty())
        return false;
    if (engine_ && engineFile_ == fileName_)
        return true;
    CloseEngine();
    engineFile_.clear();
    // A help engine would create a missing collection; we only ever read the one that was installed.
    if (!QFileInfo(fileName_).isFile())
        return false;
    auto engine = std::make_unique<QHelpEngine>(fileName_);
    engine->setReadOnly(true);
    if (!engine->setupData() || engine->registeredDocumentations().isEmpty())
        return false;
    engine_ = std::move(engine);
    engineFile_ = fileName_;
    return true;
}

HelpWindow& THTMLHelp::EnsureWindow() {
    if (!window_)
        window_ = std::make_unique<HelpWindow>(*engine_, mainWindow_);
    return *window_;
}

void THTMLHelp::CloseEngine() {
    CloseAll();
    // The engine makes its contents view but never frees it; the view shows the engine's model, so it goes
    // first.
    if (engine_)
        delete engine_->contentWidget();
    engine_.reset();
}

void THTMLHelp::CloseAll() {
    window_.reset();
}

QUrl THTMLHelp::TopicUrl(int context) {
    if (!OpenCollection())
        return {};
    const QList<QHelpLink> links = engine_->documentsForIdentifier(QString::number(context));
    return links.isEmpty() ? QUrl() : links.first().url;
}

bool THTMLHelp::HelpCommand(std::uint16_t command, std::int32_t data) {
    // Help windows need a widget application; without one (or without a file) there is no help.
    if (fileName_.isEmpty() || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    switch (command) {
    case HH_DISPLAY_TOC:
        if (!OpenCollection())
            return false;
        EnsureWindow().ShowContents();
        return true;
    case HH_HELP_CONTEXT: {
        const QUrl url = TopicUrl(data);
        if (url.isEmpty())
            return false;
        EnsureWindow().ShowTopic(url);
        return true;
    }
    case HH_CLOSE_ALL:
        CloseAll();
        return true;
    default:
        return false;
    }
}

QWidget* THTMLHelp::Window() const {
    return window_.get();
}

QUrl THTMLHelp::CurrentTopic() const {
    return window_ ? window_->CurrentTopic() : QUrl();
}

namespace {

std::unique_ptr<THTMLHelp>& AppHelpHolder() {
    static std::unique_ptr<THTMLHelp> help;
    return help;
}

// Runs while the application object is being destroyed, when widgets may still be freed.
void FreeAppHelp() {
    AppHelpHolder().reset();
}

} // namespace

THTMLHelp& AppHelp() {
    auto& help = AppHelpHolder();
    if (!help) {
        help = std::make_unique<THTMLHelp>();
        qAddPostRoutine(FreeAppHelp);
    }
    return *help;
}

} // namespace quavix
