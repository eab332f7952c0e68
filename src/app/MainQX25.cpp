#include "MainQX25.h"

#include "Artwork.h"
#include "ColourScheme.h"
#include "Controls.h"
#include "HTMLHelp.h"
#include "SmallRoutines.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>

using namespace quavix;
using namespace quavix::ui;

namespace {

constexpr int InstrumentPanelHeight = 103;
constexpr int NoteButtonHeight = 36;

// The height of the answer control of an input mode; the window grows and shrinks by the difference.
int ControlHeight(std::uint8_t inputMode) {
    return inputMode == NoteButtons ? NoteButtonHeight : InstrumentPanelHeight;
}

// Every control carries its status-bar hint and help context as properties, so the hint tracking reads
// them the same way from any kind of widget.
void Describe(QWidget* widget, const char* name, const QString& accessibleName, const QString& hint = {},
              int helpContext = 0) {
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    widget->setProperty("hint", hint);
    widget->setProperty("helpContext", helpContext);
    if (!hint.isEmpty())
        widget->setAccessibleDescription(hint);
}

QFont BoldWindowFont(const QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    return font;
}

// The close confirmation. Esc answers No; dismissing the box through its close box lets the window close.
class TConfirmBox : public QMessageBox {
public:
    explicit TConfirmBox(QWidget* parent)
        : QMessageBox(QMessageBox::Question, "Confirm", "Quiz in progress. Really quit?",
                      QMessageBox::Yes | QMessageBox::No, parent) {
        setObjectName("ConfirmBox");
        setDefaultButton(QMessageBox::Yes);
        setEscapeButton(QMessageBox::No);
    }
    bool ClosedByCloseBox() const { return closedByCloseBox_; }

protected:
    void closeEvent(QCloseEvent* event) override {
        closedByCloseBox_ = true;
        QMessageBox::closeEvent(event);
    }

private:
    bool closedByCloseBox_ = false;
};

} // namespace

TFormQX25::TFormQX25(Options options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)),
      ownRandom_(options_.random ? nullptr : std::make_unique<ClockSeededRandom>()),
      engine_(*this, options_.random ? *options_.random : *ownRandom_),
      staffCanvas_(QSize(StaffView::Width, StaffView::Height)), staffView_(staffCanvas_, engine_),
      instrumentCanvas_(QSize(InstrumentView::Width, InstrumentView::Height)),
      instrumentView_(instrumentCanvas_) {
    setObjectName("FormQX25");
    setWindowTitle("Quavix 2");
    setAccessibleName("Quavix 2");
    // A fixed single border: system menu, minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QIcon icon;
    for (int size : {16, 32, 64})
        icon.addPixmap(QPixmap::fromImage(Artwork::ProgramIcon(size)));
    setWindowIcon(icon);

    QFont font("Arial");
    font.setPixelSize(16);
    setFont(font);
    // The menus keep the system's menu font, as menus do everywhere else.
    menuBar()->setFont(QApplication::font("QMenuBar"));

    tmrCount_.setInterval(CountdownPeriodMs);
    connect(&tmrCount_, &QTimer::timeout, this, [this] { engine_.tmrCountTimer(); });

    CreateControls();
    CreateCommands();
    CreateToolBars();
    CreateMenus();
    FormCreate();

    if (!startupFailed_) {
        layout()->activate();
        adjustSize();
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    }
}

TFormQX25::~TFormQX25() {
    // Free the pop-ups, newest first, while the window they sit on still exists.
    while (!popUpList_.empty())
        popUpList_.pop_back();
    qApp->removeEventFilter(this);
}

void TFormQX25::CreateControls() {
    client_ = new QWidget(this);
    client_->setObjectName("ClientArea");
    client_->setFixedSize(ClientWidth, ClientHeight);
    client_->setAutoFillBackground(true);
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(DesignColours::Window));
    client_->setPalette(palette);
    setCentralWidget(client_);
    // The window takes exactly the size of its client area plus the menu bar, and follows it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    tbarOptions_ = new TToolBar(client_);
    Describe(tbarOptions_, "tbarOptions", "Options", {}, 108);
    tbarOptions_->setGeometry(0, 0, 395, 36);
    tbarOptions_->SetEdges(Bevel::Raised);

    pbxStaff_ = new TPaintBox(staffCanvas_, client_);
    Describe(pbxStaff_, "pbxStaff", "Staff", "The notes in the quiz are displayed in this area", 101);
    pbxStaff_->setGeometry(8, 42, StaffView::Width, StaffView::Height);

    pnlCount_ = new TPanel(client_);
    Describe(pnlCount_, "pnlCount", "Time left",
             "During a quiz, this shows the time left to identify the current note", 106);
    pnlCount_->setGeometry(308, 44, 81, 159);
    pnlCount_->SetColour(DesignColours::Window);

    imgTimer_ = new QLabel(pnlCount_);
    Describe(imgTimer_, "imgTimer", "Hourglass");
    imgTimer_->setGeometry(0, 8, 80, 134);
    imgTimer_->setPixmap(QPixmap::fromImage(Artwork::Timer()));

    cmdCount_ = new TCountButton(pnlCount_);
    Describe(cmdCount_, "cmdCount", "Seconds left");
    cmdCount_->setGeometry(19, 39, 40, 40);
    cmdCount_->setText("12");
    cmdCount_->setFont(BoldWindowFont(this));

    tbarNotes_ = new TToolBar(client_);
    Describe(tbarNotes_, "tbarNotes", "Note buttons", "Use these buttons or the keyboard to select notes",
             102);
    tbarNotes_->setGeometry(57, 212, 281, 40);
    tbarNotes_->SetTransparent(true);
    for (int i = 0; i < Artwork::LetterCount; ++i) {
        auto* button = new TToolButton(tbarNotes_);
        const QString letter(QChar('A' + i));
        Describe(button, qPrintable(QString("tbNote%1").arg(i)), "Note " + letter);
        button->setGeometry(1 + 40 * i, 2, 36, 36);
        QIcon picture;
        picture.addPixmap(QPixmap::fromImage(Artwork::Letter(i, true)), QIcon::Normal);
        picture.addPixmap(QPixmap::fromImage(Artwork::Letter(i, false)), QIcon::Disabled);
        button->setIcon(picture);
        button->setProperty("tag", i);
        connect(button, &QToolButton::clicked, this, [this, i] { tbNoteClick(i); });
        tbNotes_.push_back(button);
    }

    // Designed below the note buttons; start-up moves it onto them.
    pnlInstrument_ = new TPanel(client_);
    Describe(pnlInstrument_, "pnlInstrument", "Instrument");
    pnlInstrument_->setGeometry(8, 157, 379, InstrumentPanelHeight);
    pnlInstrument_->SetBevelOuter(Bevel::Lowered);
    pnlInstrument_->SetColour(DesignColours::Instrument);

    pbxInstrument_ = new TPaintBox(instrumentCanvas_, pnlInstrument_);
    Describe(pbxInstrument_, "pbxInstrument", "Instrument keys",
             "Use these controls or the keyboard to select notes");
    pbxInstrument_->setGeometry(1, 1, InstrumentView::Width, InstrumentView::Height);
    connect(pbxInstrument_, &TPaintBox::mousePressed, this, &TFormQX25::pbxInstrumentMouseDown);
    connect(pbxInstrument_, &TPaintBox::mouseMoved, this, &TFormQX25::pbxInstrumentMouseMove);
    connect(pbxInstrument_, &TPaintBox::mouseReleased, this, &TFormQX25::pbxInstrumentMouseUp);

    pnlScoreboard_ = new TPanel(client_);
    Describe(pnlScoreboard_, "pnlScoreboard", "Score board",
             "Your score is shown here during and after a quiz", 107);
    pnlScoreboard_->setGeometry(110, 270, 183, 23);
    pnlScoreboard_->SetColour(DesignColours::Window);

    lblScore_ = new TLabel("Score", Qt::AlignRight, pnlScoreboard_);
    Describe(lblScore_, "lblScore", "Score");
    lblScore_->setGeometry(0, 0, 42, 22);
    lblScore_->SetColour(DesignColours::Window);

    pnlScore_ = new TPanel(pnlScoreboard_);
    Describe(pnlScore_, "pnlScore", "Score", {}, 15);
    pnlScore_->setGeometry(52, 0, 37, 23);
    pnlScore_->SetBevelOuter(Bevel::Lowered);
    pnlScore_->SetCaption("0");
    pnlScore_->SetColour(DesignColours::Score);
    pnlScore_->SetCaptionColour(0xFFFFFF);
    pnlScore_->setFont(BoldWindowFont(this));

    lblOutOf_ = new TLabel("out of", Qt::AlignHCenter, pnlScoreboard_);
    Describe(lblOutOf_, "lblOutOf", "out of");
    lblOutOf_->setGeometry(90, 0, 54, 22);
    lblOutOf_->SetColour(DesignColours::Window);

    pnlMaxScore_ = new TPanel(pnlScoreboard_);
    Describe(pnlMaxScore_, "pnlMaxScore", "Maximum score", {}, 15);
    pnlMaxScore_->setGeometry(146, 0, 37, 23);
    pnlMaxScore_->SetBevelOuter(Bevel::Lowered);
    pnlMaxScore_->SetCaption(QString::number(MaxScore));
    pnlMaxScore_->SetColour(DesignColours::MaxScore);
    pnlMaxScore_->SetCaptionColour(0xFFFFFF);
    pnlMaxScore_->setFont(BoldWindowFont(this));

    const QString levelHint = "Click the track and/or slide the box to change the quiz difficulty level";
    pnlLevel_ = new TPanel(client_);
    Describe(pnlLevel_, "pnlLevel", "Level", levelHint, 105);
    pnlLevel_->setGeometry(24, 312, 260, 25);
    pnlLevel_->SetColour(DesignColours::Window);

    lblLevel_ = new TLabel("Level", Qt::AlignRight, pnlLevel_);
    Describe(lblLevel_, "lblLevel", "Level");
    lblLevel_->setGeometry(-1, 2, 37, 18);
    lblLevel_->SetColour(DesignColours::Window);

    trkLevel_ = new TLevelSlider(pnlLevel_);
    Describe(trkLevel_, "trkLevel", "Level", levelHint);
    trkLevel_->setGeometry(42, -2, 215, 28);
    trkLevel_->setRange(MinLevel, MaxLevel);
    trkLevel_->setPageStep(2);
    trkLevel_->setValue(1);
    trkLevel_->SetColour(DesignColours::Window);
    trkLevel_->SetThumbColour(DesignColours::SliderThumb);
    connect(trkLevel_, &QAbstractSlider::valueChanged, this, &TFormQX25::trkLevelChange);

    pnlClose_ = new TClosePanel(client_);
    Describe(pnlClose_, "pnlClose", "Close", "Exit Quavix [Alt+F4]");
    pnlClose_->setGeometry(307, 307, 80, 32);
    pnlClose_->SetCaption("Close");
    pnlClose_->SetSoftFrame(true);
    pnlClose_->SetBevelOuter(Bevel::Raised);
    pnlClose_->SetColour(DesignColours::Window);
    connect(pnlClose_, &TClosePanel::mouseEntered, this, &TFormQX25::pnlCloseMouseEnter);
    connect(pnlClose_, &TClosePanel::mouseLeft, this, &TFormQX25::pnlCloseMouseLeave);
    connect(pnlClose_, &TClosePanel::mouseMoved, this, &TFormQX25::pnlCloseMouseMove);
    connect(pnlClose_, &TClosePanel::mousePressed, this, &TFormQX25::pnlCloseMouseDown);
    connect(pnlClose_, &TClosePanel::mouseReleased, this, &TFormQX25::pnlCloseMouseUp);
    connect(pnlClose_, &TClosePanel::clicked, this, &TFormQX25::cmdCloseClick);

    sbHints_ = new TStatusBar(client_);
    Describe(sbHints_, "sbHints", "Hints", "Describes the control under the mouse pointer");
    sbHints_->setGeometry(0, 350, 395, 30);
    palette = sbHints_->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(DesignColours::StatusBar));
    palette.setColor(QPalette::WindowText, Qt::black);
    sbHints_->setPalette(palette);

    bottomAnchored_ = {pnlScoreboard_, pnlLevel_, pnlClose_, sbHints_};
}

void TFormQX25::FormCreate() {
    const auto step = [this](int number) {
        if (options_.beforeStep)
            options_.beforeStep(number);
    };
    try {
        step(1);
        // Key preview and hint tracking see every event of the application first.
        qApp->installEventFilter(this);
        step(2);
        ApplyColourScheme();
        step(3);
        AppHelp().SetHelpFile(ExeFolder() + "Quavix 2.qhc");
        step(4);
        popUpList_.clear();
        step(5);
        engine_.SetLevel(1);
        step(6);
        engine_.BuildNoteTable();
        step(7);
        EraseStaffBox();
        staffView_.DrawStaves();
        FlushStaff();
        step(8);
        pnlInstrument_->move(pnlInstrument_->x(), tbarNotes_->y());
        pnlInstrument_->hide();
        engine_.InputMode = NoteButtons;
        instrumentView_.InputMode = NoteButtons;
        step(9);
        if (richColour_) {
            engine_.ShowScoreColour();
            pnlMaxScore_->SetColour(ScoreColour(MaxScore));
        }
        step(10);
        SetInputMode(NoteButtons);
        step(11);
        SetStaffChoice(TrebleStaff);
        step(12);
        ChooseKeyboardLayout();
        step(13);
        SetFullRange(false);
        step(14);
        engine_.EndQuiz();
    } catch (const std::exception& error) {
        ShowMessageBox("Quavix 2",
                       "Quavix 2 encountered a problem on start-up: " + QString::fromLocal8Bit(error.what()));
        startupFailed_ = true;
    } catch (...) {
        ShowMessageBox("Quavix 2", "Quavix 2 encountered a problem on start-up: an unknown error");
        startupFailed_ = true;
    }
}

void TFormQX25::ApplyColourScheme() {
    int depth = options_.colourDepth;
    if (depth <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        depth = screen ? screen->depth() : 32;
    }
    const ColourScheme scheme = ColourSchemeForDepth(depth);
    richColour_ = scheme.RichColour;
    engine_.RichColour = richColour_;
    instrumentView_.RichColour = richColour_;
    backgroundColour_ = scheme.BackgroundColour;
    closePanelColour_ = scheme.ClosePanelColour;
    // The staff clears with the background colour in every scheme.
    staffView_.SetBackgroundColour(backgroundColour_);

    trkLevel_->SetThumbColour(scheme.SliderThumbColour);
    pnlMaxScore_->SetColour(scheme.MaxScoreColour);
    tbarNotes_->SetHotTrack(scheme.HotTrack, scheme.NotesHotTrackColour);
    tbarOptions_->SetHotTrack(scheme.HotTrack, scheme.OptionsHotTrackColour);
    const std::optional<QRgb> gradientEnd =
        scheme.Gradient ? std::optional<QRgb>(scheme.GradientEndColour.value_or(SystemWindow)) : std::nullopt;
    tbarOptions_->SetGradient(gradientEnd, SystemWindow);
    tbarNotes_->SetGradient(gradientEnd, SystemWindow);
    if (!scheme.RecolourControls)
        return;

    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(backgroundColour_));
    client_->setPalette(palette);
    lblLevel_->SetColour(backgroundColour_);
    pnlLevel_->SetColour(backgroundColour_);
    trkLevel_->SetColour(backgroundColour_);
    palette = sbHints_->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(backgroundColour_));
    sbHints_->setPalette(palette);
    pnlCount_->SetColour(backgroundColour_);
    lblScore_->SetColour(backgroundColour_);
    pnlScoreboard_->SetColour(backgroundColour_);
    lblOutOf_->SetColour(backgroundColour_); // it takes its colour from the score board
    pnlClose_->SetColour(closePanelColour_);
}

void TFormQX25::SetClientHeight(int height) {
    const int change = height - client_->height();
    client_->setFixedSize(ClientWidth, height);
    for (QWidget* control : bottomAnchored_)
        control->move(control->x(), control->y() + change);
    // The window follows at once, not at the next layout pass.
    layout()->activate();
}

// ---- Input mode, staff choice and keyboard range ----

void TFormQX25::SetInputMode(std::uint8_t newMode) {
    const std::uint8_t oldMode = engine_.InputMode;
    if (newMode != oldMode) {
        // A key held on the old instrument means nothing on the new one.
        CancelInstrumentPress();
        pnlInstrument_->setVisible(newMode != NoteButtons);
        tbarNotes_->setVisible(newMode == NoteButtons);
        if (newMode != NoteButtons)
            pnlInstrument_->setProperty("helpContext", newMode == PianoKeys ? 103 : 104);
        SetClientHeight(client_->height() + ControlHeight(newMode) - ControlHeight(oldMode));
        engine_.InputMode = newMode;
        instrumentView_.InputMode = newMode;
    }
    if (oldMode == GuitarFrets || engine_.InputMode == GuitarFrets) {
        engine_.BuildNoteTable();
        // Every guitar note is written on the treble staff, and the guitar answers with exact notes.
        if (engine_.InputMode == GuitarFrets) {
            engine_.StaffChoice = TrebleStaff;
            instrumentView_.FullRange = true;
        }
        EraseStaffBox();
        staffView_.pbxStaffPaint();
        FlushStaff();
    }
    ApplyCheckMarks();
    ApplyCommandStates(CommandStatesFor(engine_.State.Running, engine_.InputMode));
    SetFullRange(instrumentView_.FullRange);
}

void TFormQX25::SetStaffChoice(std::uint8_t choice) {
    engine_.StaffChoice = choice;
    ApplyCheckMarks();
    EraseStaffBox();
    staffView_.pbxStaffPaint();
    FlushStaff();
}

void TFormQX25::SetFullRange(bool value) {
    instrumentView_.FullRange = value;
    ApplyCheckMarks();
    ChooseKeyboardLayout();
}

void TFormQX25::ChooseKeyboardLayout() {
    instrumentView_.ChooseKeyboardLayout(engine_.StaffChoice);
    FlushInstrument();
}

// ---- Help ----

bool TFormQX25::ShowHelpTopic(int context) {
    if (context != 0) {
        const bool shown = AppHelp().ShowContext(context);
        if (!shown)
            ShowMessageBox("Quavix 2 Error", QString("Context topic %1 is unavailable").arg(context));
        return shown;
    }
    // The contents come with their introduction topic beside them; a failure here stays silent.
    return AppHelp().ShowContents() && AppHelp().ShowContext(110);
}

// ---- Pop-ups ----

void TFormQX25::ShowPopUp(const QString& text, QPoint anchor, int displayMs, int horz, bool above) {
    if (!popUpList_.empty())
        popUpList_.erase(popUpList_.begin()); // its timer goes with it, so it never expires
    popUpList_.push_back(std::make_unique<TPopUpMessage>(client_, text, PopUpTimerID, displayMs, anchor,
                                                         HorzAnchor(horz), above, PopUpColour(richColour_),
                                                         [this](int id) { OnPopUpTimer(id); }));
}

TPopUpMessage* TFormQX25::PopUp() const {
    return popUpList_.empty() ? nullptr : popUpList_.front().get();
}

void TFormQX25::OnPopUpTimer(int id) {
    for (auto it = popUpList_.begin(); it != popUpList_.end(); ++it) {
        if ((*it)->TimerID() == id) {
            popUpList_.erase(it);
            engine_.NoteMessageExpired();
            return;
        }
    }
}

// ---- The quiz engine's front end ----

void TFormQX25::DrawNote() {
    staffView_.DrawNote();
    FlushStaff();
}

void TFormQX25::EraseNote() {
    staffView_.EraseNote();
    FlushStaff();
}

void TFormQX25::ShowCounter(bool visible, const std::string& caption, int top) {
    cmdCount_->setText(QString::fromStdString(caption));
    cmdCount_->move(cmdCount_->x(), top);
    cmdCount_->setVisible(visible);
}

void TFormQX25::SetScoreCaption(const std::string& caption) {
    pnlScore_->SetCaption(QString::fromStdString(caption));
}

void TFormQX25::SetScoreColour(std::uint32_t rgb) {
    pnlScore_->SetColour(rgb);
}

void TFormQX25::ShowNoteMessage(const std::string& text) {
    const NoteEntry& row = engine_.Table[engine_.State.CurrentNote];
    // Centred just above the note picture, about the middle of its 20-pixel width.
    const QPoint anchor(pbxStaff_->x() + staffView_.NoteX() + 10, pbxStaff_->y() + row.Top - 2);
    ShowPopUp(QString::fromStdString(text), anchor, NoteMessageMs, int(HorzAnchor::Centre), true);
}

void TFormQX25::RemoveNoteMessage() {
    popUpList_.clear();
}

bool TFormQX25::PopUpShowing() const {
    return !popUpList_.empty();
}

void TFormQX25::ApplyCommandStates(const CommandStates& states) {
    actNoteButtons_->setEnabled(states.NoteButtons);
    actPianoKeys_->setEnabled(states.PianoKeys);
    actGuitar_->setEnabled(states.Guitar);
    actTrebleNotes_->setEnabled(states.TrebleNotes);
    actBassNotes_->setEnabled(states.BassNotes);
    actAllNotes_->setEnabled(states.AllNotes);
    actSingleOctave_->setEnabled(states.SingleOctave);
    actFullRange_->setEnabled(states.FullRange);
    actBeginQuiz_->setEnabled(states.BeginQuiz);
    actEndQuiz_->setEnabled(states.EndQuiz);
    trkLevel_->setEnabled(states.LevelSlider);
}

void TFormQX25::EnableAnswerControl() {
    if (!tbarNotes_->isHidden())
        tbarNotes_->setEnabled(true);
    else
        pnlInstrument_->setEnabled(true);
}

void TFormQX25::SetLevelSlider(int level) {
    // Only the user's moves of the slider count as a level change.
    const QSignalBlocker blocker(trkLevel_);
    trkLevel_->setValue(level);
    trkLevel_->update();
}

void TFormQX25::StartCountTimer() {
    // Restarting a running timer would push its next tick back.
    if (!tmrCount_.isActive())
        tmrCount_.start();
}

void TFormQX25::StopCountTimer() {
    tmrCount_.stop();
}

void TFormQX25::ReleasePressedKey() {
    instrumentView_.ReleasePressedKey();
    FlushInstrument();
}

void TFormQX25::EraseStaffBox() {
    // A full repaint of the staff starts from the window's background, as an uncovered window would: what
    // the staff view leaves out (right of the closing bar line, and that line below a single staff) shows
    // the window and keeps no old pixels.
    staffCanvas_.Fill(0, 0, staffCanvas_.Width(), staffCanvas_.Height(),
                      client_->palette().color(QPalette::Window).rgb() & 0xFFFFFF);
}

void TFormQX25::FlushStaff() {
    pbxStaff_->Flush();
}

void TFormQX25::FlushInstrument() {
    pbxInstrument_->Flush();
}

// ---- The instrument ----

void TFormQX25::pbxInstrumentMouseDown(QPoint point) {
    instrumentView_.MouseDown(point.x(), point.y());
    FlushInstrument();
}

void TFormQX25::pbxInstrumentMouseMove(QPoint point) {
    instrumentView_.MouseMove(point.x(), point.y());
    FlushInstrument();
}

void TFormQX25::CancelInstrumentPress() {
    if (!instrumentView_.MouseHeld)
        return;
    instrumentView_.MouseHeld = false;
    instrumentView_.ReleasePressedKey();
    FlushInstrument();
}

void TFormQX25::pbxInstrumentMouseUp(QPoint point) {
    const int answer = instrumentView_.MouseUp(point.x(), point.y());
    FlushInstrument();
    if (answer >= 0 && engine_.State.Running)
        engine_.JudgeAnswer(answer);
}

// ---- Closing ----

void TFormQX25::closeEvent(QCloseEvent* event) {
    if (engine_.State.Running) {
        TConfirmBox box(this);
        box.exec();
        if (!box.ClosedByCloseBox() && box.clickedButton() == box.button(QMessageBox::No)) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void TFormQX25::cmdCloseClick() {
    close();
}

void TFormQX25::pnlCloseMouseEnter() {
    pnlClose_->SetBevelInner(Bevel::Raised);
}

void TFormQX25::pnlCloseMouseLeave() {
    pnlClose_->SetBevelInner(Bevel::None);
    pnlClose_->SetColour(closePanelColour_);
}

void TFormQX25::pnlCloseMouseMove(QPoint point) {
    // While a button is held after a press on the panel, the pointer may be outside it.
    const bool inside = pnlClose_->rect().contains(point);
    if (inside && pnlClose_->Colour() == closePanelColour_)
        pnlClose_->SetColour(CloseHoverColour(richColour_));
    else if (!inside && pnlClose_->Colour() != closePanelColour_)
        pnlClose_->SetColour(closePanelColour_);
}

void TFormQX25::pnlCloseMouseDown() {
    pnlClose_->SetBevelInner(Bevel::Lowered);
    pnlClose_->SetBevelOuter(Bevel::Lowered);
}

void TFormQX25::pnlCloseMouseUp() {
    pnlClose_->SetBevelInner(Bevel::None);
    pnlClose_->SetBevelOuter(Bevel::Raised);
}

// ---- Hints, F1 and key preview ----

QWidget* TFormQX25::ControlAt(QPoint globalPos) const {
    if (!pointerInside_)
        return nullptr;
    const QPoint point = client_->mapFromGlobal(globalPos);
    if (!client_->rect().contains(point))
        return nullptr;
    // childAt counts disabled controls too; null means the window's own background.
    return client_->childAt(point);
}

void TFormQX25::TrackPointer(QPoint globalPos) {
    lastPointer_ = globalPos;
    // The application's hint: the control's own, or else that of its nearest ancestor that has one.
    QString applicationHint;
    for (QWidget* control = ControlAt(globalPos); control && control != client_;
         control = control->parentWidget()) {
        applicationHint = control->property("hint").toString();
        if (!applicationHint.isEmpty())
            break;
    }
    if (applicationHint != lastApplicationHint_) {
        lastApplicationHint_ = applicationHint;
        sbHintsHint();
    }
}

void TFormQX25::sbHintsHint() {
    // Only the deepest control's own hint and help context count, never an ancestor's.
    const QWidget* control = ControlAt(lastPointer_);
    const QString hint = control ? control->property("hint").toString() : QString();
    if (hint.isEmpty())
        sbHints_->clearMessage();
    else
        sbHints_->showMessage(hint);
    helpContextUnderMouse_ = control ? control->property("helpContext").toInt() : 0;
}

bool TFormQX25::FormKeyDown(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() != Qt::Key_F1 || modifiers != Qt::NoModifier)
        return false;
    ShowHelpTopic(helpContextUnderMouse_);
    return true;
}

bool TFormQX25::KeyPreview(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    // An enabled command's shortcut never gets here: the shortcut map took it. A disabled one's key is
    // swallowed, so Space during a quiz or Enter outside one reaches nothing.
    const QKeySequence pressed(QKeyCombination(modifiers, Qt::Key(event->key())));
    for (const QAction* action : shortcutted_) {
        if (action->isEnabled())
            continue;
        for (const QKeySequence& shortcut : action->shortcuts())
            if (shortcut == pressed)
                return true;
    }
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;
    // Every typed character is the window's; none reaches a control. Characters beyond 8 bits are no
    // answer and no level key, so they are only swallowed.
    const char16_t typed = text.at(0).unicode();
    if (typed < 0x100)
        engine_.FormKeyPress(static_cast<char>(typed));
    return true;
}

bool TFormQX25::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* target = qobject_cast<QWidget*>(watched);
        // The menu bar's own keyboard navigation keeps its keys.
        if (!target || target->window() != this || qobject_cast<QMenuBar*>(target))
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        if (FormKeyDown(key) || KeyPreview(key))
            return true;
        break;
    }
    case QEvent::Enter:
    case QEvent::MouseMove: {
        auto* target = qobject_cast<QWidget*>(watched);
        if (!target || target->window() != this)
            break;
        pointerInside_ = true;
        const QPointF global = event->type() == QEvent::Enter
                                   ? static_cast<QEnterEvent*>(event)->globalPosition()
                                   : static_cast<QMouseEvent*>(event)->globalPosition();
        TrackPointer(global.toPoint());
        break;
    }
    case QEvent::MouseButtonRelease:
        // The instrument lost its press to a menu that opened meanwhile: the release went there.
        // (The platform's window sees every release before the widget it is meant for.)
        if (watched->isWidgetType() && watched != pbxInstrument_ &&
            static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
            CancelInstrumentPress();
        break;
    case QEvent::ToolTip: {
        // Hints go to the status bar only; this window shows no pop-up tips.
        auto* target = qobject_cast<QWidget*>(watched);
        if (target && target->window() == this)
            return true;
        break;
    }
    case QEvent::WindowBlocked:
        // A modal box took over; the release will never reach the instrument.
        if (watched == this)
            CancelInstrumentPress();
        break;
    case QEvent::Leave:
        if (watched == this) {
            pointerInside_ = false;
            TrackPointer(lastPointer_);
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
