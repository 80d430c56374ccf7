// Class lists in: pastes, .csv files in their encodings, .xlsx workbooks
// (one saved by openpyxl, the rest built here part by part), files by their
// kind, and the candidates taken from the rows.

#include "common/ansitext.h"
#include "exams/candidates.h"
#include "tests/casetable.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtGui/private/qzipwriter_p.h>

using namespace exams;

namespace {
// A table as the cases write it: cells between "·", rows between " / "; or
// "!" and a word of the error.
QString shown(const ReadTable& read) {
    if (!read.error.isEmpty())
        return '!' + read.error;
    QStringList rows;
    for (const QStringList& row : read.rows)
        rows << row.join(u'·');
    return rows.join(" / ");
}

void compareRead(const ReadTable& read, const QString& expected) {
    if (expected.startsWith('!'))
        QVERIFY2(read.error.contains(expected.mid(1)), qPrintable(shown(read)));
    else
        QCOMPARE(shown(read), expected);
}

// Pasted text, or a file of that name holding text in an encoding
// ("gbk:..."), the workbook openpyxl saved (list), its first half (cut), nothing
// (none) or a folder (dir).
const char* const kRead = R"(
tabs and CR LF      | paste | 张三\t1班\r\n李四\t2班\r\n | 张三·1班 / 李四·2班
LF, CR, no last break | paste | a\tb\nc\rd       | a·b / c / d
an empty line stays | paste | a\n\nb\n         | a /  / b
empty cells         | paste | \ta\t\n          | ·a·
quoted tab, break, quote | paste | "x\ty"\t"1\n2"\t"say ""hi"""\n | x\ty·1\n2·say "hi"
stray quotes kept   | paste | 5"\t"ab\t"a"b    | 5"·"ab·"a"b
UTF-8               | a.csv | utf8:姓名,班级\r\n张三,1班\r\n | 姓名·班级 / 张三·1班
UTF-8 with its mark | a.csv | bom:姓名,班级\n张三,1班       | 姓名·班级 / 张三·1班
GBK                 | 名单.CSV | gbk:姓名,班级\r\n张三,1班,€\r\n | 姓名·班级 / 张三·1班·€
UTF-16 with its mark | a.txt | utf16:姓名\t班级\r\n         | 姓名·班级
neither             | a.csv | hex:41 2C 81 0A 80            | !编码
a NUL               | a.csv | hex:41 00 42                  | !编码
quoted comma, break, quote | a.csv | utf8:"a,b","1\r\n2",x""y,"q""" | a,b·1\r\n2·x""y·q"
tabs and no comma   | a.csv | utf8:学号\t姓名\n1\t张,三      | 学号·姓名 / 1·张,三
a comma on line one | a.csv | utf8:a,b\tc\n1\t2              | a·b\tc / 1\t2
the openpyxl workbook | list.xlsx | list | 姓名·班级·学号·考号·语文 / 张三·高一(1)班·007·2023010001·95.5·2008-05-01 /  / 李四·高一(2)班·20230102·123456789012345·TRUE··备注
a workbook named .xls | 名单.XLS | list | 姓名·班级·学号·考号·语文 / 张三·高一(1)班·007·2023010001·95.5·2008-05-01 /  / 李四·高一(2)班·20230102·123456789012345·TRUE··备注
an old .xls         | old.xls | utf8:<html> | !97-2003
an old or locked workbook | a.xlsx | hex:D0CF11E0A1B11AE1 | !密码
half a workbook     | cut.xlsx | cut | !损坏
text named .xlsx    | a.xlsx | utf8:姓名 | !损坏
another kind        | a.docx | utf8:x | !不是能读入
missing             | gone.csv | none | !gone.csv
a folder            | dir.csv | dir | !dir.csv
)";

QByteArray encoded(const QString& encoding, const QString& text) {
    if (encoding == "gbk")
        return common::toAnsi(text);
    if (encoding == "utf16")
        return QByteArray("\xFF\xFE") +
               QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    if (encoding == "hex")
        return QByteArray::fromHex(text.toLatin1());
    return (encoding == "bom" ? "\xEF\xBB\xBF" : "") + text.toUtf8();
}

// A workbook of two sheets whose first is `first.xml`, found through a
// relationship named by its id and a path with "..".
QByteArray workbook(const QString& sheetData, const QString& strings = {}) {
    const QByteArray book =
        R"(<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="名单" r:id="rId7"/><sheet name="b" r:id="rId1"/></sheets></workbook>)";
    const QByteArray rels =
        R"(<Relationships><Relationship Id="rId1" Type="x/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId7" Type="x/worksheet" Target="../xl/worksheets/first.xml"/><Relationship Id="rId2" Type="x/sharedStrings" Target="/xl/sharedStrings.xml"/><Relationship Id="rId3" Type="x/styles" Target="styles.xml"/></Relationships>)";
    // Styles 1 to 4: a date, a date and time, a time, a number.
    const QByteArray styles =
        R"(<styleSheet><numFmts><numFmt numFmtId="164" formatCode="yyyy&quot;年&quot;m&quot;月&quot;"/><numFmt numFmtId="165" formatCode="0.0&quot;分&quot;"/></numFmts><cellXfs><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="20"/><xf numFmtId="165"/></cellXfs></styleSheet>)";
    QBuffer zip;
    zip.open(QIODevice::WriteOnly);
    QZipWriter writer(&zip);
    for (const auto& [name, data] : QList<std::pair<QString, QByteArray>>{
             {"xl/workbook.xml", book},
             {"xl/_rels/workbook.xml.rels", rels},
             {"xl/worksheets/sheet1.xml",
              "<worksheet><sheetData><row><c "
              "t=\"inlineStr\"><is><t>第二张</t></is></c></row></sheetData></worksheet>"},
             {"xl/worksheets/first.xml",
              ("<worksheet><sheetData>" + sheetData + "</sheetData></worksheet>").toUtf8()},
             {"xl/sharedStrings.xml", ("<sst>" + strings + "</sst>").toUtf8()},
             {"xl/styles.xml", styles}})
        writer.addFile(name, data);
    writer.close();
    return zip.data();
}

const char* const kStrings =
    R"(<si><t>张三</t></si><si><r><rPr><b/></rPr><t>李</t></r><r><t xml:space="preserve">四 </t></r><rPh><t>リ</t></rPh></si><si><t>a_x000D_b_x005F_x000D_</t></si>)";

// The sheet's rows; where "claims" is given, the zip's directory gives the
// sheet that unpacked size.
const char* const kXlsx = R"(
shared, rich, escaped | <row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c></row> | 张三·李四 ·a\rb_x000D_ |
numbers as shown | <row><c><v>2023010001</v></c><c><v>2.023010001E9</v></c><c><v>0.1</v></c><c><v>-95.50</v></c><c><v>1E+20</v></c><c t="b"><v>0</v></c></row> | 2023010001·2023010001·0.1·-95.5·100000000000000000000·FALSE |
dates and times | <row><c s="1"><v>39569</v></c><c s="2"><v>39569.3125</v></c><c s="3"><v>0.5</v></c><c s="4"><v>7</v></c><c s="2"><v>1</v></c></row> | 2008-05-01·2008-05-01 07:30·12:00·7·1900-01-01 |
gaps become empty cells | <row r="1"><c r="A1" t="inlineStr"><is><t>a</t></is></c></row><row r="3"><c r="C3" t="inlineStr"><is><t>c</t></is></c></row><row><c r="B4" t="str"><f>X</f><v>=</v></c><c t="e"><v>#N/A</v></c></row> | a /  / ··c / ·=·#N/A |
a string out of range | <row><c t="s"><v>9</v></c></row> | !损坏 |
broken XML | <row><c><v>1</c></row> | !损坏 |
too many rows | <row r="1000001"><c r="A1000001"><v>1</v></c></row> | !1000000 行 |
a sheet too large | <row><c><v>1</v></c></row> | !200 MB | 300000000
a sheet claiming less than it holds | <row><c><v>1</v></c></row> | !损坏 | 1
)";

const char* const kHeaders = R"(
the usual words | 序号\t姓名\t班级\t学号\t考号\t语文 | -NCSE-
their variants  | 考生姓名\t行政班\t学籍号\t准考证号 | NCSE
spaced, cased   | 姓　名 \tClass\tNAME | NC-
first one counts | 名字\t班\t班别\t编号\t学生编号\t考试号\t准考号 | NC-S-E-
no name, no header | 班级\t学号\t考号 |
)";

QString codes(const std::vector<Field>& fields) {
    QString code;
    for (Field field : fields)
        code += QStringLiteral("NCSE-")[int(field)];
    return code;
}

// Rows "/" apart, cells "·"; read: "row:name,class,no,examNo,extras" for a
// candidate, "row:why" for a row not taken; twice: the 考号 given twice.
const char* const kCandidates = R"(
with a header | 1 | NCSE- | 姓名·班级·学号·考号·语文 / 张三·1班·007·A01·95 / ·· / 李四·2班 / 王五· 2班 ·008·A01 | 语文 | 2:张三,1班,007,A01,95 4:李四,2班,,, 5:王五,2班,008,A01, | A01
no name | 1 | N-C | 姓名·备注·班级 /  ·x·1班 / 王五·· | 备注 | 2:没有姓名 3:王五,,,, |
no header | 0 | -N | 9·赵六·x· / 8·钱七 | 第1列 第3列 | 1:赵六,,,,9,x 2:钱七,,,,8, |
)";

Table tableOf(const QString& text) {
    Table table;
    for (const QString& row : text.split(" / "))
        table.push_back(row.split(u'·'));
    return table;
}
} // namespace

class TestExamsRead : public QObject {
    Q_OBJECT
private slots:
    void read_data() { addTable({"name", "content", "rows"}, kRead); }
    void read() {
        QFETCH(QString, name);
        QFETCH(QString, content);
        QFETCH(QString, rows);
        if (name == "paste")
            return compareRead(readPaste(content), rows);
        QTemporaryDir dir;
        QFile list(":/data/exams/list.xlsx"), file(dir.filePath(name));
        QVERIFY(list.open(QIODevice::ReadOnly));
        const QByteArray xlsx = list.readAll();
        if (content == "dir")
            QVERIFY(QDir(dir.path()).mkdir(name));
        else if (content != "none")
            QVERIFY(file.open(QIODevice::WriteOnly) &&
                    file.write(content == "list"  ? xlsx
                               : content == "cut" ? xlsx.first(xlsx.size() / 2)
                                                  : encoded(content.section(':', 0, 0),
                                                            content.section(':', 1))) >= 0);
        file.close();
        compareRead(readTableFile(file.fileName()), rows);
    }

    void xlsx_data() { addTable({"sheetData", "rows", "claims"}, kXlsx); }
    void xlsx() {
        QFETCH(QString, sheetData);
        QFETCH(QString, rows);
        QFETCH(QString, claims);
        QByteArray zip = workbook(sheetData, kStrings);
        if (!claims.isEmpty()) { // the unpacked size the directory gives the sheet
            const qsizetype entry = zip.lastIndexOf("xl/worksheets/first.xml") - 46;
            for (int i = 0; i < 4; ++i)
                zip[entry + 24 + i] = char(claims.toUInt() >> (8 * i));
        }
        compareRead(readXlsx(zip), rows);
    }

    void header_data() { addTable({"cells", "fields"}, kHeaders); }
    void header() {
        QFETCH(QString, cells);
        QTEST(codes(recogniseHeader(cells.split('\t'))), "fields");
        QVERIFY(knownHeaders().contains("准考证号"));
    }

    void candidates_data() {
        addTable({"header", "fields", "table", "extraHeaders", "read", "twice"}, kCandidates);
    }
    void candidates() {
        QFETCH(QString, header);
        QFETCH(QString, fields);
        QFETCH(QString, table);
        std::vector<Field> kinds;
        for (QChar code : fields) {
            const qsizetype kind = QStringLiteral("NCSE-").indexOf(code);
            QVERIFY2(kind >= 0, qPrintable(QString("no field \"%1\"").arg(code)));
            kinds.push_back(Field(kind));
        }
        const ReadCandidates got = candidatesFrom(tableOf(table), kinds, header == "1");
        QMap<int, QString> read;
        for (const Problem& problem : got.problems)
            read[problem.row] = problem.what;
        for (const Candidate& c : got.list.candidates)
            read[c.sourceRow] = QStringList{c.name, c.className, c.studentNo, c.examNo}.join(',') +
                                (c.extra.isEmpty() ? "" : ',' + c.extra.join(','));
        QStringList rows;
        for (auto row = read.cbegin(); row != read.cend(); ++row)
            rows << QString::number(row.key()) + ':' + row.value();
        QTEST(got.list.extraHeaders.join(' '), "extraHeaders");
        QTEST(rows.join(' '), "read");
        QTEST(duplicateExamNumbers(got.list).join(' '), "twice");
    }
};

QTEST_GUILESS_MAIN(TestExamsRead)
#include "tst_exams_read.moc"
