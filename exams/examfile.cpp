#include "examfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>

namespace exams {

namespace {

const QLatin1StringView kFormat("brasset-exam");
constexpr int kFormatVersion = 1;
constexpr int kMostLines = 99; // rows or columns of a room, and candidates in one

constexpr std::array<std::pair<Order, QLatin1StringView>, 4> kOrders{{
    {Order::Listed, QLatin1StringView("listed")},
    {Order::ByClass, QLatin1StringView("byClass")},
    {Order::Mixed, QLatin1StringView("mixed")},
    {Order::ByColumn, QLatin1StringView("byColumn")},
}};
constexpr std::array<std::pair<Fill, QLatin1StringView>, 2> kFills{{
    {Fill::Rows, QLatin1StringView("rows")},
    {Fill::Columns, QLatin1StringView("columns")},
}};

// What the office calls each member, for the messages about a broken file.
QString label(QLatin1StringView key) {
    static const std::array<std::pair<QLatin1StringView, const char*>, 27> names{{
        {QLatin1StringView("formatVersion"), "格式版本"},
        {QLatin1StringView("version"), "程序版本"},
        {QLatin1StringView("extraHeaders"), "其他列的标题"},
        {QLatin1StringView("candidates"), "考生名单"},
        {QLatin1StringView("settings"), "编排设置"},
        {QLatin1StringView("seating"), "考场座位"},
        {QLatin1StringView("name"), "姓名"},
        {QLatin1StringView("class"), "班级"},
        {QLatin1StringView("studentNo"), "学号"},
        {QLatin1StringView("examNo"), "考号"},
        {QLatin1StringView("extra"), "其他列"},
        {QLatin1StringView("sourceRow"), "原表行号"},
        {QLatin1StringView("rows"), "排数"},
        {QLatin1StringView("columns"), "列数"},
        {QLatin1StringView("perRoom"), "每场人数"},
        {QLatin1StringView("capacity"), "人数"},
        {QLatin1StringView("location"), "地点"},
        {QLatin1StringView("seats"), "座位"},
        {QLatin1StringView("rooms"), "考场表"},
        {QLatin1StringView("fullRooms"), "坐满一场再排下一场"},
        {QLatin1StringView("fill"), "入座方向"},
        {QLatin1StringView("order"), "编排顺序"},
        {QLatin1StringView("scoreColumn"), "成绩列"},
        {QLatin1StringView("diagonal"), "斜向也不相邻"},
        {QLatin1StringView("seed"), "随机种子"},
        {QLatin1StringView("prefix"), "考号前缀"},
        {QLatin1StringView("title"), "标题"},
    }};
    for (const auto& [k, name] : names)
        if (k == key)
            return QString::fromUtf8(name);
    return QLatin1StringView("“") + key + QLatin1StringView("”");
}

QJsonArray textArray(const QStringList& texts) {
    QJsonArray array;
    for (const QString& text : texts)
        array.append(text);
    return array;
}

QJsonObject roomObject(const Room& room) {
    return {{QLatin1StringView("location"), room.location},
            {QLatin1StringView("rows"), room.rows},
            {QLatin1StringView("columns"), room.columns},
            {QLatin1StringView("capacity"), room.capacity}};
}

template <typename Enum, std::size_t N>
QString enumName(const std::array<std::pair<Enum, QLatin1StringView>, N>& names, Enum value) {
    for (const auto& [v, name] : names)
        if (v == value)
            return name;
    return {}; // a value outside the enum: the reader refuses it
}

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
    void invalid(const QString& where, QLatin1StringView key) {
        fail(where.isEmpty() ? label(key) + QStringLiteral("无效")
                             : where + QStringLiteral("的") + label(key) + QStringLiteral("无效"));
    }

    // Refuses members the object should not have: a hand edit's typo
    // would otherwise be dropped without a word.
    void onlyKnown(const QJsonObject& object, std::initializer_list<QLatin1StringView> keys,
                   const QString& where) {
        for (auto it = object.begin(); it != object.end(); ++it)
            if (std::find(keys.begin(), keys.end(), it.key()) == keys.end())
                return fail(where + QStringLiteral("有无法识别的项“") + it.key() +
                            QStringLiteral("”"));
    }

    QJsonValue member(const QJsonObject& object, QLatin1StringView key, const QString& where) {
        const QJsonValue value = object.value(key);
        if (value.isUndefined())
            fail(where + QStringLiteral("缺少") + label(key));
        return value;
    }

    QString text(const QJsonObject& object, QLatin1StringView key, const QString& where) {
        const QJsonValue value = member(object, key, where);
        if (!value.isUndefined() && !value.isString())
            invalid(where, key);
        return value.toString();
    }

    bool flag(const QJsonObject& object, QLatin1StringView key, const QString& where) {
        const QJsonValue value = member(object, key, where);
        if (!value.isUndefined() && !value.isBool())
            invalid(where, key);
        return value.toBool();
    }

    // JSON numbers are doubles: whole and in [low, high], or a fault.
    qint64 whole(const QJsonObject& object, QLatin1StringView key, qint64 low, qint64 high,
                 const QString& where) {
        const QJsonValue value = member(object, key, where);
        if (value.isUndefined())
            return low;
        const double number = value.toDouble(std::numeric_limits<double>::quiet_NaN());
        if (!value.isDouble() || number != std::floor(number)) {
            invalid(where, key);
            return low;
        }
        if (number < double(low) || number > double(high)) {
            fail((where.isEmpty() ? QString() : where + QStringLiteral("的")) + label(key) +
                 QStringLiteral("应在%1到%2之间").arg(low).arg(high));
            return low;
        }
        return qint64(number);
    }

    QJsonArray array(const QJsonObject& object, QLatin1StringView key, const QString& where) {
        const QJsonValue value = member(object, key, where);
        if (!value.isUndefined() && !value.isArray())
            invalid(where, key);
        return value.toArray();
    }

    QJsonObject object(const QJsonValue& value, const QString& where) {
        if (!value.isObject())
            fail(where + QStringLiteral("无效"));
        return value.toObject();
    }

    QStringList texts(const QJsonObject& object, QLatin1StringView key, const QString& where) {
        QStringList texts;
        for (const QJsonValue& value : array(object, key, where)) {
            if (!value.isString())
                invalid(where, key);
            texts.append(value.toString());
        }
        return texts;
    }

    template <typename Enum, std::size_t N>
    Enum choice(const QJsonObject& object, QLatin1StringView key,
                const std::array<std::pair<Enum, QLatin1StringView>, N>& names,
                const QString& where) {
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
              int& capacity, const QString& where) {
        rows = int(whole(object, QLatin1StringView("rows"), 1, kMostLines, where));
        columns = int(whole(object, QLatin1StringView("columns"), 1, kMostLines, where));
        capacity = int(whole(object, capacityKey, 1, kMostLines, where));
        if (error.isEmpty() && capacity > rows * columns)
            fail(where + QStringLiteral("的") + label(capacityKey) +
                 QStringLiteral("多于座位数（%1）").arg(rows * columns));
    }

    Room room(const QJsonValue& value, const QString& where, bool withSeats) {
        const QJsonObject object = this->object(value, where);
        if (withSeats)
            onlyKnown(object,
                      {QLatin1StringView("location"), QLatin1StringView("rows"),
                       QLatin1StringView("columns"), QLatin1StringView("capacity"),
                       QLatin1StringView("seats")},
                      where);
        else
            onlyKnown(object,
                      {QLatin1StringView("location"), QLatin1StringView("rows"),
                       QLatin1StringView("columns"), QLatin1StringView("capacity")},
                      where);
        Room room;
        room.location = text(object, QLatin1StringView("location"), where);
        size(object, QLatin1StringView("capacity"), room.rows, room.columns, room.capacity, where);
        return room;
    }

    void roomCount(const QJsonArray& rooms, const QString& what) {
        if (rooms.size() > kMostRooms)
            fail(what + QStringLiteral("超过%1个考场").arg(kMostRooms));
    }

    CandidateList candidates(const QJsonObject& file) {
        CandidateList list;
        list.extraHeaders = texts(file, QLatin1StringView("extraHeaders"), QString());
        const QJsonArray candidates = array(file, QLatin1StringView("candidates"), QString());
        list.candidates.reserve(std::size_t(candidates.size()));
        for (qsizetype i = 0; i < candidates.size() && error.isEmpty(); ++i) {
            const QString where = QStringLiteral("第%1名考生").arg(i + 1);
            const QJsonObject object = this->object(candidates[i], where);
            onlyKnown(object,
                      {QLatin1StringView("name"), QLatin1StringView("class"),
                       QLatin1StringView("studentNo"), QLatin1StringView("examNo"),
                       QLatin1StringView("extra"), QLatin1StringView("sourceRow")},
                      where);
            Candidate candidate;
            candidate.name = text(object, QLatin1StringView("name"), where);
            candidate.className = text(object, QLatin1StringView("class"), where);
            candidate.studentNo = text(object, QLatin1StringView("studentNo"), where);
            candidate.examNo = text(object, QLatin1StringView("examNo"), where);
            candidate.extra = texts(object, QLatin1StringView("extra"), where);
            candidate.sourceRow = int(whole(object, QLatin1StringView("sourceRow"), 0,
                                            std::numeric_limits<int>::max(), where));
            list.candidates.push_back(std::move(candidate));
        }
        return list;
    }

    Settings settings(const QJsonObject& file) {
        const QString where = label(QLatin1StringView("settings"));
        const QJsonObject object =
            this->object(member(file, QLatin1StringView("settings"), QString()), where);
        if (!error.isEmpty())
            return {};
        onlyKnown(object,
                  {QLatin1StringView("rows"), QLatin1StringView("columns"),
                   QLatin1StringView("perRoom"), QLatin1StringView("rooms"),
                   QLatin1StringView("fullRooms"), QLatin1StringView("fill"),
                   QLatin1StringView("order"), QLatin1StringView("scoreColumn"),
                   QLatin1StringView("diagonal"), QLatin1StringView("seed"),
                   QLatin1StringView("prefix"), QLatin1StringView("title")},
                  where);
        Settings settings;
        size(object, QLatin1StringView("perRoom"), settings.rows, settings.columns,
             settings.perRoom, where);
        const QJsonArray rooms = array(object, QLatin1StringView("rooms"), where);
        roomCount(rooms, where + QStringLiteral("的考场表"));
        for (qsizetype i = 0; i < rooms.size() && error.isEmpty(); ++i)
            settings.rooms.push_back(
                room(rooms[i], where + QStringLiteral("的考场表第%1行").arg(i + 1), false));
        settings.fullRooms = flag(object, QLatin1StringView("fullRooms"), where);
        settings.fill = choice(object, QLatin1StringView("fill"), kFills, where);
        settings.order = choice(object, QLatin1StringView("order"), kOrders, where);
        settings.scoreColumn = int(whole(object, QLatin1StringView("scoreColumn"), -1,
                                         std::numeric_limits<int>::max(), where));
        settings.diagonal = flag(object, QLatin1StringView("diagonal"), where);
        settings.seed = std::uint32_t(whole(object, QLatin1StringView("seed"), 0,
                                            std::numeric_limits<std::uint32_t>::max(), where));
        settings.prefix = text(object, QLatin1StringView("prefix"), where);
        settings.title = text(object, QLatin1StringView("title"), where);
        return settings;
    }

    // Every seat holds a candidate of the list or nobody (-1), and no
    // candidate sits in two seats.
    Seating seating(const QJsonObject& file, std::size_t candidates) {
        Seating seating;
        const QJsonArray rooms = array(file, QLatin1StringView("seating"), QString());
        roomCount(rooms, label(QLatin1StringView("seating")));
        std::vector<bool> seated(candidates, false);
        for (qsizetype i = 0; i < rooms.size() && error.isEmpty(); ++i) {
            const QString where = QStringLiteral("第%1考场").arg(i + 1);
            const Room room = this->room(rooms[i], where, true);
            const QJsonArray seatArray =
                array(rooms[i].toObject(), QLatin1StringView("seats"), where);
            if (error.isEmpty() && seatArray.size() > room.capacity)
                fail(where + QStringLiteral("的座位多于人数（%1）").arg(room.capacity));
            std::vector<int> seats;
            for (const QJsonValue& value : seatArray) {
                if (!error.isEmpty())
                    break;
                const double who = value.toDouble(std::numeric_limits<double>::quiet_NaN());
                if (!value.isDouble() || who != std::floor(who)) {
                    invalid(where, QLatin1StringView("seats"));
                } else if (who < -1 || who >= double(candidates)) {
                    fail(where + QStringLiteral("的座位引用了不存在的考生"));
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
        candidates.append(QJsonObject{{QLatin1StringView("name"), candidate.name},
                                      {QLatin1StringView("class"), candidate.className},
                                      {QLatin1StringView("studentNo"), candidate.studentNo},
                                      {QLatin1StringView("examNo"), candidate.examNo},
                                      {QLatin1StringView("extra"), textArray(candidate.extra)},
                                      {QLatin1StringView("sourceRow"), candidate.sourceRow}});
    const Settings& s = exam.settings;
    QJsonArray roomTable;
    for (const Room& room : s.rooms)
        roomTable.append(roomObject(room));
    const QJsonObject settings{{QLatin1StringView("rows"), s.rows},
                               {QLatin1StringView("columns"), s.columns},
                               {QLatin1StringView("perRoom"), s.perRoom},
                               {QLatin1StringView("rooms"), roomTable},
                               {QLatin1StringView("fullRooms"), s.fullRooms},
                               {QLatin1StringView("fill"), enumName(kFills, s.fill)},
                               {QLatin1StringView("order"), enumName(kOrders, s.order)},
                               {QLatin1StringView("scoreColumn"), s.scoreColumn},
                               {QLatin1StringView("diagonal"), s.diagonal},
                               {QLatin1StringView("seed"), qint64(s.seed)},
                               {QLatin1StringView("prefix"), s.prefix},
                               {QLatin1StringView("title"), s.title}};
    QJsonArray seating;
    for (std::size_t i = 0; i < exam.seating.rooms.size(); ++i) {
        QJsonObject room = roomObject(exam.seating.rooms[i]);
        QJsonArray seats;
        if (i < exam.seating.seats.size())
            for (const int who : exam.seating.seats[i])
                seats.append(who);
        room.insert(QLatin1StringView("seats"), seats);
        seating.append(room);
    }
    const QJsonObject file{{QLatin1StringView("version"), exam.version},
                           {QLatin1StringView("extraHeaders"), textArray(exam.list.extraHeaders)},
                           {QLatin1StringView("candidates"), candidates},
                           {QLatin1StringView("settings"), settings},
                           {QLatin1StringView("seating"), seating}};
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
    if (file.value(QLatin1StringView("format")).toString() != kFormat)
        return {{}, notExamFile};

    Reader reader;
    // A later program may change anything else, so its files are told apart
    // before the rest is read.
    const QJsonValue version = file.value(QLatin1StringView("formatVersion"));
    if (version.isDouble() && version.toDouble() > kFormatVersion)
        return {{}, QStringLiteral("此文件由更新版本的 Brasset 保存，请升级后再打开")};
    if (version.toDouble() != kFormatVersion)
        return {{}, QStringLiteral("文件已损坏：格式版本无效")};
    reader.onlyKnown(file,
                     {QLatin1StringView("format"), QLatin1StringView("formatVersion"),
                      QLatin1StringView("version"), QLatin1StringView("extraHeaders"),
                      QLatin1StringView("candidates"), QLatin1StringView("settings"),
                      QLatin1StringView("seating")},
                     {});
    Exam exam;
    exam.version = reader.text(file, QLatin1StringView("version"), {});
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
