#include "MainQX25.h"

#include "About.h"
#include "ClientArea.h"
#include "ColourScheme.h"
#include "Commands.h"
#include "ConfirmBox.h"
#include "HTMLHelp.h"
#include "HelpTopics.h"
#include "HintsAndKeys.h"
#include "InstrumentPanel.h"
#include "LetterAnswers.h"
#include "ListenRoom.h"
#include "MidiRoom.h"
#include "NoteNameText.h"
#include "PaintBox.h"
#include "PopUpMessage.h"
#include "ProgressRoom.h"
#include "QuizScreen.h"
#include "RangeDialog.h"
#include "ScreenRatio.h"
#include "SettingsRoom.h"
#include "SmallRoutines.h"
#include "SoundRoom.h"
#include "StaffPanel.h"
#include "StaffPlan.h"
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
    : QMainWindow(parent), options_(std::move(options)),
      ownRandom_(options_.random ? nullptr : std::make_unique<ClockSeededRandom>()) {
    setObjectName(QStringLiteral("FormQX25"));
    setWindowTitle(ApplicationTitle);
    setAccessibleName(ApplicationTitle);
    // A fixed single border: system menu, minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    setFont(font);
    // The menus keep the system's menu font, as menus do everywhere else.
    menuBar()->setFont(QApplication::font("QMenuBar"));

    BuildRooms();
    ConnectCommands();
    ConnectRooms();
    FollowSettings();
    FormCreate();
    if (!startupFailed_)
        CentreOnPrimaryScreen(*this);
}

TFormQX25::~TFormQX25() {
    // These rooms hold on to the engine and the presses. Those are the window's members, which go before
    // the widget tree takes its children down, so the rooms go first.
    for (QObject* room :
         std::initializer_list<QObject*>{letters_, progress_, listen_, midi_, instrument_, sound_})
        delete room;
}

const SoundPlayer& TFormQX25::Sound() const {
    return sound_->Player();
}

void TFormQX25::BuildRooms() {
    // Everything is drawn from the start for the screen the window opens on.
    const double ratio = PrimaryScreenRatio();
    setWindowIcon(WindowIcon(ratio));
    settings_ = new TSettingsRoom(Settings{.NoteNaming = NoteNamingFor(QLocale())}, this);
    client_ = new TClientArea(ratio, settings_->Current().NoteNaming, this);
    setCentralWidget(client_);
    // The window takes exactly the size of its client area plus the menu bar, and follows it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    commands_ = new TCommands(this, client_->OptionsBar(), settings_->Current(), ratio);
    hintsAndKeys_ = new THintsAndKeys(this, client_, client_->HintBar(), client_->InstrumentBox(),
                                      commands_->ShortcutOwners());
    popUpList_ = new TPopUpList(client_);
    screenRatio_ = new TScreenRatio(this);
    staff_ = new TStaffPanel(*client_->StaffBox(), settings_->Current(), this);
    sound_ = new TSoundRoom(std::move(options_.sound), presses_, *settings_, client_->HintBar(), this);
    screen_ = new TQuizScreen(
        {*client_, *staff_, *popUpList_, *commands_, sound_->Cues(), presses_, settings_->Current()}, this);
    screen_->SetNoteMessageMs(options_.noteMessageMs);
    RandomSource& random = options_.random ? *options_.random : *ownRandom_;
    engine_ = std::make_unique<QuizEngine>(*screen_, random, settings_->Current());
    instrument_ =
        new TInstrumentPanel(*client_->InstrumentBox(), settings_->Current(), presses_, *engine_, this);
    midi_ = new TMidiRoom(*engine_, presses_, options_.midiInput, commands_->mnuMidiInput, this);
    progress_ = new TProgressRoom(*engine_, options_.progressFolder, this);
    listen_ = new TListenRoom({*engine_, presses_, *settings_, *sound_, *client_, *commands_, *hintsAndKeys_},
                              std::move(options_.listenInputs), this);
    letters_ = new TLetterAnswers(*engine_, *settings_, *client_, this);
    settings_->SetKeepingGate(progress_);
}

void TFormQX25::ConnectCommands() {
    connect(commands_, &TCommands::optionChosen, settings_, &TSettingsRoom::Choose);
    // Each is enabled only where it applies (CommandStates), so it runs only then.
    connect(commands_, &TCommands::beginQuizChosen, this, [this] { engine_->BeginQuiz(); });
    connect(commands_, &TCommands::endQuizChosen, this, [this] { engine_->EndQuiz(); });
    connect(commands_, &TCommands::helpChosen, this, [](int tag) { ShowHelpTopic(tag == 1 ? 109 : 0); });
    connect(commands_, &TCommands::webLinkChosen, this, &OpenWebLink);
    connect(commands_, &TCommands::aboutChosen, this,
            [this] { ShowAbout(this, engine_->Random(), richColour_, &ShowHelpTopic); });
    connect(commands_, &TCommands::resultsChosen, progress_, &TProgressRoom::ShowResults);
    connect(commands_, &TCommands::noteRangeChosen, this, [this] {
        TRangeDialog dialog(settings_->Current(), this);
        if (dialog.exec() == QDialog::Accepted)
            for (const OptionChoice& choice : dialog.Choices())
                settings_->Choose(choice);
    });
}

void TFormQX25::ConnectRooms() {
    // The answer sources: each turns its event into the engine's one answer call.
    connect(client_, &TClientArea::noteButtonClicked, letters_, &TLetterAnswers::NoteButton);
    connect(client_, &TClientArea::signButtonClicked, letters_, &TLetterAnswers::PressSign);
    for (auto quizEdge : {&TCommands::beginQuizChosen, &TCommands::endQuizChosen})
        connect(commands_, quizEdge, letters_, &TLetterAnswers::ForgetSign);
    connect(progress_, &TProgressRoom::resultsReady, letters_, &TLetterAnswers::ForgetSign);
    connect(hintsAndKeys_, &THintsAndKeys::characterTyped, letters_, &TLetterAnswers::Typed);
    connect(hintsAndKeys_, &THintsAndKeys::instrumentPressLost, instrument_, &TInstrumentPanel::CancelPress);
    connect(client_, &TClientArea::levelChanged, settings_, [this](int level) {
        settings_->Choose({OptionChoice::Option::Level, level});
    });
    connect(client_, &TClientArea::closeClicked, this, &QWidget::close);
    connect(hintsAndKeys_, &THintsAndKeys::helpKeyPressed, this, &ShowHelpTopic);

    connect(&screen_->CountTimer(), &QTimer::timeout, this, [this] { engine_->tmrCountTimer(); });
    connect(popUpList_, &TPopUpList::expired, this, [this] {
        sound_->Cues().MessageGone();
        engine_->NoteMessageExpired();
    });
    connect(progress_, &TProgressRoom::settingsChosen, settings_, &TSettingsRoom::Apply);
    connect(progress_, &TProgressRoom::resultsReady, commands_->actResults,
            [this] { commands_->actResults->setEnabled(true); });
    connect(progress_, &TProgressRoom::weakKeyFound, commands_, &TCommands::ShowWeakKey);
    connect(midi_, &TMidiRoom::notice, this,
            [this](const QString& text) { hintsAndKeys_->ShowNotice(text, TMidiRoom::NoticeMs); });

    // A new screen ratio: each panel draws itself again for it, and the window gets its icon.
    connect(screenRatio_, &TScreenRatio::ratioChanged, staff_, &TStaffPanel::ShowAtRatio);
    connect(screenRatio_, &TScreenRatio::ratioChanged, instrument_, &TInstrumentPanel::ShowAtRatio);
    connect(screenRatio_, &TScreenRatio::ratioChanged, client_, &TClientArea::ShowAtRatio);
    connect(screenRatio_, &TScreenRatio::ratioChanged, commands_, &TCommands::ShowPicturesAt);
    connect(screenRatio_, &TScreenRatio::ratioChanged, this,
            [this](double ratio) { setWindowIcon(WindowIcon(ratio)); });
    // A paint box shown at a ratio its canvas was not drawn for means a change the watch has not seen.
    for (ui::TPaintBox* box : {client_->StaffBox(), client_->InstrumentBox()})
        connect(box, &ui::TPaintBox::ratioDiffers, screenRatio_, &TScreenRatio::Check, Qt::QueuedConnection);

    // MIDI and the kept history cost nothing until the window is on screen.
    midi_->OpenAfterFirstPaint(client_->StaffBox());
    progress_->RestoreAfterFirstPaint(client_->StaffBox());
}

void TFormQX25::FollowSettings() {
    // Every room follows a change of the settings, in this order.
    const auto changed = &TSettingsRoom::changed;
    connect(settings_, changed, client_, &TClientArea::FollowSettings);
    connect(settings_, changed, this, [this](const Settings& now, const Settings& before) {
        // The window follows the client area's height at once, not at the next layout pass.
        if (now.InputMode != before.InputMode)
            layout()->activate();
        if (NoteSetDiffers(now, before))
            engine_->BuildNoteTable();
    });
    connect(settings_, changed, staff_, &TStaffPanel::FollowSettings);
    connect(settings_, changed, sound_, &TSoundRoom::FollowSettings);
    connect(settings_, changed, this, [this](const Settings& now) {
        commands_->ShowMarks();
        screen_->ApplyCommandStates(CommandStatesFor(engine_->State.Running, now.InputMode));
    });
    connect(settings_, changed, instrument_, &TInstrumentPanel::FollowSettings);
    connect(settings_, changed, progress_, &TProgressRoom::FollowSettings);
    connect(settings_, changed, listen_, &TListenRoom::FollowSettings);
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
        engine_->BuildNoteTable();
        staff_->Repaint();
        client_->StackInstrumentOnNoteButtons();
        engine_->ShowScoreColour();
        // Every room shows the settings as they start.
        settings_->Apply(settings_->Current());
        commands_->actResults->setEnabled(false);
        commands_->actKeepProgress->setEnabled(progress_->CanKeepProgress());
        engine_->EndQuiz();
    } catch (const std::exception& error) {
        StartupFailed(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        StartupFailed(tr("an unknown error"));
    }
}

void TFormQX25::StartupFailed(const QString& why) {
    ShowMessageBox(ApplicationTitle,
                   tr("%1 encountered a problem on start-up: %2").arg(ApplicationTitle, why));
    startupFailed_ = true;
}

void TFormQX25::ApplyColourScheme() {
    // The colour depth is a fact of the screen, found once: not a setting.
    const ColourScheme scheme = ColourSchemeForDepth(DrawingColourDepth(options_.colourDepth));
    richColour_ = scheme.RichColour;
    client_->ApplyColourScheme(scheme);
    if (richColour_)
        client_->SetMaxScoreColour(ScoreColour(MaxScore));
    // The staff clears with the background colour in every scheme.
    staff_->SetColours(scheme.BackgroundColour, client_->WindowColour());
    instrument_->SetRichColour(richColour_);
    screen_->SetRichColour(richColour_);
}

void TFormQX25::closeEvent(QCloseEvent* event) {
    if (engine_->State.Running) {
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
