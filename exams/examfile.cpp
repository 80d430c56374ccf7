#include "exams/examfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace exams {

namespace {

const QLatin1StringView kFormat("brasset-exam");
constexpr int kFormatVersion = 1;
constexpr int kMostLines = kMostPerRoom; // rows or columns of a room, and candidates in one

constexpr std::array<std::pair<Order, QLatin1StringView>, 4> kOrders{{
    {Order::Listed, "listed"_L1},
    {Order::ByClass, "byClass"_L1},
    {Order::Mixed, "mixed"_L1},
    {Order::ByColumn, "byColumn"_L1},
}};
constexpr std::array<std::pair<Fill, QLatin1StringView>, 2> kFills{{
    {Fill::Rows, "rows"_L1},
    {Fill::Columns, "columns"_L1},
}};

// What the office calls each member, for the messages about a broken file.
QString label(QLatin1StringView key) {
    static const std::array<std::pair<QLatin1StringView, const char*>, 27> names{{
        {"formatVersion"_L1, "格式版本"},
        {"version"_L1, "程序版本"},
        {"extraHeaders"_L1, "其他列的标题"},
        {"candidates"_L1, "考生名单"},
        {"settings"_L1, "编排设置"},
        {"seating"_L1, "考场座位"},
        {"name"_L1, "姓名"},
        {"class"_L1, "班级"},
        {"studentNo"_L1, "学号"},
        {"examNo"_L1, "考号"},
        {"extra"_L1, "其他列"},
        {"sourceRow"_L1, "原表行号"},
        {"rows"_L1, "排数"},
        {"columns"_L1, "列数"},
        {"perRoom"_L1, "每场人数"},
        {"capacity"_L1, "人数"},
        {"location"_L1, "地点"},
        {"seats"_L1, "座位"},
        {"rooms"_L1, "考场表"},
        {"fullRooms"_L1, "坐满一场再排下一场"},
        {"fill"_L1, "入座方向"},
        {"order"_L1, "编排顺序"},
        {"scoreColumn"_L1, "成绩列"},
        {"diagonal"_L1, "斜向也不相邻"},
        {"seed"_L1, "随机种子"},
        {"prefix"_L1, "考号前缀"},
        {"title"_L1, "标题"},
    }};
    for (const auto& [k, name] : names)
        if (k == key)
            return QString::fromUtf8(name);
    return "“"_L1 + key + "”"_L1;
}

QJsonArray textArray(const QStringList& texts) {
    QJsonArray array;
    for (const QString& text : texts)
        array.append(text);
    return array;
}

QJsonObject roomObject(const Room& room) {
    return {{"location"_L1, room.location},
            {"rows"_L1, room.rows},
            {"columns"_L1, room.columns},
            {"capacity"_L1, room.capacity}};
}

template <typename Enum, std::size_t N>
QString enumName(const std::array<std::pair<Enum, QLatin1StringView>, N>& names, Enum value) {
    for (const auto& [v, name] : names)
        if (v == value)
            return name;
    return {}; // a value outside the enum: the reader refuses it
}

// Names an object of the file in the office's words ("第3名考生"), made
// into text only for a message: most files have none to give.
struct Where {
    const char* pattern = ""; // UTF-8, "%1" for the number
    qsizetype number = 0;
    QString text() const {
        const QString text = QString::fromUtf8(pattern);
        return text.contains("%1"_L1) ? text.arg(number) : text;
    }
};

// Reads the members of the file's objects, checking each, and keeps the
// first fault found. `where` names the object in the office's words
// ("第3名考生"), empty for the file as a whole.
class Reader {
public:
    QString error;

    void fail(const QString& what) {
        if (error.isEmpty())
            error = QStringLiteral("文件已损坏：") + what;
    }
    void invalid(const Where& where, QLatin1StringView key) {
        const QString name = where.text();
        fail((name.isEmpty() ? name : name + QStringLiteral("的")) + label(key) +
             QStringLiteral("无效"));
    }

    // Refuses members the object should not have: a hand edit's typo
    // would otherwise be dropped without a word.
    void onlyKnown(const QJsonObject& object, std::initializer_list<QLatin1StringView> keys,
                   const Where& where) {
        for (auto it = object.begin(); it != object.end(); ++it)
            if (std::find(keys.begin(), keys.end(), it.key()) == keys.end())
                return fail(where.text() + QStringLiteral("有无法识别的项“") + it.key() +
                            QStringLiteral("”"));
    }

    QJsonValue member(const QJsonObject& object, QLatin1StringView key, const Where& where) {
        QJsonValue value = object.value(key);
        if (value.isUndefined())
            fail(where.text() + QStringLiteral("缺少") + label(key));
        return value;
    }

    QString text(const QJsonObject& object, QLatin1StringView key, const Where& where) {
        const QJsonValue value = member(object, key, where);
        if (!value.isUndefined() && !value.isString())
            invalid(where, key);
        return value.toString();
    }

    bool flag(const QJsonObject& object, QLatin1StringView key, const Where& where) {
        const QJsonValue value = member(object, key, where);
        if (!value.isUndefined() && !value.isBool())
            invalid(where, key);
        return value.toBool();
    }

    // JSON numbers are doubles: whole and in [low, high], or a fault.
    qint64 whole(const QJsonObject& object, QLatin1StringView key, qint64 low, qint64 high,
                 const Where& where) {
        const QJsonValue value = member(object, key, where);
        if (value.isUndefined())
            return low;
        const double number = value.toDouble(std::numeric_limits<double>::quiet_NaN());
        if (!value.isDouble() || number != std::floor(number)) {
            invalid(where, key);
            return low;
        }
        if (number < double(low) || number > double(high)) {
            const QString name = where.text();
            fail((name.isEmpty() ? name : name + QStringLiteral("的")) + label(key) +
                 QStringLiteral("应在%1到%2之间").arg(low).arg(high));
            return low;
        }
        return qint64(number);
    }

    QJsonArray array(const QJsonObject& object, QLatin1StringView key, const Where& where) {
        const QJsonValue value = member(object, key, where);
        if (!value.isUndefined() && !value.isArray())
            invalid(where, key);
        return value.toArray();
    }

    QJsonObject object(const QJsonValue& value, const Where& where) {
        if (!value.isObject())
            fail(where.text() + QStringLiteral("无效"));
        return value.toObject();
    }

    QStringList texts(const QJsonObject& object, QLatin1StringView key, const Where& where) {
        QStringList texts;
        for (const auto& value : array(object, key, where)) {
            if (!value.isString())
                invalid(where, key);
            texts.append(value.toString());
        }
        return texts;
    }

    template <typename Enum, std::size_t N>
    Enum choice(const QJsonObject& object, QLatin1StringView key,
                const std::array<std::pair<Enum, QLatin1StringView>, N>& names,
                const Where& where) {
        const QString name = text(object, key, where);
        for (const auto& [v, n] : names)
            if (n == name)
                return v;
        if (error.isEmpty())
            invalid(where, key);
        return names[0].first;
    }

    // A room, or the settings' room size: rows and columns 1 to 99, no
    // more candidates than seats nor than 99.
    void size(const QJsonObject& object, QLatin1StringView capacityKey, int& rows, int& columns,
              int& capacity, const Where& where) {
        rows = int(whole(object, "rows"_L1, 1, kMostLines, where));
        columns = int(whole(object, "columns"_L1, 1, kMostLines, where));
        capacity = int(whole(object, capacityKey, 1, kMostLines, where));
        if (error.isEmpty() && capacity > rows * columns)
            fail(where.text() + QStringLiteral("的") + label(capacityKey) +
                 QStringLiteral("多于座位数（%1）").arg(rows * columns));
    }

    Room room(const QJsonValue& value, const Where& where, bool withSeats) {
        const QJsonObject object = this->object(value, where);
        if (withSeats)
            onlyKnown(object, {"location"_L1, "rows"_L1, "columns"_L1, "capacity"_L1, "seats"_L1},
                      where);
        else
            onlyKnown(object, {"location"_L1, "rows"_L1, "columns"_L1, "capacity"_L1}, where);
        Room room;
        room.location = text(object, "location"_L1, where);
        size(object, "capacity"_L1, room.rows, room.columns, room.capacity, where);
        return room;
    }

    void roomCount(const QJsonArray& rooms, const QString& what) {
        if (rooms.size() > kMostRooms)
            fail(what + QStringLiteral("超过%1个考场").arg(kMostRooms));
    }

    CandidateList candidates(const QJsonObject& file) {
        CandidateList list;
        list.extraHeaders = texts(file, "extraHeaders"_L1, {});
        const QJsonArray candidates = array(file, "candidates"_L1, {});
        list.candidates.reserve(std::size_t(candidates.size()));
        for (qsizetype i = 0; i < candidates.size() && error.isEmpty(); ++i) {
            const Where where{"第%1名考生", i + 1};
            const QJsonObject object = this->object(candidates[i], where);
            onlyKnown(
                object,
                {"name"_L1, "class"_L1, "studentNo"_L1, "examNo"_L1, "extra"_L1, "sourceRow"_L1},
                where);
            Candidate candidate;
            candidate.name = text(object, "name"_L1, where);
            candidate.className = text(object, "class"_L1, where);
            candidate.studentNo = text(object, "studentNo"_L1, where);
            candidate.examNo = text(object, "examNo"_L1, where);
            candidate.extra = texts(object, "extra"_L1, where);
            candidate.sourceRow =
                int(whole(object, "sourceRow"_L1, 0, std::numeric_limits<int>::max(), where));
            list.candidates.push_back(std::move(candidate));
        }
        return list;
    }

    Settings settings(const QJsonObject& file) {
        const Where where{"编排设置"};
        const QJsonObject object = this->object(member(file, "settings"_L1, {}), where);
        if (!error.isEmpty())
            return {};
        onlyKnown(object,
                  {"rows"_L1, "columns"_L1, "perRoom"_L1, "rooms"_L1, "fullRooms"_L1, "fill"_L1,
                   "order"_L1, "scoreColumn"_L1, "diagonal"_L1, "seed"_L1, "prefix"_L1, "title"_L1},
                  where);
        Settings settings;
        size(object, "perRoom"_L1, settings.rows, settings.columns, settings.perRoom, where);
        const QJsonArray rooms = array(object, "rooms"_L1, where);
        roomCount(rooms, QStringLiteral("编排设置的考场表"));
        for (qsizetype i = 0; i < rooms.size() && error.isEmpty(); ++i)
            settings.rooms.push_back(room(rooms[i], Where{"编排设置的考场表第%1行", i + 1}, false));
        settings.fullRooms = flag(object, "fullRooms"_L1, where);
        settings.fill = choice(object, "fill"_L1, kFills, where);
        settings.order = choice(object, "order"_L1, kOrders, where);
        settings.scoreColumn =
            int(whole(object, "scoreColumn"_L1, -1, std::numeric_limits<int>::max(), where));
        settings.diagonal = flag(object, "diagonal"_L1, where);
        settings.seed = std::uint32_t(
            whole(object, "seed"_L1, 0, std::numeric_limits<std::uint32_t>::max(), where));
        settings.prefix = text(object, "prefix"_L1, where);
        settings.title = text(object, "title"_L1, where);
        return settings;
    }

    // Every seat holds a candidate of the list or nobody (-1), and no
    // candidate sits in two seats.
    Seating seating(const QJsonObject& file, std::size_t candidates) {
        Seating seating;
        const QJsonArray rooms = array(file, "seating"_L1, {});
        roomCount(rooms, label("seating"_L1));
        std::vector<bool> seated(candidates, false);
        for (qsizetype i = 0; i < rooms.size() && error.isEmpty(); ++i) {
            const Where where{"第%1考场", i + 1};
            const Room room = this->room(rooms[i], where, true);
            const QJsonArray seatArray = array(rooms[i].toObject(), "seats"_L1, where);
            if (error.isEmpty() && seatArray.size() > room.capacity)
                fail(where.text() + QStringLiteral("的座位多于人数（%1）").arg(room.capacity));
            std::vector<int> seats;
            for (const auto& value : seatArray) {
                if (!error.isEmpty())
                    break;
                const double who = value.toDouble(std::numeric_limits<double>::quiet_NaN());
                if (!value.isDouble() || who != std::floor(who)) {
                    invalid(where, "seats"_L1);
                } else if (who < -1 || who >= double(candidates)) {
                    fail(where.text() + QStringLiteral("的座位引用了不存在的考生"));
                } else if (who >= 0 && seated[std::size_t(who)]) {
                    fail(QStringLiteral("第%1名考生坐了两个座位").arg(qint64(who) + 1));
                } else {
                    if (who >= 0)
                        seated[std::size_t(who)] = true;
                    seats.push_back(int(who));
                }
            }
            seating.rooms.push_back(room);
            seating.seats.push_back(std::move(seats));
        }
        return seating;
    }
};

} // namespace

QByteArray examFileBytes(const Exam& exam) {
    QJsonArray candidates;
    for (const Candidate& candidate : exam.list.candidates)
        candidates.append(QJsonObject{{"name"_L1, candidate.name},
                                      {"class"_L1, candidate.className},
                                      {"studentNo"_L1, candidate.studentNo},
                                      {"examNo"_L1, candidate.examNo},
                                      {"extra"_L1, textArray(candidate.extra)},
                                      {"sourceRow"_L1, candidate.sourceRow}});
    const Settings& s = exam.settings;
    QJsonArray roomTable;
    for (const Room& room : s.rooms)
        roomTable.append(roomObject(room));
    const QJsonObject settings{{"rows"_L1, s.rows},
                               {"columns"_L1, s.columns},
                               {"perRoom"_L1, s.perRoom},
                               {"rooms"_L1, roomTable},
                               {"fullRooms"_L1, s.fullRooms},
                               {"fill"_L1, enumName(kFills, s.fill)},
                               {"order"_L1, enumName(kOrders, s.order)},
                               {"scoreColumn"_L1, s.scoreColumn},
                               {"diagonal"_L1, s.diagonal},
                               {"seed"_L1, qint64(s.seed)},
                               {"prefix"_L1, s.prefix},
                               {"title"_L1, s.title}};
    QJsonArray seating;
    for (std::size_t i = 0; i < exam.seating.rooms.size(); ++i) {
        QJsonObject room = roomObject(exam.seating.rooms[i]);
        QJsonArray seats;
        if (i < exam.seating.seats.size())
            for (const int who : exam.seating.seats[i])
                seats.append(who);
        room.insert("seats"_L1, seats);
        seating.append(room);
    }
    const QJsonObject file{{"version"_L1, exam.version},
                           {"extraHeaders"_L1, textArray(exam.list.extraHeaders)},
                           {"candidates"_L1, candidates},
                           {"settings"_L1, settings},
                           {"seating"_L1, seating}};
    // Qt writes members in the order of their names; the two that tell an
    // exam file and its version apart go first, where a person opening the
    // file sees them.
    const QByteArray rest = QJsonDocument(file).toJson(QJsonDocument::Indented);
    return QByteArrayLiteral("{\n    \"format\": \"") + QByteArray(kFormat.data(), kFormat.size()) +
           QByteArrayLiteral("\",\n    \"formatVersion\": ") + QByteArray::number(kFormatVersion) +
           QByteArrayLiteral(",\n") + rest.mid(2);
}

OpenedExam readExamFile(const QByteArray& bytes) {
    const QString notExamFile = QStringLiteral("这不是考务编排文件");
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parsed);
    if (parsed.error == QJsonParseError::IllegalUTF8String)
        return {{}, notExamFile + QStringLiteral("：其中的文字不是 UTF-8 编码")};
    if (parsed.error != QJsonParseError::NoError || !document.isObject())
        return {{}, notExamFile};
    const QJsonObject file = document.object();
    if (file.value("format"_L1).toString() != kFormat)
        return {{}, notExamFile};

    Reader reader;
    // A later program may change anything else, so its files are told apart
    // before the rest is read.
    const QJsonValue version = file.value("formatVersion"_L1);
    if (version.isDouble() && version.toDouble() > kFormatVersion)
        return {{}, QStringLiteral("此文件由更新版本的 Brasset 保存，请升级后再打开")};
    if (version.toDouble() != kFormatVersion)
        return {{}, QStringLiteral("文件已损坏：格式版本无效")};
    reader.onlyKnown(file,
                     {"format"_L1, "formatVersion"_L1, "version"_L1, "extraHeaders"_L1,
                      "candidates"_L1, "settings"_L1, "seating"_L1},
                     {});
    Exam exam;
    exam.version = reader.text(file, "version"_L1, {});
    if (reader.error.isEmpty())
        exam.list = reader.candidates(file);
    if (reader.error.isEmpty())
        exam.settings = reader.settings(file);
    if (reader.error.isEmpty())
        exam.seating = reader.seating(file, exam.list.candidates.size());
    if (!reader.error.isEmpty())
        return {{}, reader.error};
    return {std::move(exam), {}};
}

} // namespace exams
