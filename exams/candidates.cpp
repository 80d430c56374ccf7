// A class list's file by its kind, its header row, and the candidates of its
// rows.

#include "exams/candidates.h"
#include "exams/tablelimits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <array>

namespace exams {

namespace {

const QString& oldWorkbook() {
    static const QString message =
        QStringLiteral("旧版的 Excel 97-2003 工作簿（.xls）读不出来。请在 Excel 或 WPS 中打开它，"
                       "“另存为” .xlsx 或 .csv 后再读入。");
    return message;
}

struct HeaderWords {
    Field field;
    QStringList words;
};

const std::array<HeaderWords, 4>& headerWords() {
    static const std::array<HeaderWords, 4> words{{
        {Field::Name, {"姓名", "名字", "学生姓名", "考生姓名", "name"}},
        {Field::Class, {"班级", "班", "班别", "行政班", "class"}},
        {Field::StudentNo, {"学号", "学籍号", "学生编号", "编号"}},
        {Field::ExamNo, {"考号", "准考证号", "考试号", "准考号"}},
    }};
    return words;
}

// A header as it is compared: forms often space a short header out to the
// column's width ("姓  名").
QString headerKey(const QString& cell) {
    QString key;
    for (QChar c : cell)
        if (!c.isSpace())
            key += c.toLower();
    return key;
}

Field fieldOf(const QString& cell) {
    const QString key = headerKey(cell);
    for (const HeaderWords& kind : headerWords())
        if (kind.words.contains(key))
            return kind.field;
    return Field::Other;
}

QString cellAt(const QStringList& row, qsizetype column) {
    return column < row.size() ? row[column].trimmed() : QString();
}

} // namespace

ReadTable readTableFile(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{},
                QStringLiteral("无法打开文件“%1”：%2")
                    .arg(shown, file.exists() ? file.errorString() : QStringLiteral("文件不存在"))};
    if (file.size() > limits::kMostBytes)
        return {{}, limits::tooManyBytes()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, QStringLiteral("无法读取文件“%1”：%2").arg(shown, file.errorString())};

    // A workbook saved under another name is still read as what it is.
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("\xD0\xCF\x11\xE0") ||
        suffix == u"xlsx" || suffix == u"xlsm")
        return readXlsx(bytes);
    if (suffix == u"xls" || suffix == u"et")
        return {{}, oldWorkbook()};
    if (suffix == u"csv" || suffix == u"txt")
        return readCsv(bytes);
    return {{},
            QStringLiteral("“%1”不是能读入的名单文件。请用 Excel 或 WPS 把名单“另存为” .xlsx 或 "
                           ".csv 文件，或者直接复制表格粘贴进来。")
                .arg(shown)};
}

std::vector<Field> recogniseHeader(const QStringList& header) {
    std::vector<Field> fields;
    QSet<Field> seen;
    for (const QString& cell : header) {
        const Field field = fieldOf(cell);
        const bool first = field != Field::Other && !seen.contains(field);
        seen.insert(field);
        fields.push_back(first ? field : Field::Other);
    }
    if (std::find(fields.begin(), fields.end(), Field::Name) == fields.end())
        return {};
    return fields;
}

QStringList knownHeaders() {
    QStringList all;
    for (const HeaderWords& kind : headerWords())
        all += kind.words;
    return all;
}

ReadCandidates candidatesFrom(const Table& table, const std::vector<Field>& fields, bool header) {
    ReadCandidates read;
    const qsizetype firstRow = header && !table.empty() ? 1 : 0;
    auto columns = qsizetype(fields.size());
    for (const QStringList& row : table)
        columns = std::max(columns, row.size());
    std::array<qsizetype, 4> columnOf{-1, -1, -1, -1}; // by Field
    std::vector<qsizetype> extras;
    for (qsizetype column = 0; column < columns; ++column) {
        const Field field = column < qsizetype(fields.size()) ? fields[column] : Field::Other;
        if (field != Field::Other) {
            if (columnOf[int(field)] < 0)
                columnOf[int(field)] = column;
            continue;
        }
        // A column with neither a header nor a value (the commas a
        // spreadsheet leaves after the last) is no column of the list.
        const QString title = header && !table.empty() ? cellAt(table[0], column) : QString();
        const bool used = !title.isEmpty() ||
                          std::any_of(table.begin() + firstRow, table.end(), [&](const auto& row) {
                              return !cellAt(row, column).isEmpty();
                          });
        if (!used)
            continue;
        extras.push_back(column);
        read.list.extraHeaders.append(title.isEmpty() ? QStringLiteral("第%1列").arg(column + 1)
                                                      : title);
    }
    const auto cell = [&](const QStringList& row, Field field) {
        return columnOf[int(field)] < 0 ? QString() : cellAt(row, columnOf[int(field)]);
    };
    for (auto i = std::size_t(firstRow); i < table.size(); ++i) {
        const QStringList& row = table[i];
        if (std::all_of(row.begin(), row.end(),
                        [](const QString& c) { return c.trimmed().isEmpty(); }))
            continue;
        const int number = int(i + 1);
        Candidate candidate{cell(row, Field::Name),
                            cell(row, Field::Class),
                            cell(row, Field::StudentNo),
                            cell(row, Field::ExamNo),
                            {},
                            number};
        if (candidate.name.isEmpty()) {
            read.problems.push_back({number, QStringLiteral("没有姓名")});
            continue;
        }
        for (qsizetype column : extras)
            candidate.extra.append(cellAt(row, column));
        read.list.candidates.push_back(std::move(candidate));
    }
    return read;
}

QStringList duplicateExamNumbers(const CandidateList& list) {
    QHash<QString, int> count;
    for (const Candidate& candidate : list.candidates)
        if (!candidate.examNo.isEmpty())
            ++count[candidate.examNo];
    QStringList twice;
    for (const Candidate& candidate : list.candidates)
        if (count.value(candidate.examNo) > 1) {
            twice.append(candidate.examNo);
            count[candidate.examNo] = 0; // listed once
        }
    return twice;
}

QStringList problemLines(const std::vector<Problem>& problems) {
    QStringList lines;
    for (const Problem& problem : problems)
        lines << QStringLiteral("  第 %1 行：%2").arg(problem.row).arg(problem.what);
    return lines;
}

} // namespace exams
