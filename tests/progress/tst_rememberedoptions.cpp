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
    void listeningComesBack();
    void whatNoVersionWroteChangesNothing_data();
    void whatNoVersionWroteChangesNothing();
    void clefsAndRangesComeBack();
    void aGuitarIsAlwaysOnTheTrebleStaffInFullRange();
    void practiceAndLengthComeBack_data();
    void practiceAndLengthComeBack();
    void keysComeBack_data();
    void keysComeBack();
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
    // Written again by this version, the options read the same (beside the ones added since).
    const std::map<QString, QString> written = OptionsToRemember(restored);
    QCOMPARE(written.at("adaptive"), QString("off"));
    QCOMPARE(written.at("quiz-length"), QString("20"));
    for (const auto& [key, value] : store.Options())
        QCOMPARE(written.at(key), value);
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

void RememberedOptionsTest::listeningComesBack() {
    Settings kept;
    kept.Listen = true;
    kept.ListenToleranceCents = 80;
    kept.ListenSinging = true;
    Settings restored;
    RestoreOptions(OptionsToRemember(kept), restored);
    QVERIFY(restored == kept);
    kept.ListenToleranceCents = 25;
    kept.Listen = false;
    RestoreOptions(OptionsToRemember(kept), restored);
    QVERIFY(restored == kept);
    // The input chosen, by its id: kept readable where the id is, and whole whatever bytes it holds.
    kept.ListenInput = "alsa_input.usb-Mic_1-00.analog-stereo";
    QCOMPARE(OptionsToRemember(kept).at("listen-input"), QString("alsa_input.usb-Mic_1-00.analog-stereo"));
    RestoreOptions(OptionsToRemember(kept), restored);
    QVERIFY(restored == kept);
    kept.ListenInput = std::string("mic 100%&=\t\xff\0x", 14);
    RestoreOptions(OptionsToRemember(kept), restored);
    QCOMPARE(restored.ListenInput, kept.ListenInput);
    kept.ListenInput.clear();
    RestoreOptions(OptionsToRemember(kept), restored);
    QVERIFY(restored.ListenInput.empty());
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
    QTest::newRow("a tolerance below the least") << "listen-tolerance"
                                                 << "20";
    QTest::newRow("a tolerance above the most") << "listen-tolerance"
                                                << "81";
    QTest::newRow("listening as a number") << "listen"
                                           << "1";
    QTest::newRow("a quiz length not offered") << "quiz-length"
                                               << "30";
    QTest::newRow("an endless quiz as a number") << "quiz-length"
                                                 << "0";
    QTest::newRow("adaptive half on") << "adaptive"
                                      << "yes";
    QTest::newRow("a key with eight sharps") << "key"
                                             << "8";
    QTest::newRow("a key by its name") << "key"
                                       << "Eb";
    QTest::newRow("double sharps") << "accidentals"
                                   << "double-sharps";
    QTest::newRow("a key each quiz as a number") << "key-each-quiz"
                                                 << "1";
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

void RememberedOptionsTest::practiceAndLengthComeBack_data() {
    QTest::addColumn<bool>("weak");
    QTest::addColumn<bool>("adaptive");
    QTest::addColumn<int>("length");
    QTest::newRow("adaptive, 10 notes") << false << true << 10;
    QTest::newRow("weak notes, 50 notes") << true << false << 50;
    QTest::newRow("any note, until stopped") << false << false << int(UntilStopped);
}

void RememberedOptionsTest::practiceAndLengthComeBack() {
    QFETCH(bool, weak);
    QFETCH(bool, adaptive);
    QFETCH(int, length);
    const Settings kept{.PractiseWeakNotes = weak, .AdaptivePractice = adaptive, .QuizLength = length};
    Settings restored;
    RestoreOptions(OptionsToRemember(kept), restored);
    QVERIFY(restored == kept);
    // A file with both kinds of practice on (written by hand) keeps the older one alone.
    auto both = OptionsToRemember(kept);
    both["weak-notes"] = "on";
    both["adaptive"] = "on";
    Settings fromBoth;
    RestoreOptions(both, fromBoth);
    QVERIFY(fromBoth.PractiseWeakNotes && !fromBoth.AdaptivePractice);
}

void RememberedOptionsTest::keysComeBack_data() {
    QTest::addColumn<Settings>("kept");
    QTest::newRow("E flat major, signs against it")
        << Settings{.Accidentals = InKey, .Key = -3, .AgainstKey = true};
    QTest::newRow("a key each quiz, F sharp kept for later")
        << Settings{.Accidentals = InKey, .Key = 6, .KeyEachQuiz = true};
    // A key chosen earlier stays chosen while sharps and flats are asked without one.
    QTest::newRow("free sharps and flats") << Settings{.Accidentals = SharpsAndFlats, .Key = -7};
    QTest::newRow("naturals with a key kept") << Settings{.Key = 2};
}

void RememberedOptionsTest::keysComeBack() {
    QFETCH(Settings, kept);
    Settings restored;
    RestoreOptions(OptionsToRemember(kept), restored);
    QVERIFY(restored == kept);
}

QTEST_APPLESS_MAIN(RememberedOptionsTest)

#include "tst_rememberedoptions.moc"
