// The clef commands in the real window: the menu marks follow the choice and the quiz asks in the chosen
// clef, the commands are locked during a quiz as the staff commands are, and the range dialog refuses a
// range of fewer than two notes with its reason before it hands a range over.

#include "WindowTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

#include <set>

using namespace quavix;

namespace {

QStringList CheckedStaffCommands(const TFormQX25& window) {
    QStringList names;
    for (const char* name : {"actTrebleNotes", "actBassNotes", "actAllNotes", "actAltoNotes",
                             "actAltoTrebleNotes", "actTenorNotes", "actTenorBassNotes", "actOctaveTreble"})
        if (window.findChild<QAction*>(name)->isChecked())
            names << name;
    return names;
}

void Trigger(TFormQX25& window, const char* name) {
    window.findChild<QAction*>(name)->trigger();
}

} // namespace

class ClefsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void marksFollowTheClefAndTheQuizAsksInIt();
    void clefCommandsAreLockedDuringAQuiz();
    void rangeDialogRefusesTooFewNotes();
};

void ClefsWindowTest::marksFollowTheClefAndTheQuizAsksInIt() {
    ShownWindow shown;
    TFormQX25& window = *shown;
    QCOMPARE(CheckedStaffCommands(window), QStringList{"actTrebleNotes"});
    Trigger(window, "actTenorBassNotes");
    QCOMPARE(CheckedStaffCommands(window), QStringList{"actTenorBassNotes"});
    Trigger(window, "actBeginQuiz");
    std::set<int> clefs;
    for (int note = 0; note < NotesPerQuiz && window.Engine().State.Running; ++note) {
        const NoteEntry& asked = window.Engine().Table[window.Engine().State.CurrentNote];
        clefs.insert(asked.Clef);
        window.Engine().TakeAnswer(NoteButtonAnswer(asked.Letter - 'A'));
    }
    QCOMPARE(clefs, (std::set<int>{TenorClef, BassClef}));
    QCOMPARE(window.Engine().State.Score, MaxScore);
    Trigger(window, "actAllNotes");
    QCOMPARE(CheckedStaffCommands(window), QStringList{"actAllNotes"});
    Trigger(window, "actOctaveTreble");
    QCOMPARE(CheckedStaffCommands(window), (QStringList{"actAllNotes", "actOctaveTreble"}));
}

void ClefsWindowTest::clefCommandsAreLockedDuringAQuiz() {
    ShownWindow shown;
    TFormQX25& window = *shown;
    Trigger(window, "actAltoNotes");
    Trigger(window, "actBeginQuiz");
    for (const char* name : {"actAltoNotes", "actAltoTrebleNotes", "actTenorNotes", "actTenorBassNotes",
                             "actNoteRange", "actOctaveTreble"})
        QVERIFY2(!window.findChild<QAction*>(name)->isEnabled(), name);
    Trigger(window, "actEndQuiz");
    QVERIFY(window.findChild<QAction*>("actNoteRange")->isEnabled());
    QCOMPARE(window.Engine().CurrentSettings().StaffChoice, AltoStaff);
}

// The user first sets the highest note under the lowest and presses OK: the dialog says why and stays;
// then a range of two ledger lines below to four above is taken, and the quiz asks inside it.
void ClefsWindowTest::rangeDialogRefusesTooFewNotes() {
    ShownWindow shown;
    TFormQX25& window = *shown;
    Trigger(window, "actAltoNotes");
    QString refusal;
    bool stayedOpen = false;
    ModalWatcher watcher;
    watcher.respond = [&](QWidget* modal) {
        auto* lowest = modal->findChild<QComboBox*>(QStringLiteral("cbxLowest%1").arg(AltoClef));
        auto* highest = modal->findChild<QComboBox*>(QStringLiteral("cbxHighest%1").arg(AltoClef));
        auto* ok = modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        highest->setCurrentIndex(highest->count() - 1); // the lowest note the staff can draw
        ok->click();
        stayedOpen = modal->isVisible();
        refusal = modal->findChild<QLabel*>(QStringLiteral("lblRangeProblem"))->text();
        lowest->setCurrentIndex(lowest->findText(QStringLiteral("B2")));
        highest->setCurrentIndex(highest->findText(QStringLiteral("A5")));
        ok->click();
    };
    Trigger(window, "actNoteRange");
    QTRY_VERIFY(!watcher.boxes.isEmpty());
    QVERIFY(stayedOpen);
    QVERIFY(refusal.contains(QStringLiteral("two notes")));
    const StepRange chosen = window.Engine().CurrentSettings().Ranges[AltoClef];
    QCOMPARE(chosen, (StepRange{4, 24}));
    Trigger(window, "actBeginQuiz");
    QVERIFY(chosen.Holds(window.Engine().Table[window.Engine().State.CurrentNote].Step));
}

QTEST_MAIN(ClefsWindowTest)
#include "tst_clefswindow.moc"
