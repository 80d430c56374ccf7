// The exam file: every exam reads back as it was written, and every broken
// file is refused with a message that says what is wrong.

#include "examfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>

using namespace exams;

Q_DECLARE_METATYPE(exams::Exam)

namespace {

// Texts an office's lists hold, and some they should not.
const QStringList kOdd{QString(),
                       QStringLiteral("007"),
                       QStringLiteral("张三"),
                       QStringLiteral("a\nb\r\nc"),
                       QStringLiteral("\"引号\"\t\\"),
                       QString(QChar(0)) + QStringLiteral("尾"),
                       QStringLiteral("𠀀😀"),
                       QString(QChar(0xD800)),
                       QStringLiteral("  ")};

// An exam of random candidates, room table and seats, with free seats and
// a candidate left unseated.
Exam generated(quint32 seed, int roomCount) {
    QRandomGenerator random(seed);
    auto odd = [&] {
        return kOdd[random.bounded(kOdd.size())] + kOdd[random.bounded(kOdd.size())];
    };
    auto room = [&] {
        const int rows = random.bounded(1, 100), columns = random.bounded(1, 100);
        return Room{odd(), rows, columns, random.bounded(1, std::min(99, rows * columns) + 1)};
    };
    Exam exam;
    exam.version = odd();
    exam.list.extraHeaders = {odd(), odd()};
    Settings& s = exam.settings;
    s = {7,
         9,
         50,
         {room(), room()},
         true,
         Fill::Columns,
         Order::ByColumn,
         1,
         true,
         std::numeric_limits<std::uint32_t>::max(),
         odd(),
         odd()};
    int next = 0;
    for (int r = 0; r < roomCount; ++r) {
        exam.seating.rooms.push_back(room());
        std::vector<int>& seats = exam.seating.seats.emplace_back();
        for (int i = random.bounded(exam.seating.rooms.back().capacity + 1); i > 0; --i)
            seats.push_back(random.bounded(3) == 0 ? -1 : next++);
    }
    for (int i = 0; i <= next; ++i)
        exam.list.candidates.push_back({odd(), odd(), odd(), odd(), {odd()}, i + 2});
    return exam;
}

// The file with one member changed, added ("a/0/b": path through objects
// and arrays) or, for an undefined value, removed.
QJsonValue edited(QJsonValue at, QStringList path, const QJsonValue& value) {
    if (path.isEmpty())
        return value;
    const QString key = path.takeFirst();
    if (at.isArray()) {
        QJsonArray array = at.toArray();
        if (key.toInt() == array.size())
            array.append(QJsonValue());
        array[key.toInt()] = edited(array[key.toInt()], path, value);
        return array;
    }
    QJsonObject object = at.toObject();
    if (path.isEmpty() && value.isUndefined())
        object.remove(key);
    else
        object[key] = edited(object[key], path, value);
    return object;
}

} // namespace

class ExamFileTest : public QObject {
    Q_OBJECT
private slots:
    void readsBackExactly_data() {
        QTest::addColumn<Exam>("exam");
        QTest::newRow("empty") << Exam{};
        QTest::newRow("few rooms") << generated(1, 4);
        QTest::newRow("many rooms") << generated(2, kMostRooms);
    }
    void readsBackExactly() {
        QFETCH(Exam, exam);
        const QByteArray bytes = examFileBytes(exam);
        QVERIFY(
            bytes.startsWith("{\n    \"format\": \"brasset-exam\",\n    \"formatVersion\": 1,\n"));
        const OpenedExam opened = readExamFile(bytes);
        QCOMPARE(opened.error, QString());
        QVERIFY(opened.exam == exam);
    }

    void refusesBrokenFiles_data() {
        QTest::addColumn<QByteArray>("raw"); // the whole file, else the edit below of a good one
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("message");
        auto text = [](const char* name, const QByteArray& raw, const char* message) {
            QTest::newRow(name) << raw << QString() << QJsonValue() << QString::fromUtf8(message);
        };
        text("empty", "", "这不是考务编排文件");
        text("not JSON", "姓名,班级\n张三,1班\n", "这不是考务编排文件");
        text("array", "[1]", "这不是考务编排文件");
        text("GBK", "{\"format\": \"brasset-exam\", \"title\": \"\xc6\xda\xd6\xd0\"}",
             "这不是考务编排文件：其中的文字不是 UTF-8 编码");
        QJsonArray tooMany;
        for (int i = 0; i <= kMostRooms; ++i)
            tooMany.append(QJsonObject{{"location", ""},
                                       {"rows", 1},
                                       {"columns", 1},
                                       {"capacity", 1},
                                       {"seats", QJsonArray()}});
        const struct {
            const char* path;
            QJsonValue value;
            const char* message;
        } edits[] = {
            {"format", "brasset-plan", "这不是考务编排文件"},
            {"formatVersion", 2, "此文件由更新版本的 Brasset 保存，请升级后再打开"},
            {"formatVersion", "1", "文件已损坏：格式版本无效"},
            {"settings", QJsonValue::Undefined, "文件已损坏：缺少编排设置"},
            {"version", 1, "文件已损坏：程序版本无效"},
            {"candidates/1/name", 7, "文件已损坏：第2名考生的姓名无效"},
            {"candidates/0/studentNo", 7, "第1名考生的学号无效"},
            {"candidates/0/extra/0", QJsonValue::Null, "第1名考生的其他列无效"},
            {"candidates/0/sourceRow", -1, "第1名考生的原表行号应在0到2147483647之间"},
            {"candidates/0/nickname", "x", "第1名考生有无法识别的项“nickname”"},
            {"candidates/2", "王五", "第3名考生无效"},
            {"settings/seed", 4294967296.0, "编排设置的随机种子应在0到4294967295之间"},
            {"settings/seed", 1.5, "编排设置的随机种子无效"},
            {"settings/order", "random", "编排设置的编排顺序无效"},
            {"settings/fullRooms", 1, "编排设置的坐满一场再排下一场无效"},
            {"settings/rows", 100, "编排设置的排数应在1到99之间"},
            {"settings/perRoom", 31, "编排设置的每场人数多于座位数（30）"},
            {"settings/rooms/0/capacity", 0, "编排设置的考场表第1行的人数应在1到99之间"},
            {"seating/0/columns", 0, "第1考场的列数应在1到99之间"},
            {"seating/0/capacity", 100, "第1考场的人数应在1到99之间"},
            {"seating/1/seats/0", 3, "文件已损坏：第2考场的座位引用了不存在的考生"},
            {"seating/1/seats/0", -2, "第2考场的座位引用了不存在的考生"},
            {"seating/1/seats/0", 0.5, "第2考场的座位无效"},
            {"seating/1/seats/0", 0, "第1名考生坐了两个座位"},
            {"seating/0/seats/2", -1, "第1考场的座位多于人数（2）"},
            {"seating/0/seats", "0,-1", "第1考场的座位无效"},
            {"seating", tooMany, "考场座位超过999个考场"},
        };
        for (const auto& edit : edits)
            QTest::addRow("%s = %s", edit.path,
                          QJsonDocument(QJsonArray{edit.value})
                              .toJson(QJsonDocument::Compact)
                              .left(20)
                              .data())
                << QByteArray() << QString::fromUtf8(edit.path) << edit.value
                << QString::fromUtf8(edit.message);
    }
    void refusesBrokenFiles() {
        QFETCH(QByteArray, raw);
        QFETCH(QString, path);
        QFETCH(QJsonValue, value);
        QFETCH(QString, message);
        if (!path.isEmpty()) {
            Exam good;
            good.list = {{QStringLiteral("成绩")},
                         {{"张三", "1班", "001", "", {"90"}, 2},
                          {"李四", "2班", "002", "", {"80"}, 3},
                          {"王五", "1班", "003", "", {"70"}, 4}}};
            good.settings.rooms = {{QStringLiteral("301"), 6, 5, 30}};
            good.seating = {{{"", 10, 10, 2}, {"", 1, 2, 2}}, {{0, -1}, {2, 1}}};
            QCOMPARE(readExamFile(examFileBytes(good)).error, QString());
            const QJsonValue file = QJsonDocument::fromJson(examFileBytes(good)).object();
            raw = QJsonDocument(edited(file, path.split(u'/'), value).toObject()).toJson();
        }
        const OpenedExam opened = readExamFile(raw);
        QVERIFY2(opened.error.contains(message), qPrintable(opened.error));
        QVERIFY(opened.exam == Exam{});
    }
};

QTEST_APPLESS_MAIN(ExamFileTest)
#include "tst_exams_file.moc"
