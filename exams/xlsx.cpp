// An .xlsx workbook's first sheet, as the cells show their values: a zip of
// XML parts, found through their relationships the way Excel finds them.

#include "exams/candidates.h"
#include "exams/tablelimits.h"

#include <QBuffer>
#include <QDate>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtGui/private/qzipreader_p.h>
#include <cmath>
#include <optional>

namespace exams {

namespace {

const QString& corrupted() {
    static const QString message =
        QStringLiteral("文件已损坏，或者不是 Excel 工作簿（.xlsx），读不出来。"
                       "请在 Excel 或 WPS 中打开它，“另存为” .xlsx 或 .csv 后再读入。");
    return message;
}

quint32 little(QByteArrayView bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | uchar(bytes[at + i]);
    return value;
}

// The packed size of every part, from the zip's central directory, found as
// QZipReader finds it: the last end record within 64 KB of the end. The zip
// reader hands out only the unpacked sizes.
QHash<QString, qint64> packedSizes(QByteArrayView zip) {
    QHash<QString, qint64> sizes;
    constexpr qsizetype kEndRecord = 22;
    qsizetype end = zip.size() - kEndRecord;
    const qsizetype lowest = std::max<qsizetype>(0, end - 65535);
    while (end >= lowest && little(zip, end, 4) != 0x06054b50)
        --end;
    if (end < lowest)
        return sizes;
    qsizetype at = little(zip, end + 16, 4);
    for (quint32 entries = little(zip, end + 10, 2); entries > 0; --entries) {
        if (at + 46 > zip.size() || little(zip, at, 4) != 0x02014b50)
            break;
        const qsizetype nameLength = little(zip, at + 28, 2);
        if (at + 46 + nameLength > zip.size())
            break;
        // The zip reader unpacks the first part of a name.
        const QString name = QString::fromUtf8(zip.sliced(at + 46, nameLength));
        if (!sizes.contains(name))
            sizes.insert(name, little(zip, at + 20, 4));
        at += 46 + nameLength + little(zip, at + 30, 2) + little(zip, at + 32, 2);
    }
    return sizes;
}

// The workbook's parts by name (Excel takes them in any case), each unpacked
// only once its size fits what is left of the allowance: the zip reader takes
// as much memory as a part claims. A part claiming far less than its packed
// bytes is refused too, since the reader keeps doubling its buffer until the
// part fits; a part claiming a little less, packed a thousandfold, still gets
// through, which only a reader of our own could stop.
class Package {
public:
    explicit Package(const QByteArray& bytes) {
        buffer_.setData(bytes);
        buffer_.open(QIODevice::ReadOnly);
        packed_ = packedSizes(bytes);
        for (const QZipReader::FileInfo& info : zip_.fileInfoList())
            if (info.isFile && !parts_.contains(info.filePath.toLower()))
                parts_.insert(info.filePath.toLower(), info);
    }

    bool isZip() const { return !parts_.isEmpty(); }
    bool has(const QString& name) const { return parts_.contains(name.toLower()); }

    // The part's bytes; nothing, with the reason in `error`, when it is
    // missing, too large or damaged.
    std::optional<QByteArray> part(const QString& name, QString& error) {
        const auto found = parts_.constFind(name.toLower());
        if (found == parts_.cend()) {
            error = corrupted();
            return std::nullopt;
        }
        const qint64 size = found->size;
        const qint64 packed = packed_.value(found->filePath, -1);
        // Deflate adds at most a few bytes for each 16 KB it cannot shrink.
        if (size < 0 || packed < 0 || packed > size + size / 1024 + 64) {
            error = corrupted();
            return std::nullopt;
        }
        if (size > allowance_) {
            error = limits::tooManyBytes();
            return std::nullopt;
        }
        allowance_ -= size;
        QByteArray data = zip_.fileData(found->filePath);
        if (data.size() != size) {
            error = corrupted();
            return std::nullopt;
        }
        return data;
    }

private:
    QBuffer buffer_;
    QZipReader zip_{&buffer_};
    QHash<QString, qint64> packed_;
    QHash<QString, QZipReader::FileInfo> parts_;
    qint64 allowance_ = limits::kMostBytes;
};

// A target named in part `from`'s relationships, as a part name.
QString resolve(const QString& from, const QString& target) {
    QStringList path =
        target.startsWith(u'/')
            ? QStringList()
            : from.section(u'/', 0, -2, QString::SectionSkipEmpty).split(u'/', Qt::SkipEmptyParts);
    for (const QString& step : target.split(u'/', Qt::SkipEmptyParts)) {
        if (step == u"..") {
            if (!path.isEmpty())
                path.removeLast();
        } else if (step != u".") {
            path.append(step);
        }
    }
    return path.join(u'/');
}

struct Relationship {
    QString type;
    QString target; // a part name
};

// Part `from`'s relationships by their id; none when it has none.
QHash<QString, Relationship> relationships(Package& package, const QString& from, QString& error) {
    QHash<QString, Relationship> found;
    const QString name = from.section(u'/', 0, -2) + QStringLiteral("/_rels/") +
                         from.section(u'/', -1) + QStringLiteral(".rels");
    const QString relsName = name.startsWith(u'/') ? name.mid(1) : name;
    if (!package.has(relsName))
        return found;
    const std::optional<QByteArray> xml = package.part(relsName, error);
    if (!xml)
        return found;
    QXmlStreamReader reader(*xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"Relationship")
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (attributes.value(QLatin1String("TargetMode")) != u"External")
            found.insert(attributes.value(QLatin1String("Id")).toString(),
                         {attributes.value(QLatin1String("Type")).toString(),
                          resolve(from, attributes.value(QLatin1String("Target")).toString())});
    }
    if (reader.hasError())
        error = corrupted();
    return found;
}

// The target of the first relationship of a type ending in `type`.
QString targetOfType(const QHash<QString, Relationship>& all, QStringView type) {
    for (const Relationship& one : all)
        if (one.type.endsWith(type))
            return one.target;
    return {};
}

// Excel writes a control character, which XML cannot hold, as "_x000D_".
QString unescaped(const QString& text) {
    if (!text.contains(u"_x"))
        return text;
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        bool hex = false;
        const ushort code =
            i + 7 <= text.size() && text[i] == u'_' && text[i + 1] == u'x' && text[i + 6] == u'_'
                ? text.mid(i + 2, 4).toUShort(&hex, 16)
                : 0;
        if (hex) {
            out += QChar(code);
            i += 6;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The text of a rich or plain string element (<si>, <is>): its <t>, or its
// runs' <t>, without the phonetic guide (<rPh>) some East Asian text has.
void appendStringText(QXmlStreamReader& reader, QString& text, bool inRun = false) {
    while (reader.readNextStartElement()) {
        if (reader.name() == u"t")
            text += reader.readElementText();
        else if (reader.name() == u"r" && !inRun)
            appendStringText(reader, text, true);
        else
            reader.skipCurrentElement();
    }
}

QString stringText(QXmlStreamReader& reader) {
    QString text;
    appendStringText(reader, text);
    return unescaped(text);
}

bool sharedStrings(Package& package, const QString& name, QStringList& strings, QString& error) {
    if (name.isEmpty() || !package.has(name))
        return true; // a workbook of numbers only has none
    const std::optional<QByteArray> xml = package.part(name, error);
    if (!xml)
        return false;
    QXmlStreamReader reader(*xml);
    if (reader.readNextStartElement())
        while (reader.readNextStartElement()) {
            if (reader.name() == u"si")
                strings.append(stringText(reader));
            else
                reader.skipCurrentElement();
        }
    if (reader.hasError())
        error = corrupted();
    return !reader.hasError();
}

// A number as Excel shows it in a cell of the General format, without its
// exponent: 2023010001, 0.5.
QString numberText(const QString& value) {
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return value;
    return number == 0 ? QStringLiteral("0")
                       : QString::number(number, 'f', QLocale::FloatingPointShortest);
}

// A cell reference's column ("C7" → 3), or 0 when it names none.
int columnOf(QStringView reference) {
    int column = 0;
    for (QChar c : reference) {
        if (c < u'A' || c > u'Z')
            break;
        column = column * 26 + (c.unicode() - u'A' + 1);
        if (column > 16384) // Excel's last column, XFD
            return 0;
    }
    return column;
}

// What the cells refer to: the shared strings, and which of the cell styles
// show a number as a date or a time, counted from which day.
struct Shared {
    QStringList strings;
    std::vector<bool> dateStyles;
    bool from1904 = false;
};

// Whether a number format shows a date or a time: one of Excel's own (the
// Chinese ones among them), or a code with a date or time letter outside its
// quoted text, escapes and [colours].
bool isDateFormat(int id, const QString& code) {
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
        (id >= 50 && id <= 58))
        return true;
    static const QRegularExpression literal(R"("[^"]*"|\\.|\[[^\]]*\]|_.|\*.)");
    static const QRegularExpression dateOrTime("[yYmMdDhHsS]");
    return QString(code).remove(literal).contains(dateOrTime);
}

bool readStyles(Package& package, const QString& name, Shared& shared, QString& error) {
    if (name.isEmpty() || !package.has(name))
        return true;
    const std::optional<QByteArray> xml = package.part(name, error);
    if (!xml)
        return false;
    QHash<int, QString> codes;
    QXmlStreamReader reader(*xml);
    bool inCellStyles = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement() && reader.name() == u"cellXfs")
            inCellStyles = false;
        if (!reader.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        const int id = attributes.value(QLatin1String("numFmtId")).toInt();
        if (reader.name() == u"numFmt")
            codes.insert(id, attributes.value(QLatin1String("formatCode")).toString());
        else if (reader.name() == u"cellXfs")
            inCellStyles = true;
        else if (reader.name() == u"xf" && inCellStyles)
            shared.dateStyles.push_back(isDateFormat(id, codes.value(id)));
    }
    if (reader.hasError())
        error = corrupted();
    return !reader.hasError();
}

// A date or time cell's serial number as a date (2008-05-01), a time
// (07:30) or both. Excel's day 60 is 29 February 1900, which never was.
QString dateText(const QString& value, bool from1904) {
    bool ok = false;
    const double serial = value.toDouble(&ok);
    if (!ok || serial < 0 || serial > 2958465) // up to 9999-12-31
        return numberText(value);
    const auto days = qint64(serial);
    const auto seconds = qint64(std::llround((serial - double(days)) * 86400));
    const QDate date = from1904    ? QDate(1904, 1, 1).addDays(days)
                       : days < 61 ? QDate(1899, 12, 31).addDays(days)
                                   : QDate(1899, 12, 30).addDays(days);
    const QTime time = QTime(0, 0).addSecs(int(std::min<qint64>(seconds, 86399)));
    QString clock = time.toString(time.second() ? u"hh:mm:ss" : u"hh:mm");
    if (days == 0 && !from1904)
        return clock;
    const QString day = date.toString(u"yyyy-MM-dd");
    return seconds == 0 ? day : day + u' ' + clock;
}

class SheetReader {
public:
    SheetReader(const QByteArray& xml, const Shared& shared)
        : xml_(xml), strings_(shared.strings), shared_(shared) {}

    ReadTable read() {
        if (xml_.readNextStartElement())
            while (error_.isEmpty() && xml_.readNextStartElement()) {
                if (xml_.name() == u"sheetData")
                    rows();
                else
                    xml_.skipCurrentElement();
            }
        if (error_.isEmpty() && xml_.hasError())
            error_ = corrupted();
        return error_.isEmpty() ? std::move(table_) : ReadTable{{}, error_};
    }

private:
    void rows() {
        qsizetype row = 0;
        while (error_.isEmpty() && xml_.readNextStartElement()) {
            if (xml_.name() != u"row") {
                xml_.skipCurrentElement();
                continue;
            }
            // The view is into the attributes, which attributes() returns by value.
            const QXmlStreamAttributes attributes = xml_.attributes();
            const QStringView number = attributes.value(QLatin1String("r"));
            row = number.isEmpty() ? row + 1 : number.toLongLong();
            if (row < 1 || row > limits::kMostRows) {
                error_ = row < 1 ? corrupted() : limits::tooManyRows();
                return;
            }
            cells(row);
        }
    }

    void cells(qsizetype row) {
        int column = 0;
        while (error_.isEmpty() && xml_.readNextStartElement()) {
            if (xml_.name() != u"c") {
                xml_.skipCurrentElement();
                continue;
            }
            const QXmlStreamAttributes attributes = xml_.attributes();
            const QStringView reference = attributes.value(QLatin1String("r"));
            column = reference.isEmpty() ? column + 1 : columnOf(reference);
            if (column < 1 || column > 16384) {
                error_ = corrupted();
                return;
            }
            const QString text = cellText(attributes.value(QLatin1String("t")).toString(),
                                          attributes.value(QLatin1String("s")).toInt());
            if (!text.isEmpty())
                place(row, column, text);
        }
    }

    QString cellText(const QString& type, int style) {
        QString value;
        bool inlineString = false;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"v") {
                value = xml_.readElementText();
            } else if (xml_.name() == u"is") {
                value = stringText(xml_);
                inlineString = true;
            } else {
                xml_.skipCurrentElement();
            }
        }
        if (inlineString || value.isEmpty() || type == u"str" || type == u"e" || type == u"d")
            return inlineString ? value : unescaped(value);
        if (type == u"s") {
            bool ok = false;
            const qsizetype index = value.toLongLong(&ok);
            if (ok && index >= 0 && index < strings_.size())
                return strings_[index];
            error_ = corrupted();
            return {};
        }
        if (type == u"b")
            return value == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        if (style >= 0 && std::size_t(style) < shared_.dateStyles.size() &&
            shared_.dateStyles[std::size_t(style)])
            return dateText(value, shared_.from1904);
        return numberText(value);
    }

    void place(qsizetype row, int column, const QString& text) {
        if (qsizetype(table_.rows.size()) < row)
            table_.rows.resize(row);
        QStringList& cells = table_.rows[row - 1];
        if (cells.size() < column) {
            cellCount_ += column - cells.size();
            if (cellCount_ > limits::kMostCells) {
                error_ = limits::tooManyCells();
                return;
            }
            cells.resize(column);
        }
        cells[column - 1] = text;
    }

    QXmlStreamReader xml_;
    const QStringList& strings_;
    const Shared& shared_;
    ReadTable table_;
    qsizetype cellCount_ = 0;
    QString error_;
};

} // namespace

ReadTable readXlsx(const QByteArray& bytes) {
    if (bytes.startsWith("\xD0\xCF\x11\xE0"))
        return {{},
                QStringLiteral("这是旧版的 Excel 97-2003 工作簿（.xls），或者设了打开密码的工作簿，"
                               "读不出来。请在 Excel 或 WPS 中打开它（去掉密码），"
                               "“另存为” .xlsx 或 .csv 后再读入。")};
    Package package(bytes);
    if (!package.isZip())
        return {{}, corrupted()};
    QString error;
    const QString workbook =
        targetOfType(relationships(package, QStringLiteral("/"), error), u"/officeDocument");
    const QString book = workbook.isEmpty() ? QStringLiteral("xl/workbook.xml") : workbook;
    const QHash<QString, Relationship> parts = relationships(package, book, error);
    const std::optional<QByteArray> bookXml = package.part(book, error);
    if (!bookXml || !error.isEmpty())
        return {{}, error};

    Shared shared;
    QXmlStreamReader reader(*bookXml);
    QString sheetId;
    while (sheetId.isEmpty() && !reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid)
        if (reader.isStartElement() && reader.name() == u"workbookPr")
            shared.from1904 = reader.attributes().value(QLatin1String("date1904")) == u"1" ||
                              reader.attributes().value(QLatin1String("date1904")) == u"true";
        else if (reader.isStartElement() && reader.name() == u"sheet")
            for (const QXmlStreamAttribute& attribute : reader.attributes())
                if (attribute.name() == u"id" && !attribute.namespaceUri().isEmpty())
                    sheetId = attribute.value().toString();
    const QString sheet = parts.value(sheetId).target;
    if (sheet.isEmpty())
        return {{}, corrupted()};

    if (!sharedStrings(package, targetOfType(parts, u"/sharedStrings"), shared.strings, error) ||
        !readStyles(package, targetOfType(parts, u"/styles"), shared, error))
        return {{}, error};
    const std::optional<QByteArray> sheetXml = package.part(sheet, error);
    if (!sheetXml)
        return {{}, error};
    return SheetReader(*sheetXml, shared).read();
}

} // namespace exams
