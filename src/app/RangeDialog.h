#pragma once

#include "Settings.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;

namespace quavix {

// The lowest and highest note asked on each staff of the staff choice in force, chosen from the notes the
// staff can draw, named in the user's naming. A range of fewer than two notes is refused with its reason,
// and the dialog stays open; OK hands over one choice per staff.
class TRangeDialog final : public QDialog {
    Q_OBJECT
public:
    TRangeDialog(const Settings& settings, QWidget* parent);

    // The choices to make, once the dialog was accepted.
    const std::vector<OptionChoice>& Choices() const { return choices_; }

    void accept() override;

private:
    struct StaffRow {
        std::uint8_t Clef;
        StepRange Reach;
        QComboBox* Lowest;
        QComboBox* Highest;
    };
    QString ClefName(std::uint8_t clef) const;
    QString NoteName(int step) const;
    QComboBox* NoteList(const StepRange& reach, int chosen);
    void ResetToUsualRanges();

    NoteNamings naming_;
    std::vector<StaffRow> rows_;
    QLabel* problem_ = nullptr;
    std::vector<OptionChoice> choices_;
};

} // namespace quavix
