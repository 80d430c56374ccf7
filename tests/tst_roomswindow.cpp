// Brasset's window driven as a user drives it: names put into the text box,
// real clicks on the real buttons, a scripted desktop answering the save
// dialog and the question, and the bytes of the exported file.

#include "export.h"
#include "roomnames.h"
#include "scripteddesktop.h"
#include "testfiles.h"
#include "widgets.h"
#include "window.h"
#include "windowdriver.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace brasset;

namespace {
// Pastes the names, picks the direction and presses "编排".
void arrange(QWidget& window, const QString& names, bool vertical = false,
             const QString& persons = QStringLiteral("32")) {
    child<QPlainTextEdit>(window, "Text1")->setPlainText(names);
    child<QLineEdit>(window, "Text2")->setText(persons);
    click(window, vertical ? QStringLiteral("Option2") : QStringLiteral("Option1"));
    click(window, QStringLiteral("Command1"));
}

QRect twips(int left, int top, int width, int height) {
    return common::twipsRect(left, top, width, height);
}

// What ResetRooms owns: frame titles and visibility, seat captions and places.
QStringList roomsLayout(QWidget& window) {
    QStringList layout;
    for (int room = 0; room < kRooms; ++room) {
        auto* frame = child<QGroupBox>(window, QStringLiteral("Frame1_%1").arg(room));
        layout << frame->title() + (frame->isHidden() ? " hidden" : " shown");
    }
    for (int index = 0; index < kSeats; ++index) {
        auto* seat = child<common::CaptionButton>(window, QStringLiteral("student_%1").arg(index));
        layout << QStringLiteral("%1 %2,%3").arg(seat->caption()).arg(seat->x()).arg(seat->y());
    }
    return layout;
}
} // namespace

class TestRoomsWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startState();
    void resetRoomsTwiceIsOnce();
    void seatClicksDoNothing();
    void workedExample_data();
    void workedExample();
    void rotateButton();
    void textBoxNamesAndPersons();
    void millionLinePaste();
    void exportYesNoAndTheSameNameTwice();
    void exportCancelAndNoRooms();
    void exitButtonClosesTheWindow();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    QTemporaryDir* m_dir = nullptr;
};

void TestRoomsWindow::init() {
    m_dir = new QTemporaryDir;
}

void TestRoomsWindow::cleanup() {
    delete m_dir;
    m_dir = nullptr;
}

void TestRoomsWindow::startState() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(window.size(), QSize(common::px(17865), common::px(10065)));
    QCOMPARE(window.minimumSize(), window.maximumSize());

    const struct {
        const char* name;
        const char* text;
        QRect geometry;
    } controls[] = {
        {"Label1", "每考场人数：", twips(120, 135, 1215, 255)},
        {"Text2", "32", twips(1320, 120, 375, 270)},
        {"Label3", "20-36", twips(1800, 135, 495, 255)},
        {"Option1", "横排", twips(120, 615, 855, 255)},
        {"Option2", "竖排", twips(1320, 615, 855, 255)},
        {"Label2", "考生姓名粘贴到这里：", twips(120, 1095, 2175, 255)},
        {"Text1", "", twips(120, 1455, 2295, 7335)},
        {"Command1", "编排", twips(120, 8895, 1095, 495)},
        {"Command3", "旋转", twips(1320, 8895, 1095, 495)},
        {"Command2", "导出", twips(120, 9495, 1095, 495)},
        {"Command4", "退出", twips(1320, 9495, 1095, 495)},
    };
    for (const auto& control : controls) {
        QWidget* widget = child(window, control.name);
        const QString text = widget->property("text").isValid()
                                 ? widget->property("text").toString()
                                 : widget->property("plainText").toString();
        QCOMPARE(text, QString::fromUtf8(control.text));
        QCOMPARE(widget->geometry(), control.geometry);
    }
    QVERIFY(child<QRadioButton>(window, "Option1")->isChecked());
    QVERIFY(!child<QRadioButton>(window, "Option2")->isChecked());
    auto* text1 = child<QPlainTextEdit>(window, "Text1");
    QCOMPARE(text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(text1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    // Rooms 1 and 2 side by side at the top, room 8 bottom right.
    QCOMPARE(child(window, "Frame1_0")->geometry(), twips(2640, 0, 7455, 2415));
    QCOMPARE(child(window, "Frame1_1")->geometry(), twips(10320, 0, 7455, 2415));
    QCOMPARE(child(window, "Frame1_7")->geometry(), twips(10320, 7560, 7455, 2415));
    QCOMPARE(child<QGroupBox>(window, "Frame1_7")->title(), QStringLiteral("第8考场"));
    // Seats column by column: seat 6 heads the second column.
    QCOMPARE(child(window, "student_0")->geometry(), twips(240, 240, 1095, 255));
    QCOMPARE(child(window, "student_5")->pos(), twips(240, 2040, 0, 0).topLeft());
    QCOMPARE(child(window, "student_42")->pos(), twips(1440, 240, 0, 0).topLeft());
    QCOMPARE(child(window, "student_287")->parentWidget()->objectName(),
             QStringLiteral("Frame1_7"));
    QCOMPARE(window.roomPlan(), RoomPlan{});

    // With no room in use the rotate button has nothing to turn.
    click(window, QStringLiteral("Command3"));
    QCOMPARE(window.roomPlan(), RoomPlan{});
    QVERIFY(desktop.shown.isEmpty());
}

void TestRoomsWindow::resetRoomsTwiceIsOnce() {
    ScriptedDesktop desktop;
    Form1 fresh(desktop);
    const QStringList reset = roomsLayout(fresh);

    Form1 window(desktop);
    window.show();
    arrange(window, numberedNames(300));
    child<QGroupBox>(window, "Frame1_3")->setTitle(QStringLiteral("changed"));
    child(window, "student_100")->move(1, 1);
    QVERIFY(roomsLayout(window) != reset);
    window.resetRooms();
    QCOMPARE(roomsLayout(window), reset);
    window.resetRooms();
    QCOMPARE(roomsLayout(window), reset);
}

void TestRoomsWindow::seatClicksDoNothing() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    arrange(window, numberedNames(40));
    const RoomPlan plan = window.roomPlan();
    for (int index : {0, 35, 36, 50, 287}) {
        auto* seat = child<QPushButton>(window, QStringLiteral("student_%1").arg(index));
        QCOMPARE(seat->focusPolicy(), Qt::NoFocus);
        click(window, seat->objectName());
        click(window, seat->objectName());
    }
    QCOMPARE(window.roomPlan(), plan);
    QVERIFY(desktop.shown.isEmpty());
}

void TestRoomsWindow::workedExample_data() {
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("room");
    QTest::addColumn<QStringList>("picture");
    QTest::newRow("horizontal, room 1")
        << false << 0 << QStringList{"31 32 . . . .",     "30 29 28 27 26 25", "19 20 21 22 23 24",
                                     "18 17 16 15 14 13", "7 8 9 10 11 12",    "6 5 4 3 2 1"};
    QTest::newRow("horizontal, room 2")
        << false << 1 << QStringList{". . . . . .", ". . . . . .",   ". . . . . .",
                                     ". . . . . .", "39 40 . . . .", "38 37 36 35 34 33"};
    QTest::newRow("vertical, room 1")
        << true << 0 << QStringList{"31 30 19 18 7 6", "32 29 20 17 8 5", ". 28 21 16 9 4",
                                    ". 27 22 15 10 3", ". 26 23 14 11 2", ". 25 24 13 12 1"};
    QTest::newRow("vertical, room 2")
        << true << 1 << QStringList{". . . . 39 38", ". . . . 40 37", ". . . . . 36",
                                    ". . . . . 35",  ". . . . . 34",  ". . . . . 33"};
}

void TestRoomsWindow::workedExample() {
    QFETCH(bool, vertical);
    QFETCH(int, room);
    QFETCH(QStringList, picture);
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    // An earlier arrangement in the other direction leaves no trace.
    arrange(window, numberedNames(200), !vertical);
    arrange(window, numberedNames(40), vertical);
    const RoomPlan plan = window.roomPlan();
    QCOMPARE(roomPicture(plan, room), picture);
    QCOMPARE(plan.visible, (std::array<bool, kRooms>{true, true}));
    for (int other = 2; other < kRooms; ++other)
        QCOMPARE(roomPicture(plan, other), kEmptyRoom);
    QVERIFY(desktop.shown.isEmpty());
}

void TestRoomsWindow::rotateButton() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    arrange(window, numberedNames(40));
    const RoomPlan arranged = window.roomPlan();
    click(window, QStringLiteral("Command3"));
    const RoomPlan turned = window.roomPlan();
    QCOMPARE(roomPicture(turned, 0),
             (QStringList{"1 2 3 4 5 6", "12 11 10 9 8 7", "13 14 15 16 17 18", "24 23 22 21 20 19",
                          "25 26 27 28 29 30", ". . . . 32 31"}));
    QCOMPARE(roomPicture(turned, 1),
             (QStringList{"33 34 35 36 37 38", ". . . . 40 39", ". . . . . .", ". . . . . .",
                          ". . . . . .", ". . . . . ."}));
    QCOMPARE(turned.visible, arranged.visible);
    click(window, QStringLiteral("Command3"));
    QCOMPARE(window.roomPlan(), arranged);
}

void TestRoomsWindow::textBoxNamesAndPersons() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    // The box keeps what was typed; 20.5 fills 21 seats a room.
    arrange(window, numberedNames(22), false, QStringLiteral(" 20.5"));
    QCOMPARE(child<QLineEdit>(window, "Text2")->text(), QStringLiteral(" 20.5"));
    QCOMPARE(roomPicture(window.roomPlan(), 1).last(), QStringLiteral(". . . . . 22"));

    // Names exactly as pasted: blanks, tabs, markup, no-break spaces; and an
    // empty line is an empty seat.
    const QString names = QStringLiteral(" 张 三\t\r\n<b>&amp;\r\n\r\nA\u00A0B");
    arrange(window, names, false, QStringLiteral("abc"));
    const RoomPlan plan = window.roomPlan();
    QCOMPARE(plan.captions[buttonIndex(0, 35)], QStringLiteral(" 张 三\t"));
    QCOMPARE(plan.captions[buttonIndex(0, 29)], QStringLiteral("<b>&amp;"));
    QCOMPARE(plan.captions[buttonIndex(0, 23)], QString());
    QCOMPARE(plan.captions[buttonIndex(0, 17)], QStringLiteral("A\u00A0B"));
    QCOMPARE(plan.visible, (std::array<bool, kRooms>{true}));

    arrange(window, QString());
    QCOMPARE(window.roomPlan(), RoomPlan{});
}

void TestRoomsWindow::millionLinePaste() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    arrange(window, numberedNames(1000000));
    const RoomPlan plan = window.roomPlan();
    QCOMPARE(plan.visible,
             (std::array<bool, kRooms>{true, true, true, true, true, true, true, true}));
    // Room 8 holds names 225 to 256, its first at the bottom right.
    QCOMPARE(roomPicture(plan, 7).first(), QStringLiteral("255 256 . . . ."));
    QCOMPARE(roomPicture(plan, 7).last(), QStringLiteral("230 229 228 227 226 225"));
    QVERIFY(desktop.shown.isEmpty());
}

void TestRoomsWindow::exportYesNoAndTheSameNameTwice() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    arrange(window, numberedNames(40));
    const RoomPlan plan = window.roomPlan();

    desktop.fileNames.enqueue(path(QStringLiteral("考场")));
    desktop.answers.enqueue(true);
    click(window, QStringLiteral("Command2"));
    QCOMPARE(desktop.kinds(), (QStringList{"save", "ask"}));
    QCOMPARE(desktop.shown[0].title, QStringLiteral("保存"));
    QCOMPARE(desktop.shown[0].filter, QStringLiteral("RTF文件(*.rtf)|*.rtf"));
    QCOMPARE(desktop.shown[1].text, QStringLiteral("保存完成，是否立即打开查看？"));
    QCOMPARE(desktop.shown[1].title, QStringLiteral("保存完成"));
    const QString written = path(QStringLiteral("考场.rtf"));
    QCOMPARE(fileBytes(written), roomExportBytes(plan));
    QCOMPARE(fileBytes(written).count("\r\n"), 100);
    QCOMPARE(desktop.openedDocuments, QStringList{written});
    QCOMPARE(window.roomPlan(), plan);

    // The dialog offers the name chosen last; the same file is replaced by
    // the turned rooms, and No opens nothing.
    click(window, QStringLiteral("Command3"));
    desktop.fileNames.enqueue(written);
    desktop.answers.enqueue(false);
    click(window, QStringLiteral("Command2"));
    QCOMPARE(desktop.offeredNames, (QStringList{QString(), path(QStringLiteral("考场"))}));
    QCOMPARE(fileBytes(written), roomExportBytes(window.roomPlan()));
    QVERIFY(fileBytes(written) != roomExportBytes(plan));
    QCOMPARE(desktop.openedDocuments.size(), 1);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"考场.rtf"});
}

void TestRoomsWindow::exportCancelAndNoRooms() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    desktop.fileNames.enqueue(QString());
    click(window, QStringLiteral("Command2"));
    QCOMPARE(desktop.kinds(), QStringList{"save"});
    QVERIFY(QDir(m_dir->path()).isEmpty());

    // No room in use: an empty file, and the question all the same.
    desktop.fileNames.enqueue(path(QStringLiteral("empty.RTF")));
    click(window, QStringLiteral("Command2"));
    QCOMPARE(desktop.kinds(), (QStringList{"save", "save", "ask"}));
    QCOMPARE(fileBytes(path(QStringLiteral("empty.RTF"))), QByteArray());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"empty.RTF"});
}

void TestRoomsWindow::exitButtonClosesTheWindow() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    arrange(window, numberedNames(40));
    click(window, QStringLiteral("Command4"));
    QVERIFY(!window.isVisible());
    QVERIFY(desktop.shown.isEmpty());
}

QTEST_MAIN(TestRoomsWindow)
#include "tst_roomswindow.moc"
