#include "AnswerCsv.h"

#include "QuizEngine.h"

#include <QDateTime>
#include <QIODevice>
#include <QList>
#include <QRegularExpression>

#include <array>
#include <cmath>

namespace quavix {

namespace {

constexpr std::array<const char*, 3> InputNames = {"buttons", "piano", "guitar"};
// The clef a note was read in, by its number (NoteClefs).
constexpr std::array<const char*, 5> StaffNames = {"treble", "bass", "alto", "tenor", "treble8"};
constexpr std::array<const char*, 3> OutcomeNames = {"right", "wrong", "timed out"};
constexpr int Fields = 9;

QByteArray IsoTime(std::int64_t ms) {
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODateWithMs).toLatin1();
}

bool ParseTime(const QByteArray& text, std::int64_t& ms) {
    // Strictly the ISO 8601 form with a zone, which Qt alone would not insist on.
    static const QRegularExpression form(
        QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d(\.\d{1,3})?(Z|[+-]\d\d:\d\d)$)"));
    if (!form.match(QString::fromLatin1(text)).hasMatch())
        return false;
    const QDateTime time = QDateTime::fromString(QString::fromLatin1(text), Qt::ISODateWithMs);
    if (!time.isValid())
        return false;
    ms = time.toMSecsSinceEpoch();
    return true;
}

template <std::size_t N> int IndexOf(const std::array<const char*, N>& names, const QByteArray& text) {
    for (std::size_t i = 0; i < N; ++i)
        if (text == names[i])
            return static_cast<int>(i);
    return -1;
}

// Keys judged by their sound, when sharps and flats are asked: "k61" for key 61 where the octave
// counted, "pc1" for the pitch class C sharp where it did not.
constexpr int KeyCodes = 140; // written keys 0 to 139: MIDI keys, and the guitar an octave above
constexpr int PitchClassCodes = 12;

// A letter answer is written as the letter with its sign ("F#", "Bb"), a staff step as its pitch name, a
// key as k and its number, a pitch class as pc and its number, no answer as nothing.
QByteArray AnswerText(int code) {
    for (int alteration = -1; alteration <= 1; ++alteration) {
        const int first = FirstLetterCode + alteration * LetterCodesPerSign;
        if (code >= first && code <= first + 6)
            return QByteArray(1, NoteLetter(code - first)) + (alteration > 0   ? "#"
                                                              : alteration < 0 ? "b"
                                                                               : "");
    }
    if (code >= 0 && code <= LastStepCode)
        return QByteArray::fromStdString(PitchName(code));
    if (code >= FirstKeyCode && code < FirstKeyCode + KeyCodes)
        return "k" + QByteArray::number(code - FirstKeyCode);
    if (code >= FirstPitchClassCode && code < FirstPitchClassCode + PitchClassCodes)
        return "pc" + QByteArray::number(code - FirstPitchClassCode);
    return {};
}

// A number after a prefix, within 0 to count - 1.
bool ParseNumber(const QByteArray& text, const char* prefix, int count, int& number) {
    if (!text.startsWith(prefix) || text.size() == qsizetype(qstrlen(prefix)))
        return false;
    const QByteArray digits = text.mid(qstrlen(prefix));
    for (char c : digits)
        if (c < '0' || c > '9')
            return false;
    number = digits.toInt();
    return number < count;
}

bool ParseAnswer(const QByteArray& text, int& code) {
    if (text.isEmpty()) {
        code = AnswerRecord::NoAnswer;
        return true;
    }
    if (text[0] >= 'A' && text[0] <= 'G' &&
        (text.size() == 1 || (text.size() == 2 && (text[1] == '#' || text[1] == 'b')))) {
        const int alteration = text.size() == 1 ? 0 : text[1] == '#' ? 1 : -1;
        code = LetterCode(text[0], alteration);
        return true;
    }
    int number = 0;
    if (ParseNumber(text, "k", KeyCodes, number)) {
        code = FirstKeyCode + number;
        return true;
    }
    if (ParseNumber(text, "pc", PitchClassCodes, number)) {
        code = FirstPitchClassCode + number;
        return true;
    }
    code = StepOfPitchName(text.toStdString());
    return code >= 0;
}

// The note as written: its pitch name with the sign after the letter ("F#4", "Bb3").
QByteArray NoteText(int step, int alteration) {
    QByteArray name = QByteArray::fromStdString(PitchName(step));
    if (alteration != 0 && !name.isEmpty())
        name.insert(1, alteration > 0 ? '#' : 'b');
    return name;
}

// Takes the note back apart: its step and its sign.
int ParseNote(QByteArray text, std::int8_t& alteration) {
    alteration = 0;
    if (text.size() > 2 && (text[1] == '#' || text[1] == 'b')) {
        alteration = text[1] == '#' ? 1 : -1;
        text.remove(1, 1);
    }
    return StepOfPitchName(text.toStdString());
}

// Seconds with exactly three decimals, so milliseconds come back unchanged.
bool ParseSeconds(const QByteArray& text, int& ms) {
    const int dot = text.indexOf('.');
    if (dot <= 0 || text.size() - dot != 4)
        return false;
    bool wholeOk = false;
    bool fractionOk = false;
    const qint64 whole = text.left(dot).toLongLong(&wholeOk);
    const int fraction = text.mid(dot + 1).toInt(&fractionOk);
    if (!wholeOk || !fractionOk || whole < 0 || whole > 2'000'000 || text[dot + 1] == '-' ||
        text[dot + 1] == '+')
        return false;
    ms = static_cast<int>(whole * 1000 + fraction);
    return true;
}

} // namespace

QByteArray AnswerCsv::Header() {
    return "quiz_started,answered_at,input,staff,note,row,outcome,answer,seconds\r\n";
}

QByteArray AnswerCsv::Line(const AnswerRecord& record) {
    const auto name = [](const auto& names, int index) {
        return index >= 0 && index < static_cast<int>(names.size()) ? QByteArray(names[index])
                                                                    : QByteArray("?");
    };
    QByteArray line;
    line.reserve(96);
    line += IsoTime(record.QuizStartedMs) + ',' + IsoTime(record.AnsweredMs) + ',';
    line += name(InputNames, record.InputMode) + ',' + name(StaffNames, record.Staff) + ',';
    line += NoteText(record.Step, record.Alteration) + ',' + QByteArray::number(record.Row) + ',';
    line += name(OutcomeNames, static_cast<int>(record.Result)) + ',' + AnswerText(record.Answered) + ',';
    line += QByteArray::number(record.Milliseconds / 1000) + '.' +
            QByteArray::number(record.Milliseconds % 1000).rightJustified(3, '0') + "\r\n";
    return line;
}

bool AnswerCsv::Write(QIODevice& device, std::span<const AnswerRecord> answers) {
    if (device.write(Header()) < 0)
        return false;
    for (const AnswerRecord& record : answers)
        if (device.write(Line(record)) < 0)
            return false;
    return true;
}

bool AnswerCsv::ParseLine(const QByteArray& line, AnswerRecord& record, QString* error) {
    const QList<QByteArray> fields = line.trimmed().split(',');
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (fields.size() != Fields)
        return fail(tr("it has %1 fields instead of %2").arg(fields.size()).arg(Fields));
    AnswerRecord parsed;
    if (!ParseTime(fields[0], parsed.QuizStartedMs) || !ParseTime(fields[1], parsed.AnsweredMs))
        return fail(tr("a time is not in ISO 8601 form"));
    const int input = IndexOf(InputNames, fields[2]);
    const int staff = IndexOf(StaffNames, fields[3]);
    const int outcome = IndexOf(OutcomeNames, fields[6]);
    parsed.Step = ParseNote(fields[4], parsed.Alteration);
    bool rowOk = false;
    parsed.Row = fields[5].toInt(&rowOk);
    if (input < 0 || staff < 0 || outcome < 0 || parsed.Step < 0 || !rowOk || parsed.Row < 0 ||
        parsed.Row >= NoteTableRows)
        return fail(tr("a field holds a value no answer can have"));
    parsed.InputMode = static_cast<std::uint8_t>(input);
    parsed.Staff = static_cast<std::uint8_t>(staff);
    parsed.Result = static_cast<Outcome>(outcome);
    if (!ParseAnswer(fields[7], parsed.Answered) ||
        (parsed.Result == Outcome::TimedOut) != fields[7].isEmpty())
        return fail(tr("the answer does not fit the outcome"));
    if (!ParseSeconds(fields[8], parsed.Milliseconds))
        return fail(tr("the seconds are not a number with three decimals"));
    record = parsed;
    return true;
}

bool AnswerCsv::Read(QIODevice& device, std::vector<AnswerRecord>& answers, QString* error) {
    const QByteArray header = device.readLine();
    if (header.trimmed() != Header().trimmed()) {
        if (error)
            *error = tr("the first line is not the header of an answer list");
        return false;
    }
    int lineNumber = 1;
    while (!device.atEnd()) {
        const QByteArray line = device.readLine();
        ++lineNumber;
        if (line.trimmed().isEmpty())
            continue;
        AnswerRecord record;
        QString why;
        if (!ParseLine(line, record, &why)) {
            if (error)
                *error = tr("Line %1: %2.").arg(lineNumber).arg(why);
            return false;
        }
        answers.push_back(record);
    }
    return true;
}

} // namespace quavix
