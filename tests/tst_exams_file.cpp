// The exam file: every exam reads back as it was written, and every broken
// file is refused with a message that says what is wrong.

#include "exams/examfile.h"
#include "tests/examcompare.h"

#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTest>

using namespace exams;

Q_DECLARE_METATYPE(exams::Exam)

namespace {

// Texts an office's lists hold, and some they should not.
const QStringList kOdd = QStringLiteral("|007|张三|a\nb\r\nc|\"引号\"\t\\|\0尾|𠀀😀|  ").split(u'|')
                         << QChar(0xD800);

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
    exam.settings = {7, 9,    50,  {},    true, Fill::Columns, Order::ByColumn,
                     1, true, ~0u, odd(), odd()};
    exam.settings.rooms = {room(), room()};
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
        QCOMPARE(opened.exam, exam);
    }

    // Each row edits a good file, written compact, by replacing the first
    // `from` with `to`; or, without `from`, is the whole file.
    void refusesBrokenFiles_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        auto row = [](const char* from, const QByteArray& to, const char* message) {
            QTest::addRow("%s -> %s", from, to.left(30).simplified().data())
                << QByteArray(from) << to << QString::fromUtf8(message);
        };
        row("", "", "这不是考务编排文件");
        row("", "姓名,班级\n张三,1班\n", "这不是考务编排文件");
        row("", "[1]", "这不是考务编排文件");
        row("", "{\"format\": \"brasset-exam\", \"title\": \"\xc6\xda\xd6\xd0\"}", // GBK
            "这不是考务编排文件：其中的文字不是 UTF-8 编码");
        Exam crowded;
        crowded.seating = {std::vector<Room>(kMostRooms + 1),
                           std::vector<std::vector<int>>(kMostRooms + 1)};
        row("", examFileBytes(crowded), "文件已损坏：考场座位超过999个考场");
        row("\"format\":\"brasset-exam\"", "\"format\":\"brasset-plan\"", "这不是考务编排文件");
        row("\"formatVersion\":1", "\"formatVersion\":2",
            "此文件由更新版本的 Brasset 保存，请升级后再打开");
        row("\"formatVersion\":1", "\"formatVersion\":\"1\"", "文件已损坏：格式版本无效");
        row("\"settings\":", "\"setting\":", "文件已损坏：有无法识别的项“setting”");
        row("\"version\":\"\"", "\"version\":1", "文件已损坏：程序版本无效");
        row("[{\"class", "[\"王五\",{\"class", "文件已损坏：第1名考生无效");
        row("\"name\":\"李四\",", "", "文件已损坏：第2名考生缺少姓名");
        row("\"studentNo\":\"001\"", "\"studentNo\":1", "第1名考生的学号无效");
        row("\"extra\":[\"90\"]", "\"extra\":[null]", "第1名考生的其他列无效");
        row("\"sourceRow\":2", "\"sourceRow\":-1", "第1名考生的原表行号应在0到2147483647之间");
        row("\"seed\":0", "\"seed\":4294967296", "编排设置的随机种子应在0到4294967295之间");
        row("\"seed\":0", "\"seed\":1.5", "编排设置的随机种子无效");
        row("\"order\":\"listed\"", "\"order\":\"random\"", "编排设置的编排顺序无效");
        row("\"fullRooms\":false", "\"fullRooms\":0", "编排设置的坐满一场再排下一场无效");
        row("\"perRoom\":30", "\"perRoom\":31", "编排设置的每场人数多于座位数（30）");
        row("\"capacity\":16", "\"capacity\":0", "编排设置的考场表第1行的人数应在1到99之间");
        row("\"rows\":10", "\"rows\":100", "第1考场的排数应在1到99之间");
        row("[2,1]", "[3,1]", "文件已损坏：第2考场的座位引用了不存在的考生");
        row("[2,1]", "[-2,1]", "第2考场的座位引用了不存在的考生");
        row("[2,1]", "[0.5,1]", "第2考场的座位无效");
        row("[2,1]", "[0,1]", "第1名考生坐了两个座位");
        row("[0,-1]", "[0,-1,-1]", "第1考场的座位多于人数（2）");
        row("[0,-1]", "\"0,-1\"", "第1考场的座位无效");
    }
    void refusesBrokenFiles() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        QByteArray bytes = to;
        if (!from.isEmpty()) {
            Exam good;
            good.list = {{QStringLiteral("成绩")},
                         {{"张三", "1班", "001", "", {"90"}, 2},
                          {"李四", "2班", "002", "", {"80"}, 3},
                          {"王五", "1班", "003", "", {"70"}, 4}}};
            good.settings.rooms = {{QStringLiteral("301"), 4, 4, 16}};
            good.seating = {{{"", 10, 9, 2}, {"", 1, 2, 2}}, {{0, -1}, {2, 1}}};
            bytes = QJsonDocument::fromJson(examFileBytes(good)).toJson(QJsonDocument::Compact);
            QVERIFY(readExamFile(bytes).error.isEmpty() && bytes.contains(from));
            bytes.replace(bytes.indexOf(from), from.size(), to);
        }
        const OpenedExam opened = readExamFile(bytes);
        QVERIFY2(opened.error.contains(message), qPrintable(opened.error));
        QCOMPARE(opened.exam, Exam{});
    }
};

QTEST_APPLESS_MAIN(ExamFileTest)
#include "tst_exams_file.moc"
