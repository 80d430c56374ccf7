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
#include <numeric>

using namespace brasset;
using namespace Qt::StringLiterals;

namespace {
RoomPlan arranged(const QString& pasted, const QString& persons) {
    return arrangeRooms(common::cutPastedList(pasted, kNamesUsed), personsPerRoom(persons),
                        Direction::Horizontal);
}
} // namespace

class TestRooms : public QObject {
    Q_OBJECT
private slots:
    void personsPerRoom_data();
    void personsPerRoom();
    void roomsFilled_data();
    void roomsFilled();
    void rotationTurnsOnlyRoomsInUse();
    void exportBytes();
};

void TestRooms::personsPerRoom_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("leading"); // infinite: too long to write, but huge and finite
    QTest::addColumn<double>("persons");
    QTest::newRow("below the range") << u"19"_s << 19.0 << 30.0;
    QTest::newRow("above the range") << u"37"_s << 37.0 << 30.0;
    QTest::newRow("empty") << QString() << 0.0 << 30.0;
    QTest::newRow("no number") << u"abc"_s << 0.0 << 30.0;
    QTest::newRow("leading blank and tab, text after") << u" \t24人"_s << 24.0 << 24.0;
    QTest::newRow("lowest") << u"20"_s << 20.0 << 20.0;
    QTest::newRow("highest") << u"36"_s << 36.0 << 36.0;
    QTest::newRow("fraction") << u"20.5"_s << 20.5 << 20.5;
    QTest::newRow("just above") << u"36.0001"_s << 36.0001 << 30.0;
    QTest::newRow("trailing dot") << u"36."_s << 36.0 << 36.0;
    QTest::newRow("second dot ends it") << u"25.5.5"_s << 25.5 << 25.5;
    QTest::newRow("blank ends it") << u"3 2"_s << 3.0 << 30.0;
    QTest::newRow("exponent is not read") << u"1e2"_s << 1.0 << 30.0;
    QTest::newRow("exponent after a fraction") << u"20.5e1"_s << 20.5 << 20.5;
    QTest::newRow("inf") << u"inf"_s << 0.0 << 30.0;
    QTest::newRow("nan") << u"nan"_s << 0.0 << 30.0;
    QTest::newRow("hexadecimal") << u"0x20"_s << 0.0 << 30.0;
    QTest::newRow("negative") << u"-25"_s << -25.0 << 30.0;
    QTest::newRow("plus sign") << u"+22"_s << 22.0 << 22.0;
    QTest::newRow("only a dot") << u"."_s << 0.0 << 30.0;
    QTest::newRow("full-width digits") << u"２５"_s << 0.0 << 30.0;
    const QString nines(400, u'9');
    QTest::newRow("400 nines") << nines << qInf() << 30.0;
    QTest::newRow("minus 400 nines") << u"-"_s + nines << qInf() << 30.0;
    QTest::newRow("1 and 400 zeros") << u"1"_s + QString(400, u'0') << qInf() << 30.0;
    QTest::newRow("400 fraction digits")
        << u"20."_s + QString(400, u'5') << 20 + 5 / 9.0 << 20 + 5 / 9.0;
}

void TestRooms::personsPerRoom() {
    QFETCH(QString, text);
    QFETCH(double, leading);
    QFETCH(double, persons);
    const double value = leadingNumber(text);
    QVERIFY(std::isfinite(value));
    if (std::isinf(leading))
        QVERIFY(std::abs(value) > 1e12);
    else
        QCOMPARE(value, leading);
    QCOMPARE(brasset::personsPerRoom(text), persons);
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
    QTest::newRow("289 names, 36 a room") << numberedNames(289) << "36" << QList<int>(8, 36);
    QTest::newRow("100000 names") << numberedNames(100000) << "32" << QList<int>(8, 32);
}

void TestRooms::roomsFilled() {
    QFETCH(QString, pasted);
    QFETCH(QString, persons);
    QFETCH(QList<int>, filled);
    const RoomPlan plan = arranged(pasted, persons);
    QSet<QString> placed, expected;
    for (int room = 0; room < kRooms; ++room) {
        QCOMPARE(plan.visible[room], room < filled.size());
        int names = 0;
        for (int seat = 0; seat < kRoomSeats; ++seat) {
            const QString& name = plan.captions[buttonIndex(room, seat)];
            names += name.isEmpty() ? 0 : 1;
            placed << name;
        }
        QCOMPARE(names, filled.value(room));
    }
    // The first names of the list, each once, and no other.
    placed.remove(QString());
    for (int i = 1; i <= std::accumulate(filled.begin(), filled.end(), 0); ++i)
        expected << u"N%1"_s.arg(i);
    QCOMPARE(placed, expected);
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

// Only the rooms in use, each as a table, the names in GBK exactly as they
// are, CR LF after every line.
void TestRooms::exportBytes() {
    RoomPlan plan = arranged(numberedNames(40), u"32"_s);
    QByteArray bytes = roomExportBytes(plan);
    QVERIFY(bytes.startsWith("\xB5\xDA"
                             "1"));
    QCOMPARE(bytes.count("\r\n"), 100);
    QCOMPARE(bytes.count('\n'), 100);

    const QStringList text = roomExportLines(plan);
    QCOMPARE(text[0], u"第1考场<br><table  align=center border=1 cellpadding=10 cellspacing=0 "
                      u"width=90% bordercolor=#000000 style='border-collapse: collapse'>"_s);
    QCOMPARE(text.mid(1, 8).join(' '), u"<tr> <td>N31</td> <td>N32</td> <td></td> <td></td> "
                                       u"<td></td> <td></td> </tr>"_s);
    QCOMPARE(text.mid(41, 9).join(' '), u"<tr> <td>N6</td> <td>N5</td> <td>N4</td> <td>N3</td> "
                                        u"<td>N2</td> <td>N1</td> </tr> </table><br><br>"_s);
    QVERIFY(text[50].startsWith(u"第2考场<br><table  align"_s));

    QCOMPARE(roomExportBytes(RoomPlan{}), QByteArray());
    plan = RoomPlan{};
    plan.captions.fill(u"隐藏"_s);
    plan.visible[2] = true;
    for (int seat = 0; seat < kRoomSeats; ++seat)
        plan.captions[buttonIndex(2, seat)] = QString::number(seat);
    plan.captions[buttonIndex(2, 0)] = u"<i>A&B\tC"_s;
    plan.captions[buttonIndex(2, 6)] = u"😀한"_s;
    plan.captions[buttonIndex(2, 35)] = QString();
    bytes = roomExportBytes(plan);
    QVERIFY(bytes.startsWith("\xB5\xDA"
                             "3"));
    QVERIFY(!bytes.contains(common::toAnsi(u"隐藏")));
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.size(), 51);
    QCOMPARE(lines[2], "<td><i>A&B\tC</td>\r"_ba);
    QCOMPARE(lines[3], "<td>?"
                       "?</td>\r"_ba); // one "?" each
    QCOMPARE(lines[47], "<td></td>\r"_ba);
}

QTEST_GUILESS_MAIN(TestRooms)
#include "tst_rooms.moc"
