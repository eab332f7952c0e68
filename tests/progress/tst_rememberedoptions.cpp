#include "QuizEngine.h"
#include "RememberedOptions.h"

#include <QtTest>

using namespace quavix;

class RememberedOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void everySettingComesBack_data();
    void everySettingComesBack();
    void whatNoVersionWroteChangesNothing_data();
    void whatNoVersionWroteChangesNothing();
    void aGuitarIsAlwaysOnTheTrebleStaffInFullRange();
};

void RememberedOptionsTest::everySettingComesBack_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("staff");
    QTest::addColumn<bool>("fullRange");
    QTest::addColumn<bool>("weak");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<int>("naming");
    QTest::newRow("buttons, treble") << int(NoteButtons) << int(TrebleStaff) << false << false << 1 << false
                                     << int(LetterNames);
    QTest::newRow("piano, bass, full")
        << int(PianoKeys) << int(BassStaff) << true << true << 7 << true << int(GermanNames);
    QTest::newRow("piano, all, one octave")
        << int(PianoKeys) << int(AllStaves) << false << true << 12 << false << int(FixedDo);
    QTest::newRow("guitar") << int(GuitarFrets) << int(TrebleStaff) << true << false << 4 << true
                            << int(FixedDo);
}

void RememberedOptionsTest::everySettingComesBack() {
    QFETCH(int, mode);
    QFETCH(int, staff);
    QFETCH(bool, fullRange);
    QFETCH(bool, weak);
    QFETCH(int, level);
    QFETCH(bool, sound);
    QFETCH(int, naming);
    Settings kept;
    kept.NoteNaming = std::uint8_t(naming);
    kept.Sound = sound;
    kept.InputMode = std::uint8_t(mode);
    kept.StaffChoice = std::uint8_t(staff);
    kept.FullRange = fullRange;
    kept.PractiseWeakNotes = weak;
    kept.KeepProgress = true;
    Settings restored;
    restored.RichColour = true; // follows the screen, never the file
    int restoredLevel = 1;
    RestoreOptions(OptionsToRemember(kept, level), restored, restoredLevel);
    kept.RichColour = true;
    QVERIFY(restored == kept);
    QCOMPARE(restoredLevel, level);
}

void RememberedOptionsTest::whatNoVersionWroteChangesNothing_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("an input type beyond ours") << "input"
                                               << "violin";
    QTest::newRow("a number for the staff") << "staff"
                                            << "2";
    QTest::newRow("level 0") << "level"
                             << "0";
    QTest::newRow("level 13") << "level"
                              << "13";
    QTest::newRow("a level that is no number") << "level"
                                               << "5x";
    QTest::newRow("a range in another spelling") << "range"
                                                 << "Full";
    QTest::newRow("weak notes half on") << "weak-notes"
                                        << "1";
    QTest::newRow("sound as a number") << "sound"
                                       << "1";
    QTest::newRow("an unknown key") << "colour"
                                    << "red";
    QTest::newRow("a naming we do not know") << "note-names"
                                             << "numbers";
    QTest::newRow("a naming as a number") << "note-names"
                                          << "1";
}

void RememberedOptionsTest::whatNoVersionWroteChangesNothing() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    Settings settings;
    settings.InputMode = PianoKeys;
    settings.StaffChoice = BassStaff;
    settings.NoteNaming = GermanNames; // not the default, so a bad value cannot pass for it
    const Settings before = settings;
    int level = 6;
    RestoreOptions({{key, value}}, settings, level);
    QVERIFY(settings == before);
    QCOMPARE(level, 6);
}

void RememberedOptionsTest::aGuitarIsAlwaysOnTheTrebleStaffInFullRange() {
    Settings settings;
    int level = 1;
    RestoreOptions({{"input", "guitar"}, {"staff", "bass"}, {"range", "single"}}, settings, level);
    QCOMPARE(settings.InputMode, std::uint8_t(GuitarFrets));
    QCOMPARE(settings.StaffChoice, std::uint8_t(TrebleStaff));
    QVERIFY(settings.FullRange);
}

QTEST_APPLESS_MAIN(RememberedOptionsTest)
#include "tst_rememberedoptions.moc"
