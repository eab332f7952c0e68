#include "MainQX25.h"

#include "About.h"
#include "ClientArea.h"
#include "ColourScheme.h"
#include "Commands.h"
#include "ConfirmBox.h"
#include "Controls.h"
#include "FeedbackText.h"
#include "HTMLHelp.h"
#include "HintsAndKeys.h"
#include "InstrumentPanel.h"
#include "MidiRoom.h"
#include "NoteNameText.h"
#include "PopUpMessage.h"
#include "ProgressRoom.h"
#include "ScreenRatio.h"
#include "SmallRoutines.h"
#include "Translations.h"
#include "WebLinks.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>

#include <stdexcept>

namespace quavix {

namespace {

const QString ApplicationTitle = QStringLiteral("Quavix 2");

} // namespace

TFormQX25::TFormQX25(Options options, QWidget* parent)
    : QMainWindow(parent), options_(options), settings_{.NoteNaming = NoteNamingFor(QLocale())},
      ownRandom_(options_.random ? nullptr : std::make_unique<ClockSeededRandom>()),
      engine_(*this, options_.random ? *options_.random : *ownRandom_, settings_),
      // Drawn from the start for the screen the window opens on.
      staffCanvas_(QSize(StaffView::Width, StaffView::Height), PrimaryScreenRatio()),
      staffView_(staffCanvas_, engine_),
      instrumentCanvas_(QSize(InstrumentView::Width, InstrumentView::Height), staffCanvas_.Ratio()),
      instrumentView_(instrumentCanvas_, settings_), sound_(std::move(options_.sound), this),
      soundCues_(sound_, this) {
    setObjectName(QStringLiteral("FormQX25"));
    setWindowTitle(ApplicationTitle);
    setAccessibleName(ApplicationTitle);
    // A fixed single border: system menu, minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(WindowIcon(ScreenRatio()));

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    setFont(font);
    // The menus keep the system's menu font, as menus do everywhere else.
    menuBar()->setFont(QApplication::font("QMenuBar"));

    client_ = new TClientArea(staffCanvas_, instrumentCanvas_, this);
    client_->ShowPicturesAt(ScreenRatio(), settings_.NoteNaming);
    setCentralWidget(client_);
    // The window takes exactly the size of its client area plus the menu bar, and follows it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    commands_ = new TCommands(this, ScreenRatio());
    commands_->BuildOptionsToolBar(client_->OptionsBar());
    commands_->BuildMenus(menuBar());
    hintsAndKeys_ = new THintsAndKeys(this, client_, client_->HintBar(), client_->InstrumentBox(),
                                      commands_->ShortcutOwners());
    popUpList_ = new TPopUpList(client_);
    screenRatio_ = new TScreenRatio(this);
    midi_ = new TMidiRoom(this, settings_, engine_, *this, options_.midiInput);
    midi_->ShowSourcesIn(commands_->mnuMidiInput);
    progress_ = new TProgressRoom(engine_, options_.progressFolder, this);
    instrument_ = new TInstrumentPanel(instrumentView_, *client_->InstrumentBox(), soundCues_, engine_, this);
    tmrCount_.setInterval(CountdownPeriodMs);
    tmrCount_.setObjectName(QStringLiteral("tmrCount")); // the benchmark build finds it to count faster
    ConnectRooms();

    FormCreate();
    if (!startupFailed_)
        CentreOnPrimaryScreen(*this);
}

TFormQX25::~TFormQX25() = default;

void TFormQX25::ConnectRooms() {
    connect(&tmrCount_, &QTimer::timeout, this, [this] { engine_.tmrCountTimer(); });

    connect(commands_, &TCommands::inputTypeChosen, this, &TFormQX25::actInputTypeClick);
    connect(commands_, &TCommands::staffChosen, this, &TFormQX25::actStaffClick);
    connect(commands_, &TCommands::keyboardRangeChosen, this, &TFormQX25::actKeyboardRangeClick);
    connect(commands_, &TCommands::beginQuizChosen, this, &TFormQX25::actBeginClick);
    connect(commands_, &TCommands::endQuizChosen, this, &TFormQX25::actEndClick);
    connect(commands_, &TCommands::soundChosen, this, &TFormQX25::actSoundClick);
    connect(commands_, &TCommands::noteNamesChosen, this, [this](int naming) {
        Settings next = settings_;
        next.NoteNaming = std::uint8_t(naming);
        ChangeSettings(next);
    });
    // Running a command never sets its own mark: the marks always show the settings.
    connect(commands_, &TCommands::commandRan, this, [this] {
        commands_->ApplyCheckMarks(CheckMarksFor(settings_));
        commands_->ApplyProgressMarks(settings_.PractiseWeakNotes, settings_.KeepProgress);
    });
    connect(&sound_, &SoundPlayer::Failed, this, &TFormQX25::SoundFailed);
    connect(commands_, &TCommands::helpChosen, this, &TFormQX25::miHelpClick);
    connect(commands_, &TCommands::webLinkChosen, this, &TFormQX25::miURLClick);
    connect(commands_, &TCommands::aboutChosen, this, &TFormQX25::miAboutClick);
    connect(commands_, &TCommands::resultsChosen, progress_, &TProgressRoom::ShowResults);
    connect(commands_, &TCommands::practiseWeakNotesChosen, progress_,
            &TProgressRoom::TogglePractiseWeakNotes);
    connect(commands_, &TCommands::keepProgressChosen, progress_, &TProgressRoom::ToggleKeepProgress);
    connect(progress_, &TProgressRoom::settingsChosen, this, &TFormQX25::ChangeSettings);
    connect(progress_, &TProgressRoom::resultsReady, this,
            [this] { commands_->actResults->setEnabled(true); });

    connect(client_, &TClientArea::noteButtonClicked, this, &TFormQX25::tbNoteClick);
    connect(client_, &TClientArea::levelChanged, this, &TFormQX25::trkLevelChange);
    connect(client_, &TClientArea::closeClicked, this, &TFormQX25::cmdCloseClick);

    connect(hintsAndKeys_, &THintsAndKeys::helpKeyPressed, this,
            [this](int context) { ShowHelpTopic(context); });
    connect(hintsAndKeys_, &THintsAndKeys::characterTyped, this,
            [this](char typed) { AnswerByLetter([this, typed] { engine_.FormKeyPress(typed); }); });
    connect(hintsAndKeys_, &THintsAndKeys::instrumentPressLost, instrument_, &TInstrumentPanel::CancelPress);

    connect(popUpList_, &TPopUpList::expired, this, [this] {
        soundCues_.MessageGone();
        engine_.NoteMessageExpired();
    });

    // A new screen ratio redraws the canvases from the views' state.
    staffCanvas_.SetRedraw([this] { RepaintStaff(); });
    instrumentCanvas_.SetRedraw([this] { instrument_->Repaint(); });
    connect(screenRatio_, &TScreenRatio::ratioChanged, this, &TFormQX25::ApplyScreenRatio);
    // A paint box shown at a ratio its canvas was not drawn for means a change the watch has not seen.
    for (ui::TPaintBox* box : {client_->StaffBox(), client_->InstrumentBox()})
        connect(box, &ui::TPaintBox::ratioDiffers, screenRatio_, &TScreenRatio::Check, Qt::QueuedConnection);

    connect(midi_, &TMidiRoom::answered, this, [this](int answerCode) { engine_.JudgeAnswer(answerCode); });
    connect(midi_, &TMidiRoom::keyHeld, instrument_, &TInstrumentPanel::HoldKey);
    connect(midi_, &TMidiRoom::keyLetGo, instrument_, &TInstrumentPanel::LetGoKey);
    connect(midi_, &TMidiRoom::keySounded, this, [this](int key, int velocity) {
        if (velocity > 0)
            soundCues_.MidiKeyDown(key, velocity);
        else
            soundCues_.MidiKeyUp(key);
    });
    connect(midi_, &TMidiRoom::notice, this,
            [this](const QString& text) { hintsAndKeys_->ShowNotice(text, TMidiRoom::NoticeMs); });
    // MIDI costs nothing until the window is on screen.
    midi_->OpenAfterFirstPaint(client_->StaffBox());
}

void TFormQX25::FormCreate() {
    try {
        // Key preview and hint tracking see every event of the application first.
        hintsAndKeys_->Install();
        ApplyColourScheme();
        // The help in the user's language where it is installed, in English otherwise.
        AppHelp().SetHelpFiles(HelpCollectionsFor(QLocale()));
        AppHelp().SetMainWindow(this);
        popUpList_->Clear();
        engine_.SetLevel(1);
        engine_.BuildNoteTable();
        staffCanvas_.Fill(0, 0, staffCanvas_.Width(), staffCanvas_.Height(), client_->WindowColour());
        staffView_.DrawStaves();
        FlushStaff();
        client_->StackInstrumentOnNoteButtons();
        if (settings_.RichColour) {
            engine_.ShowScoreColour();
            client_->SetMaxScoreColour(ScoreColour(MaxScore));
        }
        SetInputMode(NoteButtons);
        SetStaffChoice(TrebleStaff);
        ChooseKeyboardLayout();
        SetFullRange(false);
        commands_->actResults->setEnabled(false);
        commands_->actKeepProgress->setEnabled(progress_->CanKeepProgress());
        progress_->Restore();
        engine_.EndQuiz();
    } catch (const std::exception& error) {
        ShowMessageBox(ApplicationTitle, tr("%1 encountered a problem on start-up: %2")
                                             .arg(ApplicationTitle, QString::fromLocal8Bit(error.what())));
        startupFailed_ = true;
    } catch (...) {
        ShowMessageBox(
            ApplicationTitle,
            tr("%1 encountered a problem on start-up: %2").arg(ApplicationTitle, tr("an unknown error")));
        startupFailed_ = true;
    }
}

void TFormQX25::ApplyColourScheme() {
    const ColourScheme scheme = ColourSchemeForDepth(DrawingColourDepth(options_.colourDepth));
    backgroundColour_ = scheme.BackgroundColour;
    closePanelColour_ = scheme.ClosePanelColour;
    // The staff clears with the background colour in every scheme.
    staffView_.SetBackgroundColour(backgroundColour_);
    client_->ApplyColourScheme(scheme);
    Settings next = settings_;
    next.RichColour = scheme.RichColour;
    ChangeSettings(next);
}

// ---- Settings ----

void TFormQX25::ChangeSettings(const Settings& next) {
    const Settings before = settings_;
    if (next.InputMode != before.InputMode) {
        // A key held on the old instrument means nothing on the new one.
        midi_->ReleaseKeys();
        instrument_->CancelPress();
        client_->ShowAnswerControl(before.InputMode, next.InputMode);
        // The window follows the client area's height at once, not at the next layout pass.
        layout()->activate();
    }
    settings_ = next;
    const bool guitarInOrOut = (before.InputMode == GuitarFrets) != (next.InputMode == GuitarFrets);
    if (guitarInOrOut)
        engine_.BuildNoteTable();
    if (guitarInOrOut || next.StaffChoice != before.StaffChoice || next.RichColour != before.RichColour)
        RepaintStaff();
    if (next.NoteNaming != before.NoteNaming) {
        client_->ShowPicturesAt(ScreenRatio(), next.NoteNaming);
        progress_->RefreshResults();
    }
    if (next.InputMode != before.InputMode)
        soundCues_.SetVoice(next.InputMode == GuitarFrets ? Voice::Guitar : Voice::Piano);
    if (next.Sound != before.Sound) {
        if (next.Sound)
            sound_.SwitchOn();
        else
            sound_.SwitchOff();
    }
    commands_->ApplyCheckMarks(CheckMarksFor(next));
    commands_->ApplyProgressMarks(next.PractiseWeakNotes, next.KeepProgress);
    if (next.PractiseWeakNotes != before.PractiseWeakNotes)
        progress_->SetPractiseWeakNotes(next.PractiseWeakNotes);
    ApplyCommandStates(CommandStatesFor(engine_.State.Running, next.InputMode));
    // The instrument is repainted on every change, as choosing the range in force repaints it too.
    instrument_->Repaint();
    progress_->Remember(settings_, engine_.State.Level);
}

void TFormQX25::SetInputMode(std::uint8_t newMode) {
    Settings next = settings_;
    next.InputMode = newMode;
    // Every guitar note is written on the treble staff, and the guitar answers with exact notes.
    if (newMode == GuitarFrets) {
        next.StaffChoice = TrebleStaff;
        next.FullRange = true;
    }
    ChangeSettings(next);
}

void TFormQX25::SetStaffChoice(std::uint8_t choice) {
    const bool same = choice == settings_.StaffChoice;
    Settings next = settings_;
    next.StaffChoice = choice;
    ChangeSettings(next);
    // Choosing the staff in force still paints it, clefs and all.
    if (same)
        RepaintStaff();
}

void TFormQX25::SetFullRange(bool value) {
    Settings next = settings_;
    next.FullRange = value;
    ChangeSettings(next);
}

void TFormQX25::ChooseKeyboardLayout() {
    // The layout follows the range and the staff choice; choosing it repaints the instrument at once.
    instrument_->Repaint();
}

void TFormQX25::RepaintStaff() {
    // A full repaint of the staff starts from the window's background, as an uncovered window would: what
    // the staff view leaves out (right of the closing bar line, and that line below a single staff) shows
    // the window and keeps no old pixels.
    staffCanvas_.Fill(0, 0, staffCanvas_.Width(), staffCanvas_.Height(), client_->WindowColour());
    staffView_.pbxStaffPaint();
    FlushStaff();
}

void TFormQX25::ApplyScreenRatio(double ratio) {
    // Each canvas is laid out anew and redrawn from the views' state, the current note and a held key's
    // marker included; the engine is not asked anything.
    staffCanvas_.SetRatio(ratio);
    instrumentCanvas_.SetRatio(ratio);
    client_->ShowPicturesAt(ratio, settings_.NoteNaming);
    commands_->ShowPicturesAt(ratio);
    setWindowIcon(WindowIcon(ratio));
}

// ---- Command and control handlers ----

void TFormQX25::actInputTypeClick(int tag) {
    // Choosing the input type already in force does nothing.
    if (settings_.InputMode != tag)
        SetInputMode(std::uint8_t(tag));
}

void TFormQX25::actStaffClick(int tag) {
    if (settings_.StaffChoice != tag) {
        SetStaffChoice(std::uint8_t(tag));
        ChooseKeyboardLayout();
    }
}

void TFormQX25::actKeyboardRangeClick(int tag) {
    // Also when the range is already in force: the instrument is repainted all the same.
    SetFullRange(tag == 1);
}

void TFormQX25::actBeginClick() {
    if (!engine_.State.Running)
        engine_.BeginQuiz();
}

void TFormQX25::actEndClick() {
    if (engine_.State.Running)
        engine_.EndQuiz();
}

void TFormQX25::actSoundClick() {
    Settings next = settings_;
    next.Sound = !settings_.Sound;
    ChangeSettings(next);
}

void TFormQX25::SoundFailed(const QString& message) {
    // The option was on, or being switched on: it goes off, and the status bar says why, once.
    Settings next = settings_;
    next.Sound = false;
    ChangeSettings(next);
    client_->HintBar()->showMessage(message, SoundMessageMs);
}

void TFormQX25::tbNoteClick(int tag) {
    if (engine_.State.Running)
        AnswerByLetter([this, tag] { engine_.JudgeAnswer(FirstLetterCode + tag); });
}

void TFormQX25::AnswerByLetter(const std::function<void()>& judge) {
    const QuizState before = engine_.State;
    const bool judgeable = before.Running && !PopUpShowing();
    const int asked = engine_.Table[before.CurrentNote].Step;
    judge();
    // A right answer moves the quiz on to its next note, or ends it; a wrong one shows a message; any
    // other key changes neither.
    const bool movedOn = engine_.State.NotesLeft != before.NotesLeft || !engine_.State.Running;
    if (judgeable && movedOn && !PopUpShowing())
        soundCues_.AnswerRight(asked);
}

void TFormQX25::trkLevelChange(int value) {
    engine_.SetLevel(value);
}

void TFormQX25::miHelpClick(int tag) {
    ShowHelpTopic(tag == 1 ? 109 : 0);
}

void TFormQX25::miURLClick(int tag) {
    OpenWebLink(tag);
}

void TFormQX25::miAboutClick() {
    ShowAbout(this, engine_.Random(), settings_.RichColour,
              [this](int context) { return ShowHelpTopic(context); });
}

void TFormQX25::cmdCloseClick() {
    close();
}

int TFormQX25::HelpContextUnderMouse() const {
    return hintsAndKeys_->HelpContextUnderMouse();
}

// ---- Help ----

bool TFormQX25::ShowHelpTopic(int context) {
    if (context != 0) {
        const bool shown = AppHelp().ShowContext(context);
        if (!shown)
            ShowMessageBox(tr("Quavix 2 Error"), tr("Context topic %1 is unavailable").arg(context));
        return shown;
    }
    // The contents come with their introduction topic beside them; a failure here stays silent.
    return AppHelp().ShowContents() && AppHelp().ShowContext(110);
}

// ---- Pop-ups ----

TPopUpMessage* TFormQX25::PopUp() const {
    return popUpList_->Current();
}

void TFormQX25::OnPopUpTimer(int id) {
    popUpList_->OnPopUpTimer(id);
}

// ---- The quiz engine's front end ----

void TFormQX25::DrawNote() {
    staffView_.DrawNote();
    FlushStaff();
    soundCues_.NoteShown(engine_.Table[engine_.State.CurrentNote].Step);
}

void TFormQX25::EraseNote() {
    staffView_.EraseNote();
    FlushStaff();
}

void TFormQX25::ShowCounter(bool visible, const std::string& caption, int top) {
    client_->ShowCounter(visible, QString::fromStdString(caption), top);
}

void TFormQX25::SetScoreCaption(const std::string& caption) {
    client_->SetScoreCaption(QString::fromStdString(caption));
}

void TFormQX25::SetScoreColour(std::uint32_t rgb) {
    client_->SetScoreColour(rgb);
}

void TFormQX25::ShowNoteMessage(const NoteMessage& message) {
    const NoteEntry& row = engine_.Table[engine_.State.CurrentNote];
    const QPoint staff = client_->StaffBox()->pos();
    // Centred just above the note picture, about the middle of its 20-pixel width.
    const QPoint anchor(staff.x() + staffView_.NoteX() + 10, staff.y() + row.Top - 2);
    popUpList_->ShowPopUp(FeedbackText(message, settings_.NoteNaming), anchor, NoteMessageMs,
                          HorzAnchor::Centre, true, PopUpColour(settings_.RichColour));
    soundCues_.AnswerMissed(row.Step);
}

void TFormQX25::RemoveNoteMessage() {
    popUpList_->Clear();
    soundCues_.MessageGone();
}

bool TFormQX25::PopUpShowing() const {
    return popUpList_->Showing();
}

void TFormQX25::ApplyCommandStates(const CommandStates& states) {
    commands_->ApplyStates(states);
    client_->SetLevelEnabled(states.LevelSlider);
}

void TFormQX25::EnableAnswerControl() {
    client_->EnableAnswerControl();
}

void TFormQX25::SetLevelSlider(int level) {
    client_->SetLevel(level);
    progress_->Remember(settings_, level);
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
    instrument_->ReleasePressedKey();
}

void TFormQX25::FlushStaff() {
    client_->StaffBox()->Flush();
}

// ---- Closing ----

void TFormQX25::closeEvent(QCloseEvent* event) {
    if (engine_.State.Running) {
        TConfirmBox box(this);
        box.exec();
        if (!box.MayClose()) {
            event->ignore();
            return;
        }
    }
    progress_->CloseResults(); // the results window goes with the trainer
    event->accept();
}

} // namespace quavix
