#include "HTMLHelp.h"

#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpLink>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWidget>

#include <functional>

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
class HelpWindow : public QWidget {
public:
    explicit HelpWindow(QHelpEngine& engine) : model_(*engine.contentModel()) {
        setWindowTitle(QStringLiteral("Quavix 2 Help"));
        // An open help window must not keep the program running once its main window has closed.
        setAttribute(Qt::WA_QuitOnClose, false);
        resize(820, 560);

        auto* splitter = new QSplitter(Qt::Horizontal, this);
        contents_ = new QTreeView(splitter);
        contents_->setModel(&model_);
        contents_->header()->hide();
        contents_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        browser_ = new HelpBrowser(engine, splitter);
        splitter->addWidget(contents_);
        splitter->addWidget(browser_);
        splitter->setStretchFactor(1, 1);
        splitter->setSizes({260, 560});
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(splitter);

        QObject::connect(contents_, &QTreeView::activated, browser_,
                         [this](const QModelIndex& index) { Open(index); });
        QObject::connect(contents_, &QTreeView::clicked, browser_,
                         [this](const QModelIndex& index) { Open(index); });
        // While this signal is sent the browser still reports the previous source, so the new one is passed
        // on.
        QObject::connect(browser_, &QTextBrowser::sourceChanged, contents_,
                         [this](const QUrl& url) { Select(url); });
        // The contents are read in the background; open them out and mark the topic once they are there.
        QObject::connect(&model_, &QHelpContentModel::contentsCreated, contents_, [this] {
            contents_->expandAll();
            if (browser_->source().isEmpty())
                ShowFirstTopic();
            Select(browser_->source());
        });
        if (model_.rowCount() > 0)
            contents_->expandAll();
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
    void Present() {
        if (isMinimized())
            showNormal();
        else
            show();
        raise();
        activateWindow();
    }

    void Open(const QModelIndex& index) {
        if (QHelpContentItem* item = model_.contentItemAt(index); item && item->url().isValid())
            browser_->setSource(item->url());
    }

    void ShowFirstTopic() {
        if (model_.rowCount() > 0)
            Open(model_.index(0, 0));
    }

    // Marks the contents entry of a topic, if the topic has one.
    void Select(const QUrl& topic) {
        const QUrl current = topic.adjusted(QUrl::RemoveFragment);
        std::function<QModelIndex(const QModelIndex&)> find = [&](const QModelIndex& parent) -> QModelIndex {
            for (int row = 0; row < model_.rowCount(parent); ++row) {
                const QModelIndex index = model_.index(row, 0, parent);
                QHelpContentItem* item = model_.contentItemAt(index);
                if (item && item->url().adjusted(QUrl::RemoveFragment) == current)
                    return index;
                if (const QModelIndex inner = find(index); inner.isValid())
                    return inner;
            }
            return {};
        };
        if (const QModelIndex index = find({}); index.isValid()) {
            contents_->setCurrentIndex(index);
            contents_->scrollTo(index);
        }
    }

    QHelpContentModel& model_;
    QTreeView* contents_ = nullptr;
    HelpBrowser* browser_ = nullptr;
};

THTMLHelp::THTMLHelp() = default;

THTMLHelp::~THTMLHelp() {
    CloseAll();
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
    CloseAll();
    engine_.reset();
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
        window_ = std::make_unique<HelpWindow>(*engine_);
    return *window_;
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
