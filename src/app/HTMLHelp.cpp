#include "HTMLHelp.h"

#include "HelpPlacement.h"

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

namespace quavix {

namespace {

bool IsBlankOrControl(QChar c) {
    return c.unicode() <= 0x20 || c.unicode() == 0x7F;
}

const QString HelpScheme = QStringLiteral("qthelp");

// A help engine over the collection, or null where it is missing or damaged, or the help file it registers
// is: no topic could be shown from it.
std::unique_ptr<QHelpEngine> OpenReadable(const QString& fileName) {
    // A help engine would create a missing collection; we only ever read the one that was installed.
    if (!QFileInfo(fileName).isFile())
        return nullptr;
    auto engine = std::make_unique<QHelpEngine>(fileName);
    engine->setReadOnly(true);
    if (!engine->setupData())
        return nullptr;
    const QStringList registered = engine->registeredDocumentations();
    if (registered.isEmpty())
        return nullptr;
    // The collection keeps a list of the help file's topics; reading one tells whether the file is there.
    const QList<QUrl> topics = engine->files(registered.first(), QString(), QStringLiteral("html"));
    if (topics.isEmpty() || engine->fileData(topics.first()).isEmpty())
        return nullptr;
    return engine;
}

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

        splitter_ = new QSplitter(Qt::Horizontal, this);
        // The engine's own contents view; it belongs to the engine, so the splitter only borrows it.
        contents_->setParent(splitter_);
        browser_ = new HelpBrowser(engine, splitter_);
        splitter_->addWidget(contents_);
        splitter_->addWidget(browser_);
        splitter_->setStretchFactor(1, 1);
        splitter_->setSizes({TreeWidth, DefaultSize.width() - TreeWidth});
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(splitter_);

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
    static constexpr int TreeWidth = 260;
    static constexpr int ReadableTextWidth = 480;

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

    // Beside the main window where the screen has room, so the control asked about stays in sight;
    // otherwise where it covers the least of the main window with a topic column that still reads well.
    void PlaceBesideMainWindow() {
        if (!beside_ || !beside_->isVisible() || !beside_->screen())
            return;
        // Rectangles here are frames; this window's frame will be as much larger than its inside as the
        // main window's is.
        const QSize frame = beside_->frameGeometry().size() - beside_->size();
        // The topic column is readable beside the splitter's handle, which stays when the tree folds away.
        const HelpPlacement place = PlaceHelpWindow(
            beside_->frameGeometry(), beside_->screen()->availableGeometry(), frame,
            {DefaultSize, MinimumSize, TreeWidth, ReadableTextWidth + splitter_->handleWidth()});
        resize(place.frame.size() - frame);
        move(place.frame.topLeft());
        // Folded away, the tree is still one drag of the splitter's handle away.
        if (place.treeCollapsed)
            splitter_->setSizes({0, width()});
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

    QHelpContentWidget* contents_;
    QWidget* beside_;
    QSplitter* splitter_ = nullptr;
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
    SetHelpFiles({fileName});
}

void THTMLHelp::SetHelpFiles(const QStringList& fileNames) {
    QStringList cleaned;
    for (const QString& fileName : fileNames) {
        qsizetype first = 0;
        qsizetype last = fileName.size();
        while (first < last && IsBlankOrControl(fileName.at(first)))
            ++first;
        while (last > first && IsBlankOrControl(fileName.at(last - 1)))
            --last;
        if (last > first)
            cleaned.append(fileName.mid(first, last - first));
    }
    // Other collections to choose from: the choice is made again when help is next asked for.
    if (cleaned != fileNames_) {
        CloseEngine();
        fileNames_ = cleaned;
    }
}

bool THTMLHelp::OpenCollection() {
    if (engine_)
        return true;
    engineFile_.clear();
    for (const QString& fileName : fileNames_) {
        if (auto engine = OpenReadable(fileName)) {
            engine_ = std::move(engine);
            engineFile_ = fileName;
            return true;
        }
    }
    return false;
}

HelpWindow& THTMLHelp::EnsureWindow() {
    if (!window_)
        window_ = std::make_unique<HelpWindow>(*engine_, mainWindow_);
    return *window_;
}

void THTMLHelp::CloseEngine() {
    CloseAll();
    engineFile_.clear();
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
    if (fileNames_.isEmpty() || !qobject_cast<QApplication*>(QCoreApplication::instance()))
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
