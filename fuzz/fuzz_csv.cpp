// A paste and a .csv, from any bytes: every table read is written back as a
// spreadsheet puts it on the clipboard or in a file, and reads back the same;
// a paste without quotes is its lines cut at the tabs.

#include "exams/candidates.h"
#include "fuzz/fuzzcheck.h"

using namespace exams;

namespace {
// Rows as Excel writes them: a cell holding the separator, a line break or a
// quote first is quoted, and every row ends with CR LF.
QString written(const Table& rows, QChar separator) {
    QString text;
    for (const QStringList& row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            const QString& cell = row[i];
            const bool quoted = cell.startsWith(u'"') || cell.contains(separator) ||
                                cell.contains(u'\r') || cell.contains(u'\n');
            if (i > 0)
                text += separator;
            text += quoted ? '"' + QString(cell).replace("\"", "\"\"") + '"' : cell;
        }
        text += u"\r\n";
    }
    return text;
}
QString unixLines(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);
    const ReadTable csv = readCsv(bytes);
    FUZZ_CHECK(csv.error.isEmpty() || csv.rows.empty());
    for (const QStringList& row : csv.rows)
        FUZZ_CHECK(!row.isEmpty());
    const QString again = written(csv.rows, u',');
    // Unless its first line looks tab-separated, or its text is none a file
    // can hold (a NUL, a lone surrogate half, a byte-order mark first).
    const QString firstLine = unixLines(again).section(u'\n', 0, 0);
    const QByteArray utf8 = again.toUtf8();
    if (csv.error.isEmpty() && !again.startsWith(QChar(0xFEFF)) && !again.contains(QChar(0)) &&
        QString::fromUtf8(utf8) == again &&
        !(firstLine.contains(u'\t') && !firstLine.contains(u',')))
        FUZZ_CHECK(readCsv(utf8).rows == csv.rows);

    const QString text = QString::fromUtf8(bytes);
    const ReadTable paste = readPaste(text);
    FUZZ_CHECK(paste.error.isEmpty());
    FUZZ_CHECK(readPaste(written(paste.rows, u'\t')).rows == paste.rows);
    if (!text.contains(u'"')) {
        QStringList lines = unixLines(text).split(u'\n');
        if (lines.back().isEmpty())
            lines.removeLast();
        FUZZ_CHECK(qsizetype(paste.rows.size()) == lines.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            FUZZ_CHECK(paste.rows[i] == lines[i].split(u'\t'));
    }
    return 0;
}
