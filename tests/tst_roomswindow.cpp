// Brasset's window driven as a user drives it: names put into the text box,
// real clicks on the real buttons, a scripted desktop answering the save
// dialog and the question, and the bytes of the exported file.

#include "export.h"
#include "roomnames.h"
#include "rotate.h"
#include "window.h"
#include "windowdriver.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace brasset;
using namespace Qt::StringLiterals;
using common::twipsRect;

namespace {
// Pastes the names, picks the direction and presses "编排".
void arrange(QWidget& window, const QString& names, bool vertical = false,
             const QString& persons = u"32"_s) {
    child<QPlainTextEdit>(window, u"Text1"_s)->setPlainText(names);
    child<QLineEdit>(window, u"Text2"_s)->setText(persons);
    click(window, vertical ? u"Option2"_s : u"Option1"_s);
    click(window, u"Command1"_s);
}
} // namespace

class TestRoomsWindow : public QObject {
    Q_OBJECT
private slots:
    void startState();
    void workedExamples_data();
    void workedExamples();
    void rotateSeatClicksAndExit();
    void textBoxNamesAndPersons();
    void exportRooms();
};

void TestRoomsWindow::startState() {
    Shown<Form1> r;
    Form1& window = r.window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), u"Form1"_s);
    QCOMPARE(window.size(), QSize(common::px(17865), common::px(10065)));
    QCOMPARE(window.minimumSize(), window.maximumSize());

    const struct {
        const char* name;
        const char* text;
        QRect geometry;
    } controls[] = {
        {"Label1", "每考场人数：", twipsRect(120, 135, 1215, 255)},
        {"Text2", "32", twipsRect(1320, 120, 375, 270)},
        {"Label3", "20-36", twipsRect(1800, 135, 495, 255)},
        {"Option1", "横排", twipsRect(120, 615, 855, 255)},
        {"Option2", "竖排", twipsRect(1320, 615, 855, 255)},
        {"Label2", "考生姓名粘贴到这里：", twipsRect(120, 1095, 2175, 255)},
        {"Text1", "", twipsRect(120, 1455, 2295, 7335)},
        {"Command1", "编排", twipsRect(120, 8895, 1095, 495)},
        {"Command3", "旋转", twipsRect(1320, 8895, 1095, 495)},
        {"Command2", "导出", twipsRect(120, 9495, 1095, 495)},
        {"Command4", "退出", twipsRect(1320, 9495, 1095, 495)},
    };
    for (const auto& control : controls) {
        QWidget* widget = child(window, control.name);
        const QVariant text = widget->property("text");
        QCOMPARE((text.isValid() ? text : widget->property("plainText")).toString(),
                 QString::fromUtf8(control.text));
        QCOMPARE(widget->geometry(), control.geometry);
    }
    QVERIFY(child<QRadioButton>(window, u"Option1"_s)->isChecked());
    QVERIFY(!child<QRadioButton>(window, u"Option2"_s)->isChecked());
    auto* text1 = child<QPlainTextEdit>(window, u"Text1"_s);
    QCOMPARE(text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(text1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    // Room 1 top left, room 8 bottom right.
    QCOMPARE(child(window, u"Frame1_0"_s)->geometry(), twipsRect(2640, 0, 7455, 2415));
    QCOMPARE(child(window, u"Frame1_7"_s)->geometry(), twipsRect(10320, 7560, 7455, 2415));
    QCOMPARE(child<QGroupBox>(window, u"Frame1_7"_s)->title(), u"第8考场"_s);
    // Seats column by column: seat 6 heads the second column.
    QCOMPARE(child(window, u"student_0"_s)->geometry(), twipsRect(240, 240, 1095, 255));
    QCOMPARE(child(window, u"student_5"_s)->pos(), twipsRect(240, 2040, 0, 0).topLeft());
    QCOMPARE(child(window, u"student_42"_s)->pos(), twipsRect(1440, 240, 0, 0).topLeft());
    QCOMPARE(child(window, u"student_287"_s)->parentWidget()->objectName(), u"Frame1_7"_s);
    QCOMPARE(window.roomPlan(), RoomPlan{});

    // With no room in use the rotate button has nothing to turn.
    click(window, u"Command3"_s);
    QCOMPARE(window.roomPlan(), RoomPlan{});
    QVERIFY(r.desktop.shown.isEmpty());
}

void TestRoomsWindow::workedExamples_data() {
    QTest::addColumn<int>("names");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("inUse");
    QTest::addColumn<int>("room");
    QTest::addColumn<QStringList>("picture");
    QTest::newRow("horizontal, room 1")
        << 40 << false << 2 << 0
        << QStringList{"31 32 . . . .",     "30 29 28 27 26 25", "19 20 21 22 23 24",
                       "18 17 16 15 14 13", "7 8 9 10 11 12",    "6 5 4 3 2 1"};
    QTest::newRow("horizontal, room 2")
        << 40 << false << 2 << 1
        << QStringList{". . . . . .", ". . . . . .",   ". . . . . .",
                       ". . . . . .", "39 40 . . . .", "38 37 36 35 34 33"};
    QTest::newRow("vertical, room 1")
        << 40 << true << 2 << 0
        << QStringList{"31 30 19 18 7 6", "32 29 20 17 8 5", ". 28 21 16 9 4",
                       ". 27 22 15 10 3", ". 26 23 14 11 2", ". 25 24 13 12 1"};
    QTest::newRow("vertical, room 2")
        << 40 << true << 2 << 1 << QStringList{". . . . 39 38", ". . . . 40 37", ". . . . . 36",
                                               ". . . . . 35",  ". . . . . 34",  ". . . . . 33"};
    QTest::newRow("a million names, room 8")
        << 1000000 << false << 8 << 7
        << QStringList{"255 256 . . . .",         "254 253 252 251 250 249",
                       "243 244 245 246 247 248", "242 241 240 239 238 237",
                       "231 232 233 234 235 236", "230 229 228 227 226 225"};
}

void TestRoomsWindow::workedExamples() {
    QFETCH(int, names);
    QFETCH(bool, vertical);
    QFETCH(int, inUse);
    QFETCH(int, room);
    QFETCH(QStringList, picture);
    Shown<Form1> r;
    // An earlier arrangement in the other direction leaves no trace.
    arrange(r.window, numberedNames(200), !vertical);
    arrange(r.window, numberedNames(names), vertical);
    const RoomPlan plan = r.window.roomPlan();
    QCOMPARE(roomPicture(plan, room), picture);
    for (int other = 0; other < kRooms; ++other) {
        QCOMPARE(plan.visible[other], other < inUse);
        if (other >= inUse)
            QCOMPARE(roomPicture(plan, other), kEmptyRoom);
    }
    QVERIFY(r.desktop.shown.isEmpty());
}

// "旋转" turns the rooms in use and a second turn brings them back; clicks on
// seats change nothing; "退出" closes the window.
void TestRoomsWindow::rotateSeatClicksAndExit() {
    Shown<Form1> r;
    Form1& window = r.window;
    arrange(window, numberedNames(40));
    const RoomPlan arranged = window.roomPlan();
    for (int index : {0, 35, 36, 50, 287}) {
        auto* seat = child<QPushButton>(window, u"student_%1"_s.arg(index));
        QCOMPARE(seat->focusPolicy(), Qt::NoFocus);
        QTest::mouseClick(seat, Qt::LeftButton);
    }
    QCOMPARE(window.roomPlan(), arranged);

    click(window, u"Command3"_s);
    QCOMPARE(window.roomPlan(), rotateRooms(arranged));
    click(window, u"Command3"_s);
    QCOMPARE(window.roomPlan(), arranged);

    click(window, u"Command4"_s);
    QVERIFY(!window.isVisible());
    QVERIFY(r.desktop.shown.isEmpty());
}

void TestRoomsWindow::textBoxNamesAndPersons() {
    Shown<Form1> r;
    Form1& window = r.window;
    // The box keeps what was typed; 20.5 fills 21 seats a room.
    arrange(window, numberedNames(22), false, u" 20.5"_s);
    QCOMPARE(child<QLineEdit>(window, u"Text2"_s)->text(), u" 20.5"_s);
    QCOMPARE(roomPicture(window.roomPlan(), 1).last(), u". . . . . 22"_s);

    // Names exactly as pasted: blanks, tabs, markup, no-break spaces; and an
    // empty line is an empty seat.
    arrange(window, u" 张 三\t\r\n<b>&amp;\r\n\r\nA\u00A0B"_s, false, u"abc"_s);
    const RoomPlan plan = window.roomPlan();
    QCOMPARE(plan.captions[buttonIndex(0, 35)], u" 张 三\t"_s);
    QCOMPARE(plan.captions[buttonIndex(0, 29)], u"<b>&amp;"_s);
    QCOMPARE(plan.captions[buttonIndex(0, 23)], QString());
    QCOMPARE(plan.captions[buttonIndex(0, 17)], u"A\u00A0B"_s);
    QCOMPARE(plan.visible, (std::array<bool, kRooms>{true}));

    arrange(window, QString());
    QCOMPARE(window.roomPlan(), RoomPlan{});
}

void TestRoomsWindow::exportRooms() {
    Shown<Form1> r;
    Form1& window = r.window;
    ScriptedDesktop& desktop = r.desktop;
    // No room in use: an empty file, and the question all the same.
    desktop.fileNames.enqueue(here(u"empty.RTF"_s));
    click(window, u"Command2"_s);
    QCOMPARE(desktop.kinds(), (QStringList{"save", "ask"}));
    QCOMPARE(fileBytes(u"empty.RTF"_s), QByteArray());

    arrange(window, numberedNames(40));
    const RoomPlan plan = window.roomPlan();
    desktop.shown.clear();
    desktop.fileNames.enqueue(here(u"考场"_s));
    desktop.answers.enqueue(true);
    click(window, u"Command2"_s);
    QCOMPARE(desktop.kinds(), (QStringList{"save", "ask"}));
    QCOMPARE(desktop.shown[0].title, u"保存"_s);
    QCOMPARE(desktop.shown[0].filter, u"RTF文件(*.rtf)|*.rtf"_s);
    QCOMPARE(desktop.shown[1].text, u"保存完成，是否立即打开查看？"_s);
    QCOMPARE(desktop.shown[1].title, u"保存完成"_s);
    const QString written = here(u"考场.rtf"_s);
    QCOMPARE(fileBytes(written), roomExportBytes(plan));
    QCOMPARE(desktop.openedDocuments, QStringList{written});
    QCOMPARE(window.roomPlan(), plan);

    // The dialog offers the name chosen last; the same file is replaced by
    // the turned rooms, and No opens nothing.
    click(window, u"Command3"_s);
    desktop.fileNames.enqueue(written);
    desktop.answers.enqueue(false);
    click(window, u"Command2"_s);
    QCOMPARE(desktop.offeredNames, (QStringList{{}, here(u"empty.RTF"_s), here(u"考场"_s)}));
    QCOMPARE(fileBytes(written), roomExportBytes(window.roomPlan()));
    QVERIFY(fileBytes(written) != roomExportBytes(plan));
    QCOMPARE(desktop.openedDocuments.size(), 1);

    // A cancel writes nothing; a failure is told in a box of its own.
    desktop.shown.clear();
    desktop.fileNames.enqueue(QString());
    click(window, u"Command2"_s);
    desktop.fileNames.enqueue(here(u"missing/rooms"_s));
    click(window, u"Command2"_s);
    QCOMPARE(desktop.kinds(), (QStringList{"save", "save", "error"}));
    QCOMPARE(desktop.shown[2].title, u"导出失败"_s);
    QVERIFY(desktop.shown[2].text.contains(here(u"missing/rooms.rtf"_s)));
    QCOMPARE(QDir().entryList(QDir::Files), (QStringList{"empty.RTF", "考场.rtf"}));
}

QTEST_MAIN(TestRoomsWindow)
#include "tst_roomswindow.moc"
