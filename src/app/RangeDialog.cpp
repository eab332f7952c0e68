#include "RangeDialog.h"

#include "NoteNameText.h"
#include "StaffPlan.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quavix {

namespace {
int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
} // namespace

TRangeDialog::TRangeDialog(const Settings& settings, QWidget* parent)
    : QDialog(parent), naming_(settings.NoteNaming) {
    setObjectName(QStringLiteral("RangeDialog"));
    setWindowTitle(tr("Note Range"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("The lowest and highest note asked on each staff. The level still decides "
                                "how many of the notes in between are asked."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    for (const ChoosableStaff& staff : ChoosableStaves(settings)) {
        StaffRow row{staff.Clef, staff.Reach, NoteList(staff.Reach, staff.Current.Lowest),
                     NoteList(staff.Reach, staff.Current.Highest)};
        row.Lowest->setObjectName(QStringLiteral("cbxLowest%1").arg(staff.Clef));
        row.Highest->setObjectName(QStringLiteral("cbxHighest%1").arg(staff.Clef));
        auto* pair = new QHBoxLayout;
        pair->addWidget(row.Lowest);
        pair->addWidget(new QLabel(tr("to"), this));
        pair->addWidget(row.Highest);
        form->addRow(ClefName(staff.Clef), pair);
        rows_.push_back(row);
    }
    layout->addLayout(form);
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("lblRangeProblem"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #B00000"));
    problem_->hide();
    layout->addWidget(problem_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* own = buttons->addButton(tr("&Usual Ranges"), QDialogButtonBox::ResetRole);
    own->setObjectName(QStringLiteral("btnUsualRanges"));
    connect(own, &QPushButton::clicked, this, &TRangeDialog::ResetToUsualRanges);
    connect(buttons, &QDialogButtonBox::accepted, this, &TRangeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TRangeDialog::reject);
    layout->addWidget(buttons);
}

QString TRangeDialog::ClefName(std::uint8_t clef) const {
    switch (clef) {
    case BassClef:
        return tr("Bass clef:");
    case AltoClef:
        return tr("Alto clef:");
    case TenorClef:
        return tr("Tenor clef:");
    default:
        return tr("Treble clef:");
    }
}

QString TRangeDialog::NoteName(int step) const {
    // Step 0 is E2; octaves are counted from C, two letters below E.
    const int fromC = step + 2;
    return NoteNameText(StepLetter(((step % 7) + 7) % 7), naming_) + QString::number(2 + FloorDiv(fromC, 7));
}

QComboBox* TRangeDialog::NoteList(const StepRange& reach, int chosen) {
    auto* list = new QComboBox(this);
    // Highest first, as the notes stand on the staff.
    for (int step = reach.Highest; step >= reach.Lowest; --step)
        list->addItem(NoteName(step), step);
    list->setCurrentIndex(list->findData(chosen));
    return list;
}

void TRangeDialog::ResetToUsualRanges() {
    for (const StaffRow& row : rows_) {
        const StepRange own = DefaultRange(row.Clef);
        row.Lowest->setCurrentIndex(row.Lowest->findData(std::max(own.Lowest, row.Reach.Lowest)));
        row.Highest->setCurrentIndex(row.Highest->findData(std::min(own.Highest, row.Reach.Highest)));
    }
}

void TRangeDialog::accept() {
    std::vector<OptionChoice> choices;
    for (const StaffRow& row : rows_) {
        const StepRange range{row.Lowest->currentData().toInt(), row.Highest->currentData().toInt()};
        if (CheckRange(range, row.Reach) != RangeProblem::None) {
            // The lists hold only notes the staff can draw, so the one thing to refuse is a range too small.
            problem_->setText(tr("%1 the highest note must stand above the lowest, so that at least two "
                                 "notes are asked.")
                                  .arg(ClefName(row.Clef)));
            problem_->show();
            row.Highest->setFocus();
            return;
        }
        choices.push_back(RangeChoice(row.Clef, range));
    }
    choices_ = choices;
    QDialog::accept();
}

} // namespace quavix
