// A paste from a spreadsheet and a .csv file: cells cut at a separator, rows
// at line breaks, spreadsheet quoting undone, and the file's encoding told
// from its bytes.

#include "common/ansitext.h"
#include "exams/candidates.h"
#include "exams/tablelimits.h"

#include <QStringDecoder>

namespace exams {

namespace {

bool isBreak(QChar c) {
    return c == u'\n' || c == u'\r';
}

// A cell in quotes ("..." with "" for a quote inside), as spreadsheets write
// a cell that holds a separator or a line break: its text, and where it ends.
// A quote that does not close right before a separator, a line break or the
// end makes the cell no quoted one; it is then taken as it stands, so that a
// stray quote loses nothing.
qsizetype quotedCell(QStringView text, qsizetype start, QChar separator, QString& cell) {
    QString unquoted;
    for (qsizetype from = start + 1;;) {
        const qsizetype quote = text.indexOf(u'"', from);
        if (quote < 0)
            return -1;
        unquoted += text.sliced(from, quote - from);
        const qsizetype after = quote + 1;
        if (after < text.size() && text[after] == u'"') {
            unquoted += u'"';
            from = after + 1;
        } else if (after == text.size() || text[after] == separator || isBreak(text[after])) {
            cell = std::move(unquoted);
            return after;
        } else {
            return -1;
        }
    }
}

// Rows at CR LF, LF or CR; a line break at the very end starts no row.
ReadTable readDelimited(QStringView text, QChar separator) {
    ReadTable table;
    QStringList row;
    qsizetype cells = 0;
    for (qsizetype at = 0; at < text.size();) {
        QString cell;
        qsizetype end = text[at] == u'"' ? quotedCell(text, at, separator, cell) : -1;
        if (end < 0) {
            end = at;
            while (end < text.size() && text[end] != separator && !isBreak(text[end]))
                ++end;
            cell = text.sliced(at, end - at).toString();
        }
        row.append(std::move(cell));
        if (++cells > limits::kMostCells)
            return {{}, limits::tooManyCells()};
        if (end < text.size() && text[end] == separator) {
            at = end + 1;
            if (at == text.size()) // the empty cell after a final separator
                row.append(QString());
            continue;
        }
        table.rows.push_back(std::move(row));
        row = QStringList();
        if (qsizetype(table.rows.size()) > limits::kMostRows)
            return {{}, limits::tooManyRows()};
        const bool crLf = end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n';
        at = end + (crLf ? 2 : 1);
    }
    if (!row.isEmpty())
        table.rows.push_back(std::move(row));
    return table;
}

QString strictly(QStringDecoder decoder, QByteArrayView bytes, bool& ok) {
    QString text = decoder.decode(bytes);
    ok = !decoder.hasError();
    return text;
}

// Whether the bytes are all ASCII, the euro sign (0x80) or GBK's two-byte
// characters, as Excel writes a .csv on Chinese Windows.
bool isGbk(QByteArrayView bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uchar(bytes[i]);
        if (b <= 0x80)
            continue;
        if (b == 0xFF || i + 1 == bytes.size())
            return false;
        const auto trail = uchar(bytes[++i]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
            return false;
    }
    return true;
}

// The text of a .csv: UTF-8 with or without its byte-order mark, UTF-16
// with one (Excel's "Unicode text"), else GBK; empty and not ok when the
// bytes are none of these. A NUL never occurs in a spreadsheet's text, so
// bytes holding one are no text file.
QString decodeText(QByteArrayView bytes, bool& ok) {
    const auto flags = QStringDecoder::Flag::Stateless;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return strictly(QStringDecoder(QStringDecoder::Utf8, flags), bytes.sliced(3), ok);
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return strictly(QStringDecoder(QStringDecoder::Utf16, flags), bytes, ok);
    ok = !bytes.contains('\0');
    if (!ok)
        return {};
    QString text = strictly(QStringDecoder(QStringDecoder::Utf8, flags), bytes, ok);
    if (ok)
        return text;
    ok = isGbk(bytes);
    if (!ok)
        return {};
    text = common::fromAnsi(bytes);
    ok = !text.contains(QChar::ReplacementCharacter);
    return text;
}

} // namespace

ReadTable readPaste(const QString& text) {
    return readDelimited(text, u'\t');
}

ReadTable readCsv(const QByteArray& bytes) {
    bool ok = false;
    const QString text = decodeText(bytes, ok);
    if (!ok)
        return {{},
                QStringLiteral("无法识别文件的编码：它既不是 UTF-8，也不是 GBK 编码的文字。"
                               "请在 Excel 或 WPS 中把它“另存为” UTF-8 或 GBK 编码的 CSV 文件，"
                               "再读入。")};
    // A "Unicode text" file saved by Excel, or a list typed in a text
    // editor, has tabs between its cells: its first line then shows tabs
    // and no comma.
    qsizetype firstBreak = 0;
    while (firstBreak < text.size() && !isBreak(text[firstBreak]))
        ++firstBreak;
    const QStringView firstLine = QStringView(text).first(firstBreak);
    const bool tabs = firstLine.contains(u'\t') && !firstLine.contains(u',');
    return readDelimited(text, tabs ? u'\t' : u',');
}

} // namespace exams
