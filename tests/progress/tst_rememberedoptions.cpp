#include "ProgressStore.h"
#include "RememberedOptions.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace quavix;

namespace {

// The kept history's file as version 2.5.5 wrote it: its tables, and the options it stored for a user.
const char* const ReleaseSchema[] = {
    "CREATE TABLE answers ( id INTEGER PRIMARY KEY, quiz_started INTEGER NOT NULL, answered_at INTEGER NOT "
    "NULL, input_mode INTEGER NOT NULL, note_row INTEGER NOT NULL, step INTEGER NOT NULL, staff INTEGER NOT "
    "NULL, outcome INTEGER NOT NULL, answered INTEGER NOT NULL, ms INTEGER NOT NULL)",
    "CREATE TABLE note_hours ( hour INTEGER NOT NULL, staff INTEGER NOT NULL, step INTEGER NOT NULL, asked "
    "INTEGER NOT NULL, right INTEGER NOT NULL, wrong INTEGER NOT NULL, slow_sum REAL NOT NULL, PRIMARY KEY "
    "(hour, staff, step)) WITHOUT ROWID",
    "CREATE TABLE options (key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID",
    "CREATE INDEX answers_by_note ON answers (staff, step, ms, answered_at)",
    "PRAGMA user_version = 1",
};

bool WriteReleaseFile(const QString& path, const QStringList& rows) {
    bool written = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("release"));
        db.setDatabaseName(path);
        written = db.open();
        QSqlQuery query(db);
        for (const char* statement : ReleaseSchema)
            written = written && query.exec(QString::fromLatin1(statement));
        for (const QString& row : rows)
            written = written && query.exec("INSERT INTO options VALUES(" + row + ")");
    }
    QSqlDatabase::removeDatabase(QStringLiteral("release"));
    return written;
}

} // namespace

Q_DECLARE_METATYPE(quavix::Settings)

class RememberedOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void optionsKeptByTheReleaseComeBack_data();
    void optionsKeptByTheReleaseComeBack();
    void everySettingComesBack_data();
    void everySettingComesBack();
    void whatNoVersionWroteChangesNothing_data();
    void whatNoVersionWroteChangesNothing();
    void clefsAndRangesComeBack();
    void aGuitarIsAlwaysOnTheTrebleStaffInFullRange();
};

// The options table exactly as the release before the settings carried their own types wrote it (its rows
// taken from a file it kept), opened by the store and read back into the settings.
void RememberedOptionsTest::optionsKeptByTheReleaseComeBack_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<Settings>("expected");
    QTest::newRow("piano, bass, full range, German names")
        << QStringList{"'input','piano'", "'keep-progress','on'", "'level','7'",    "'note-names','german'",
                       "'range','full'",  "'sound','on'",         "'staff','bass'", "'weak-notes','on'"}
        << Settings{.InputMode = PianoKeys,
                    .StaffChoice = BassStaff,
                    .FullRange = true,
                    .Level = 7,
                    .Sound = true,
                    .PractiseWeakNotes = true,
                    .KeepProgress = true,
                    .NoteNaming = GermanNames};
    QTest::newRow("guitar, fixed do, level 12")
        << QStringList{"'input','guitar'",        "'keep-progress','on'", "'level','12'",
                       "'note-names','fixed-do'", "'range','full'",       "'sound','off'",
                       "'staff','treble'",        "'weak-notes','off'"}
        << Settings{.InputMode = GuitarFrets,
                    .FullRange = true,
                    .Level = 12,
                    .KeepProgress = true,
                    .NoteNaming = FixedDo};
}

void RememberedOptionsTest::optionsKeptByTheReleaseComeBack() {
    QFETCH(QStringList, rows);
    QFETCH(Settings, expected);
    QTemporaryDir folder;
    QVERIFY(WriteReleaseFile(folder.filePath("progress.sqlite"), rows));
    ProgressStore store(folder.path());
    QVERIFY(store.Open());
    Settings restored;
    RestoreOptions(store.Options(), restored);
    QVERIFY(restored == expected);
    // Written again by this version, the options read the same.
    QCOMPARE(OptionsToRemember(restored), store.Options());
}

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
    kept.NoteNaming = NoteNamings(naming);
    kept.Sound = sound;
    kept.InputMode = InputModes(mode);
    kept.StaffChoice = StaffChoices(staff);
    kept.FullRange = fullRange;
    kept.Level = level;
    kept.PractiseWeakNotes = weak;
    kept.KeepProgress = true;
    Settings restored;
    RestoreOptions(OptionsToRemember(kept), restored);
    QVERIFY(restored == kept);
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
    QTest::newRow("a clef we do not know") << "staff"
                                           << "soprano";
    QTest::newRow("a range of one note") << "range-alto"
                                         << "12..12";
    QTest::newRow("a range upside down") << "range-bass"
                                         << "12..4";
    QTest::newRow("a range past four ledger lines") << "range-treble"
                                                    << "10..40";
    QTest::newRow("a range that is no number") << "range-tenor"
                                               << "C3..C5";
    QTest::newRow("a range of a clef we do not know") << "range-soprano"
                                                      << "5..19";
}

void RememberedOptionsTest::whatNoVersionWroteChangesNothing() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    Settings settings;
    settings.InputMode = PianoKeys;
    settings.StaffChoice = BassStaff;
    settings.NoteNaming = GermanNames; // not the default, so a bad value cannot pass for it
    settings.Level = 6;
    const Settings before = settings;
    RestoreOptions({{key, value}}, settings);
    QVERIFY(settings == before);
}

// The clefs, the octave-treble clef and a range on each staff come back as they were kept.
void RememberedOptionsTest::clefsAndRangesComeBack() {
    for (StaffChoices staff : {AltoStaff, AltoAndTreble, TenorStaff, TenorAndBass}) {
        Settings kept;
        kept.StaffChoice = staff;
        kept.OctaveTreble = true;
        kept.Ranges[2] = {4, 24}; // the alto clef's
        kept.Ranges[1] = {0, 9};  // the bass clef's
        Settings restored;
        RestoreOptions(OptionsToRemember(kept), restored);
        QVERIFY(restored == kept);
    }
}

void RememberedOptionsTest::aGuitarIsAlwaysOnTheTrebleStaffInFullRange() {
    Settings settings;
    RestoreOptions({{"input", "guitar"}, {"staff", "bass"}, {"range", "single"}}, settings);
    QCOMPARE(settings.InputMode, std::uint8_t(GuitarFrets));
    QCOMPARE(settings.StaffChoice, std::uint8_t(TrebleStaff));
    QVERIFY(settings.FullRange);
}

QTEST_APPLESS_MAIN(RememberedOptionsTest)
#include "tst_rememberedoptions.moc"
