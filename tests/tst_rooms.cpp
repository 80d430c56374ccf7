// Brasset's room logic over plain values: reading the persons per room,
// spreading a list over the rooms, turning rooms round and the bytes of the
// export.

#include "ansitext.h"
#include "arrange.h"
#include "export.h"
#include "roomnames.h"
#include "rotate.h"

#include <QSet>
#include <QtTest>
#include <cmath>

using namespace brasset;

Q_DECLARE_METATYPE(brasset::Direction)

namespace {
RoomPlan arranged(const QString& pasted, const QString& persons,
                  Direction direction = Direction::Horizontal) {
    return arrangeRooms(common::cutPastedList(pasted, kNamesUsed), personsPerRoom(persons),
                        direction);
}

int filledSeats(const RoomPlan& plan, int room) {
    int filled = 0;
    for (int seat = 0; seat < kRoomSeats; ++seat)
        filled += plan.captions[buttonIndex(room, seat)].isEmpty() ? 0 : 1;
    return filled;
}
} // namespace

class TestRooms : public QObject {
    Q_OBJECT
private slots:
    void personsPerRoom_data();
    void personsPerRoom();
    void leadingNumberStaysFinite();
    void roomsFilled_data();
    void roomsFilled();
    void seatsAboveTheRankStayEmpty_data();
    void seatsAboveTheRankStayEmpty();
    void rotationTurnsOnlyRoomsInUse();
    void exportOfTwoRooms();
    void exportSkipsHiddenRoomsAndKeepsNamesLiteral();
};

void TestRooms::personsPerRoom_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("leading");
    QTest::addColumn<double>("persons");
    QTest::newRow("below the range") << "19" << 19.0 << 30.0;
    QTest::newRow("above the range") << "37" << 37.0 << 30.0;
    QTest::newRow("empty") << "" << 0.0 << 30.0;
    QTest::newRow("no number") << "abc" << 0.0 << 30.0;
    QTest::newRow("leading blank") << " 25" << 25.0 << 25.0;
    QTest::newRow("leading tab, text after") << "\t24人" << 24.0 << 24.0;
    QTest::newRow("lowest") << "20" << 20.0 << 20.0;
    QTest::newRow("highest") << "36" << 36.0 << 36.0;
    QTest::newRow("fraction") << "20.5" << 20.5 << 20.5;
    QTest::newRow("just above") << "36.0001" << 36.0001 << 30.0;
    QTest::newRow("trailing dot") << "36." << 36.0 << 36.0;
    QTest::newRow("second dot ends it") << "25.5.5" << 25.5 << 25.5;
    QTest::newRow("blank ends it") << "3 2" << 3.0 << 30.0;
    QTest::newRow("exponent is not read") << "1e2" << 1.0 << 30.0;
    QTest::newRow("exponent after a fraction") << "20.5e1" << 20.5 << 20.5;
    QTest::newRow("inf") << "inf" << 0.0 << 30.0;
    QTest::newRow("nan") << "nan" << 0.0 << 30.0;
    QTest::newRow("hexadecimal") << "0x20" << 0.0 << 30.0;
    QTest::newRow("negative") << "-25" << -25.0 << 30.0;
    QTest::newRow("plus sign") << "+22" << 22.0 << 22.0;
    QTest::newRow("full-width digits") << "２５" << 0.0 << 30.0;
    QTest::newRow("only a dot") << "." << 0.0 << 30.0;
}

void TestRooms::personsPerRoom() {
    QFETCH(QString, text);
    QFETCH(double, leading);
    QFETCH(double, persons);
    QCOMPARE(leadingNumber(text), leading);
    QCOMPARE(brasset::personsPerRoom(text), persons);
}

void TestRooms::leadingNumberStaysFinite() {
    const QString nines(400, QLatin1Char('9'));
    const QString oneWithZeros = QLatin1Char('1') + QString(400, QLatin1Char('0'));
    for (const QString& text : {nines, oneWithZeros, QStringLiteral("-") + nines}) {
        const double value = leadingNumber(text);
        QVERIFY2(std::isfinite(value) && std::abs(value) > 1e12, qPrintable(text.left(5)));
        QCOMPARE(brasset::personsPerRoom(text), 30.0);
    }
    const QString longFraction = QStringLiteral("20.") + QString(400, QLatin1Char('5'));
    QVERIFY(std::abs(leadingNumber(longFraction) - 20.5555) < 1e-4);
}

void TestRooms::roomsFilled_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("persons");
    QTest::addColumn<QList<int>>("filled"); // names per room in use
    QTest::newRow("empty list") << QString() << "32" << QList<int>{};
    QTest::newRow("one name") << numberedNames(1) << "32" << QList<int>{1};
    QTest::newRow("worked example") << numberedNames(40) << "32" << QList<int>{32, 8};
    QTest::newRow("final break shows an empty room") << numberedNames(64) + "\r\n"
                                                     << "32" << QList<int>{32, 32, 0};
    QTest::newRow("fallback 30") << numberedNames(61) << "abc" << QList<int>{30, 30, 1};
    // Fractional persons fill 21 seats, while the rooms follow 41 / 20.5.
    QTest::newRow("fraction") << numberedNames(43) << "20.5" << QList<int>{21, 21, 1};
    QTest::newRow("fraction, room by real division")
        << numberedNames(42) << "20.5" << QList<int>{21, 21, 0};
    QTest::newRow("289 names, 36 a room")
        << numberedNames(289) << "36" << QList<int>{36, 36, 36, 36, 36, 36, 36, 36};
    QTest::newRow("100000 names") << numberedNames(100000) << "32"
                                  << QList<int>{32, 32, 32, 32, 32, 32, 32, 32};
}

void TestRooms::roomsFilled() {
    QFETCH(QString, pasted);
    QFETCH(QString, persons);
    QFETCH(QList<int>, filled);
    const RoomPlan plan = arranged(pasted, persons);
    QSet<QString> placed;
    int total = 0;
    for (int room = 0; room < kRooms; ++room) {
        const bool used = room < filled.size();
        QCOMPARE(plan.visible[room], used);
        QCOMPARE(filledSeats(plan, room), used ? filled[room] : 0);
        total += used ? filled[room] : 0;
        for (int seat = 0; seat < kRoomSeats; ++seat)
            placed << plan.captions[buttonIndex(room, seat)];
    }
    // The first names of the list, each once, and no other.
    placed.remove(QString());
    QSet<QString> expected;
    for (int i = 1; i <= total; ++i)
        expected << QStringLiteral("N%1").arg(i);
    QCOMPARE(placed, expected);
}

void TestRooms::seatsAboveTheRankStayEmpty_data() {
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<QList<int>>("emptySeats"); // of every full room
    QTest::addColumn<QStringList>("room4");
    // The right-hand end of the top row, and the lower end of the left column.
    QTest::newRow("horizontal") << Direction::Horizontal
                                << QList<int>{roomSeat(2, 0), roomSeat(3, 0), roomSeat(4, 0),
                                              roomSeat(5, 0)}
                                << QStringList{". . . . . .", ". . . . . .", ". . . . . .",
                                               ". . . . . .", ". . . . . .", ". . 100 99 98 97"};
    QTest::newRow("vertical") << Direction::Vertical
                              << QList<int>{roomSeat(0, 2), roomSeat(0, 3), roomSeat(0, 4),
                                            roomSeat(0, 5)}
                              << QStringList{". . . . . .",  ". . . . . .",  ". . . . . 100",
                                             ". . . . . 99", ". . . . . 98", ". . . . . 97"};
}

void TestRooms::seatsAboveTheRankStayEmpty() {
    QFETCH(Direction, direction);
    QFETCH(QList<int>, emptySeats);
    QFETCH(QStringList, room4);
    // 100 names at 32 a room: the same four seats stay empty in the three
    // full rooms although names remain.
    const RoomPlan plan = arranged(numberedNames(100), QStringLiteral("32"), direction);
    for (int room = 0; room < 3; ++room) {
        QList<int> empty;
        for (int seat = 0; seat < kRoomSeats; ++seat) {
            if (plan.captions[buttonIndex(room, seat)].isEmpty())
                empty << seat;
        }
        QCOMPARE(empty, emptySeats);
    }
    QCOMPARE(roomPicture(plan, 3), room4);
}

void TestRooms::rotationTurnsOnlyRoomsInUse() {
    RoomPlan plan;
    for (int index = 0; index < kSeats; ++index)
        plan.captions[index] = index % 7 == 0 ? QString() : QString::number(index);
    plan.visible = {true, false, true, false, false, false, false, true};
    const RoomPlan turned = rotateRooms(plan);
    QCOMPARE(turned.visible, plan.visible);
    for (int room = 0; room < kRooms; ++room) {
        for (int seat = 0; seat < kRoomSeats; ++seat) {
            const int from = plan.visible[room] ? kRoomSeats - 1 - seat : seat;
            QCOMPARE(turned.captions[buttonIndex(room, seat)],
                     plan.captions[buttonIndex(room, from)]);
        }
    }
    QCOMPARE(rotateRooms(turned), plan);
    QCOMPARE(rotateRooms(RoomPlan{}), RoomPlan{});
}

void TestRooms::exportOfTwoRooms() {
    const QByteArray bytes = roomExportBytes(arranged(numberedNames(40), QStringLiteral("32")));
    QVERIFY(bytes.startsWith("\xB5\xDA"
                             "1"));
    QVERIFY(bytes.endsWith("</table><br><br>\r\n"));
    QCOMPARE(bytes.count("\r\n"), 100);
    QCOMPARE(bytes.count('\n'), 100);

    const QStringList text = roomExportLines(arranged(numberedNames(40), QStringLiteral("32")));
    QCOMPARE(text[0], QStringLiteral("第1考场<br><table  align=center border=1 cellpadding=10 "
                                     "cellspacing=0 width=90% bordercolor=#000000 "
                                     "style='border-collapse: collapse'>"));
    const QStringList topRow = {"<tr>",      "<td>N31</td>", "<td>N32</td>", "<td></td>",
                                "<td></td>", "<td></td>",    "<td></td>",    "</tr>"};
    QCOMPARE(text.mid(1, 8), topRow);
    const QStringList bottomRow = {"<tr>",        "<td>N6</td>", "<td>N5</td>", "<td>N4</td>",
                                   "<td>N3</td>", "<td>N2</td>", "<td>N1</td>", "</tr>"};
    QCOMPARE(text.mid(41, 8), bottomRow);
    QCOMPARE(text[49], QStringLiteral("</table><br><br>"));
    QVERIFY(text[50].startsWith(QStringLiteral("第2考场<br><table  align")));
}

void TestRooms::exportSkipsHiddenRoomsAndKeepsNamesLiteral() {
    QCOMPARE(roomExportBytes(RoomPlan{}), QByteArray());

    RoomPlan plan;
    plan.captions.fill(QStringLiteral("隐藏"));
    plan.visible[2] = true;
    for (int seat = 0; seat < kRoomSeats; ++seat)
        plan.captions[buttonIndex(2, seat)] = QString::number(seat);
    plan.captions[buttonIndex(2, 0)] = QStringLiteral("<i>A&B\tC");
    plan.captions[buttonIndex(2, 6)] = QStringLiteral("😀한");
    plan.captions[buttonIndex(2, 35)] = QString();
    const QByteArray bytes = roomExportBytes(plan);
    QVERIFY(bytes.startsWith("\xB5\xDA"
                             "3"));
    QVERIFY(!bytes.contains(common::toAnsi(u"隐藏")));
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.size(), 51);
    QCOMPARE(lines[2], QByteArray("<td><i>A&B\tC</td>\r"));
    QCOMPARE(lines[3], QByteArray("<td>?"
                                  "?</td>\r")); // one "?" each
    QCOMPARE(lines[47], QByteArray("<td></td>\r"));
}

QTEST_GUILESS_MAIN(TestRooms)
#include "tst_rooms.moc"
