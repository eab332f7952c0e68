#include "ClientArea.h"

#include "Artwork.h"
#include "Controls.h"
#include "InstrumentView.h"
#include "NoteNameText.h"
#include "QuizEngine.h"
#include "QuizLength.h"
#include "ScreenRatio.h"
#include "StaffView.h"

#include <QLabel>
#include <QSignalBlocker>

namespace quavix {

using namespace ui;

namespace {

constexpr int InstrumentPanelHeight = 103;
constexpr int NoteButtonHeight = 36;
constexpr int InstrumentPanelDesignTop = 157;

// The height of the answer control of an input mode; the client area grows and shrinks by the difference.
int ControlHeight(InputModes inputMode) {
    return inputMode == NoteButtons ? NoteButtonHeight : InstrumentPanelHeight;
}

// Every control carries its status-bar hint and help context as properties, so the hint tracking reads
// them the same way from any kind of widget.
void Describe(QWidget* widget, const char* name, const QString& accessibleName, const QString& hint = {},
              int helpContext = 0) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessibleName);
    widget->setProperty("hint", hint);
    widget->setProperty("helpContext", helpContext);
    if (!hint.isEmpty())
        widget->setAccessibleDescription(hint);
}

QFont BoldFont(const QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    return font;
}

void SetBackground(QWidget* widget, QRgb colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(colour));
    widget->setPalette(palette);
}

} // namespace

TClientArea::TClientArea(double ratio, NoteNamings naming, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ClientArea"));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    SetBackground(this, DesignColours::Window);
    CreateTopControls(ratio);
    CreateAnswerControls(ratio);
    CreateBottomControls();
    ShowPicturesAt(ratio, naming);
}

void TClientArea::CreateTopControls(double ratio) {
    tbarOptions_ = new TToolBar(this);
    Describe(tbarOptions_, "tbarOptions", tr("Options"), {}, 108);
    tbarOptions_->setGeometry(0, 0, 395, 36);
    tbarOptions_->SetEdges(Bevel::Raised);

    pbxStaff_ = new TPaintBox(QSize(StaffView::Width, StaffView::Height), ratio, this);
    Describe(pbxStaff_, "pbxStaff", tr("Staff"), tr("The notes in the quiz are displayed in this area"), 101);
    pbxStaff_->setGeometry(8, 42, StaffView::Width, StaffView::Height);

    pnlCount_ = new TPanel(this);
    Describe(pnlCount_, "pnlCount", tr("Time left"),
             tr("During a quiz, this shows the time left to identify the current note"), 106);
    pnlCount_->setGeometry(308, 44, 81, 159);
    pnlCount_->SetColour(DesignColours::Window);

    imgTimer_ = new QLabel(pnlCount_);
    Describe(imgTimer_, "imgTimer", tr("Hourglass"));
    imgTimer_->setGeometry(0, 8, 80, 134);

    cmdCount_ = new TCountButton(pnlCount_);
    Describe(cmdCount_, "cmdCount", tr("Seconds left"));
    cmdCount_->setGeometry(19, 39, 40, 40);
    cmdCount_->setText(QStringLiteral("12"));
    cmdCount_->setFont(BoldFont(this));
}

void TClientArea::CreateAnswerControls(double ratio) {
    tbarNotes_ = new TToolBar(this);
    Describe(tbarNotes_, "tbarNotes", tr("Note buttons"),
             tr("Use these buttons or the keyboard to select notes"), 102);
    tbarNotes_->setGeometry(57, 212, 281, 40);
    tbarNotes_->SetTransparent(true);
    for (int i = 0; i < Artwork::LetterCount; ++i) {
        auto* button = new TToolButton(tbarNotes_);
        Describe(button, qPrintable(QStringLiteral("tbNote%1").arg(i)), NoteButtonName(i, LetterNames));
        button->setGeometry(1 + 40 * i, 2, 36, 36);
        tbNotes_.push_back(button);
        connect(button, &QToolButton::clicked, this, [this, i] { emit noteButtonClicked(i); });
    }

    CreateSignButtons();

    // Designed below the note buttons; start-up moves it onto them.
    pnlInstrument_ = new TPanel(this);
    Describe(pnlInstrument_, "pnlInstrument", tr("Instrument"));
    pnlInstrument_->setGeometry(8, InstrumentPanelDesignTop, 379, InstrumentPanelHeight);
    pnlInstrument_->SetBevelOuter(Bevel::Lowered);
    pnlInstrument_->SetColour(DesignColours::Instrument);

    pbxInstrument_ =
        new TPaintBox(QSize(InstrumentView::Width, InstrumentView::Height), ratio, pnlInstrument_);
    Describe(pbxInstrument_, "pbxInstrument", tr("Instrument keys"),
             tr("Use these controls or the keyboard to select notes"));
    pbxInstrument_->setGeometry(1, 1, InstrumentView::Width, InstrumentView::Height);
}

void TClientArea::ShowPicturesAt(double ratio, NoteNamings naming) {
    ratio_ = ratio;
    naming_ = naming;
    imgTimer_->setPixmap(PixmapOf(Artwork::Timer(ratio)));
    for (int i = 0; i < int(tbNotes_.size()); ++i) {
        tbNotes_[i]->setIcon(CommandIcon(Artwork::NoteName(i, naming, true, ratio),
                                         Artwork::NoteName(i, naming, false, ratio)));
        tbNotes_[i]->setAccessibleName(NoteButtonName(i, naming));
    }
    // The signs' pictures are drawn only once they are shown.
    if (!tbFlat_->icon().isNull())
        ShowSignPictures();
}

void TClientArea::CreateSignButtons() {
    // Left of the letters the flat, right of them the sharp, each on a bar of its own; hidden until sharps
    // and flats are asked, so the window is as it always was without them.
    const struct {
        ui::TToolBar*& bar;
        ui::TToolButton*& button;
        const char* name;
        QString caption;
        int x;
        int alteration;
    } signs[] = {{tbarFlat_, tbFlat_, "tbFlat", tr("Flat"), 13, -1},
                 {tbarSharp_, tbSharp_, "tbSharp", tr("Sharp"), 342, 1}};
    for (const auto& sign : signs) {
        sign.bar = new TToolBar(this);
        sign.bar->setGeometry(sign.x, 212, 40, 40);
        sign.bar->SetTransparent(true);
        sign.button = new TToolButton(sign.bar);
        Describe(sign.button, sign.name, sign.caption,
                 tr("Press before a letter, or type # or + (sharp) or - (flat) before its key"),
                 22); // the topic on sharps, flats and keys
        sign.button->setGeometry(2, 2, 36, 36);
        sign.button->setCheckable(true);
        const int alteration = sign.alteration;
        connect(sign.button, &QToolButton::clicked, this,
                [this, alteration] { emit signButtonClicked(alteration); });
        sign.bar->hide();
    }
}

void TClientArea::ShowSignButtons(const Settings& settings) {
    const bool shown = settings.InputMode == NoteButtons && settings.Accidentals != NaturalsOnly;
    tbarFlat_->setVisible(shown);
    tbarSharp_->setVisible(shown);
    if (shown && tbFlat_->icon().isNull())
        ShowSignPictures();
}

void TClientArea::ShowSignPictures() {
    tbFlat_->setIcon(
        CommandIcon(Artwork::SignButton(1, true, ratio_), Artwork::SignButton(1, false, ratio_)));
    tbSharp_->setIcon(
        CommandIcon(Artwork::SignButton(0, true, ratio_), Artwork::SignButton(0, false, ratio_)));
}

void TClientArea::ShowPendingSign(int alteration) {
    tbFlat_->setChecked(alteration < 0);
    tbSharp_->setChecked(alteration > 0);
}

QString TClientArea::NoteButtonName(int index, NoteNamings naming) {
    return tr("Note %1").arg(NoteNameText(char('A' + index), naming));
}

void TClientArea::CreateBottomControls() {
    // The score board and the level panel reach a little further left than first designed, so "Score" and
    // "Level" show whole, right-aligned where they always ended; everything else stays where it was.
    pnlScoreboard_ = new TPanel(this);
    Describe(pnlScoreboard_, "pnlScoreboard", tr("Score board"),
             tr("Your score is shown here during and after a quiz"), 107);
    pnlScoreboard_->setGeometry(106, 270, 187, 23);
    pnlScoreboard_->SetColour(DesignColours::Window);

    lblScore_ = new TLabel(tr("Score"), Qt::AlignRight, pnlScoreboard_);
    Describe(lblScore_, "lblScore", tr("Score"));
    lblScore_->setGeometry(0, 0, 46, 22);
    lblScore_->SetColour(DesignColours::Window);

    pnlScore_ = new TPanel(pnlScoreboard_);
    Describe(pnlScore_, "pnlScore", tr("Score"), {}, 15);
    pnlScore_->setGeometry(56, 0, 37, 23);
    pnlScore_->SetBevelOuter(Bevel::Lowered);
    pnlScore_->SetCaption(QStringLiteral("0"));
    pnlScore_->SetColour(DesignColours::Score);
    pnlScore_->SetCaptionColour(0xFFFFFF);
    pnlScore_->setFont(BoldFont(this));

    lblOutOf_ = new TLabel(tr("out of"), Qt::AlignHCenter, pnlScoreboard_);
    Describe(lblOutOf_, "lblOutOf", tr("out of"));
    lblOutOf_->setGeometry(94, 0, 54, 22);
    lblOutOf_->SetColour(DesignColours::Window);

    pnlMaxScore_ = new TPanel(pnlScoreboard_);
    Describe(pnlMaxScore_, "pnlMaxScore", tr("Maximum score"), {}, 15);
    pnlMaxScore_->setGeometry(150, 0, 37, 23);
    pnlMaxScore_->SetBevelOuter(Bevel::Lowered);
    pnlMaxScore_->SetCaption(QString::number(MaxScore));
    pnlMaxScore_->SetColour(DesignColours::MaxScore);
    pnlMaxScore_->SetCaptionColour(0xFFFFFF);
    pnlMaxScore_->setFont(BoldFont(this));

    const QString levelHint = tr("Click the track and/or slide the box to change the quiz difficulty level");
    pnlLevel_ = new TPanel(this);
    Describe(pnlLevel_, "pnlLevel", tr("Level"), levelHint, 105);
    pnlLevel_->setGeometry(18, 312, 266, 25);
    pnlLevel_->SetColour(DesignColours::Window);

    lblLevel_ = new TLabel(tr("Level"), Qt::AlignRight, pnlLevel_);
    Describe(lblLevel_, "lblLevel", tr("Level"));
    lblLevel_->setGeometry(1, 2, 41, 18);
    lblLevel_->SetColour(DesignColours::Window);

    trkLevel_ = new TLevelSlider(pnlLevel_);
    Describe(trkLevel_, "trkLevel", tr("Level"), levelHint);
    trkLevel_->setGeometry(48, -2, 215, 28);
    trkLevel_->setRange(MinLevel, MaxLevel);
    trkLevel_->setPageStep(2);
    trkLevel_->setValue(1);
    trkLevel_->SetColour(DesignColours::Window);
    trkLevel_->SetThumbColour(DesignColours::SliderThumb);
    connect(trkLevel_, &QAbstractSlider::valueChanged, this, &TClientArea::levelChanged);

    pnlClose_ = new TClosePanel(this);
    Describe(pnlClose_, "pnlClose", tr("Close"), tr("Exit Quavix [Alt+F4]"));
    pnlClose_->setGeometry(307, 307, 80, 32);
    pnlClose_->SetCaption(tr("Close"));
    pnlClose_->SetColour(DesignColours::Window);
    pnlClose_->SetColours(DesignColours::Window, CloseHoverColour(true));
    connect(pnlClose_, &TClosePanel::clicked, this, &TClientArea::closeClicked);

    sbHints_ = new TStatusBar(this);
    Describe(sbHints_, "sbHints", tr("Hints"), tr("Describes the control under the mouse pointer"));
    sbHints_->setGeometry(0, 350, 395, 30);
    QPalette palette = sbHints_->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(DesignColours::StatusBar));
    palette.setColor(QPalette::WindowText, Qt::black);
    sbHints_->setPalette(palette);

    bottomAnchored_ = {pnlScoreboard_, pnlLevel_, pnlClose_, sbHints_};
}

void TClientArea::ApplyColourScheme(const ColourScheme& scheme) {
    trkLevel_->SetThumbColour(scheme.SliderThumbColour);
    pnlMaxScore_->SetColour(scheme.MaxScoreColour);
    tbarNotes_->SetHotTrack(scheme.HotTrack, scheme.NotesHotTrackColour);
    tbarOptions_->SetHotTrack(scheme.HotTrack, scheme.OptionsHotTrackColour);
    const std::optional<QRgb> gradientEnd =
        scheme.Gradient ? std::optional<QRgb>(scheme.GradientEndColour.value_or(SystemWindow)) : std::nullopt;
    tbarOptions_->SetGradient(gradientEnd, SystemWindow);
    tbarNotes_->SetGradient(gradientEnd, SystemWindow);
    // The Close panel returns to the scheme's colour once the pointer has been over it, even where the
    // scheme leaves it in its design colour until then.
    pnlClose_->SetColours(scheme.ClosePanelColour, CloseHoverColour(scheme.RichColour));
    if (!scheme.RecolourControls)
        return;

    const QRgb background = scheme.BackgroundColour;
    SetBackground(this, background);
    SetBackground(sbHints_, background);
    for (TLabel* label : {lblLevel_, lblScore_, lblOutOf_})
        label->SetColour(background);
    for (TPanel* panel : {pnlLevel_, pnlCount_, pnlScoreboard_})
        panel->SetColour(background);
    trkLevel_->SetColour(background);
    pnlClose_->SetColour(scheme.ClosePanelColour);
}

QRgb TClientArea::WindowColour() const {
    return palette().color(QPalette::Window).rgb() & 0xFFFFFF;
}

void TClientArea::StackInstrumentOnNoteButtons() {
    pnlInstrument_->move(pnlInstrument_->x(), tbarNotes_->y());
    pnlInstrument_->hide();
}

void TClientArea::ShowAnswerControl(InputModes oldMode, InputModes newMode) {
    pnlInstrument_->setVisible(newMode != NoteButtons);
    tbarNotes_->setVisible(newMode == NoteButtons);
    if (newMode != NoteButtons)
        pnlInstrument_->setProperty("helpContext", newMode == PianoKeys ? 103 : 104);
    SetClientHeight(height() + ControlHeight(newMode) - ControlHeight(oldMode));
}

void TClientArea::FollowSettings(const Settings& now, const Settings& before) {
    if (now.InputMode != before.InputMode)
        ShowAnswerControl(before.InputMode, now.InputMode);
    if (now.NoteNaming != before.NoteNaming)
        ShowPicturesAt(ratio_, now.NoteNaming);
    ShowSignButtons(now);
    SetLevel(now.Level);
    pnlMaxScore_->SetCaption(QString::fromStdString(MaxScoreCaption(now.QuizLength)));
}

void TClientArea::SetClientHeight(int height) {
    const int change = height - this->height();
    setFixedSize(ClientWidth, height);
    for (QWidget* control : bottomAnchored_)
        control->move(control->x(), control->y() + change);
}

void TClientArea::EnableAnswerControl() {
    if (NoteButtonsShown())
        tbarNotes_->setEnabled(true);
    else
        pnlInstrument_->setEnabled(true);
}

bool TClientArea::NoteButtonsShown() const {
    return !tbarNotes_->isHidden();
}

void TClientArea::ShowCounter(bool visible, const QString& caption, int top) {
    cmdCount_->setText(caption);
    cmdCount_->move(cmdCount_->x(), top);
    cmdCount_->setVisible(visible);
}

void TClientArea::SetScoreCaption(const QString& caption) {
    pnlScore_->SetCaption(caption);
}

void TClientArea::SetScoreColour(QRgb colour) {
    pnlScore_->SetColour(colour);
}

void TClientArea::SetMaxScoreColour(QRgb colour) {
    pnlMaxScore_->SetColour(colour);
}

void TClientArea::SetLevel(int level) {
    const QSignalBlocker blocker(trkLevel_);
    trkLevel_->setValue(level);
    trkLevel_->update();
}

void TClientArea::SetLevelEnabled(bool enabled) {
    trkLevel_->setEnabled(enabled);
}

} // namespace quavix
