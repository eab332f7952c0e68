#pragma once

#include "AnswerRecord.h"

#include <QCoreApplication>
#include <QString>

#include <span>
#include <vector>

class QIODevice;

namespace quavix {

// Answers as comma-separated values, one answer a line after a header line, for spreadsheets and for
// teachers' own tools. Times are ISO 8601 in UTC with milliseconds; no field holds a comma or a quote, so
// nothing is quoted. Reading takes back exactly what writing gave.
class AnswerCsv final {
    Q_DECLARE_TR_FUNCTIONS(AnswerCsv)

public:
    static QByteArray Header();
    static QByteArray Line(const AnswerRecord& record);
    // Writes the header and the answers; false when the device refused some of it.
    static bool Write(QIODevice& device, std::span<const AnswerRecord> answers);

    // Reads a whole file made by Write. On a line it cannot take, it stops and says which line and why.
    static bool Read(QIODevice& device, std::vector<AnswerRecord>& answers, QString* error);
    static bool ParseLine(const QByteArray& line, AnswerRecord& record, QString* error);
};

} // namespace quavix
