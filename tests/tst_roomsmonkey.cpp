// Seeded random pastes, persons per room, directions and clicks over
// Brasset's real window. After every arrangement the rooms hold the pasted
// lines in order along each room's S, with the seats beyond the persons per
// room and the rooms not in use empty; a turn turns every room in use; seat
// clicks and the export change nothing. The slowest step of each kind is
// printed.

#include "export.h"
#include "monkey.h"
#include "scripteddesktop.h"
#include "testfiles.h"
#include "window.h"
#include "windowdriver.h"

#include <QApplication>
#include <QLineEdit>

#include <cmath>
#include <tuple>

using namespace brasset;

namespace {
// What may be typed as the persons per room, and what it counts as.
const std::vector<std::pair<QString, double>> kPersonsTexts{
    {"32", 32},   {"20", 20},  {"36", 36},       {"19", 30}, {"37", 30},  {"20.5", 20.5},
    {"24人", 24}, {" 25", 25}, {"abc", 30},      {"", 30},   {"1e2", 30}, {"0x20", 30},
    {"３２", 30}, {"-30", 30}, {"35.99", 35.99}, {"+21", 21}};

// The rooms a list of `lines` lines takes at `persons` a room, as the
// handbook puts it: one more than (lines - 1) / persons, at most eight.
int roomsTaken(qsizetype lines, double persons) {
    return lines == 0 ? 0 : std::min(8, int(std::floor((lines - 1) / persons)) + 1);
}

// The room seat of the seat handed out `rank`-th in a room, before the room
// is turned: lane after lane, every other lane run backwards.
int seatOfRank(int rank, bool vertical) {
    const int lane = rank / 6;
    const int along = lane % 2 == 0 ? rank % 6 : 5 - rank % 6;
    return vertical ? roomSeat(lane, along) : roomSeat(along, lane);
}

class RoomsMonkey {
public:
    explicit RoomsMonkey(quint32 seed) : m_monkey(seed), m_window(m_desktop) {
        m_window.show();
        m_names = child<QPlainTextEdit>(m_window, QStringLiteral("Text1"));
        m_persons = child<QLineEdit>(m_window, QStringLiteral("Text2"));
        m_vertical = child<QAbstractButton>(m_window, QStringLiteral("Option2"));
    }

    void step() {
        m_before = m_window.roomPlan();
        const int roll = m_monkey.below(100);
        if (roll < 15)
            pasteNames();
        else if (roll < 25)
            typePersons();
        else if (roll < 35)
            pickDirection();
        else if (roll < 60)
            arrange();
        else if (roll < 80)
            rotate();
        else if (roll < 95)
            clickSeat();
        else
            exportRooms();
        QVERIFY(!QApplication::activeModalWidget());
    }

    const StepClock& clock() const { return m_clock; }

private:
    void pasteNames() {
        m_clock.time(QStringLiteral("paste"), [&] {
            paste(m_names, m_monkey.list(m_monkey.chance(20) ? 400 : 80), m_monkey.chance(80));
        });
        QCOMPARE(m_window.roomPlan(), m_before);
    }

    void typePersons() {
        QString text = QString::number(m_monkey.below(60));
        m_perRoom = text.toInt() >= 20 && text.toInt() <= 36 ? text.toInt() : 30;
        if (m_monkey.chance(70))
            std::tie(text, m_perRoom) = m_monkey.pick(kPersonsTexts);
        m_clock.time(QStringLiteral("persons"), [&] { m_persons->setText(text); });
    }

    void pickDirection() {
        const QString option = m_monkey.chance(50) ? "Option1" : "Option2";
        m_clock.time(QStringLiteral("direction"), [&] { click(m_window, option); });
    }

    void arrange() {
        const bool vertical = m_vertical->isChecked();
        m_clock.time(QStringLiteral("arrange"), [&] { click(m_window, "Command1"); });
        // Along each room's S, whose first seat is the bottom-right one once
        // the room is turned, the lines of the list follow one another; the
        // seats beyond the persons per room and the rooms not in use stay
        // empty.
        const RoomPlan plan = m_window.roomPlan();
        const QStringList lines = boxLines(m_names);
        const int rooms = roomsTaken(lines.size(), m_perRoom);
        qsizetype next = 0;
        for (int room = 0; room < kRooms; ++room) {
            QCOMPARE(plan.visible[room], room < rooms);
            for (int rank = 0; rank < kRoomSeats; ++rank) {
                const int seat = kRoomSeats - 1 - seatOfRank(rank, vertical);
                const QString& caption = plan.captions[buttonIndex(room, seat)];
                if (room < rooms && rank < m_perRoom) {
                    QCOMPARE(caption, next < lines.size() ? lines[next] : QString());
                    ++next;
                } else {
                    QVERIFY(caption.isEmpty());
                }
            }
        }
    }

    void rotate() {
        m_clock.time(QStringLiteral("rotate"), [&] { click(m_window, "Command3"); });
        // Every room in use turned by half a turn, the others untouched.
        RoomPlan turned = m_before;
        for (int room = 0; room < kRooms; ++room)
            for (int seat = 0; m_before.visible[room] && seat < kRoomSeats; ++seat)
                turned.captions[buttonIndex(room, seat)] =
                    m_before.captions[buttonIndex(room, kRoomSeats - 1 - seat)];
        QCOMPARE(m_window.roomPlan(), turned);
    }

    // Only the seats of rooms in sight can be clicked.
    void clickSeat() {
        const int index = m_monkey.below(kSeats);
        if (!m_before.visible[index / kRoomSeats])
            return;
        m_clock.time(QStringLiteral("seat"),
                     [&] { click(m_window, QStringLiteral("student_%1").arg(index)); });
        QCOMPARE(m_window.roomPlan(), m_before);
    }

    void exportRooms() {
        const bool cancel = m_monkey.chance(20);
        m_desktop.fileNames.enqueue(cancel ? QString() : QDir().absoluteFilePath("rooms"));
        m_desktop.answers.enqueue(m_monkey.chance(50));
        m_clock.time(QStringLiteral("export"), [&] { click(m_window, "Command2"); });
        QCOMPARE(m_window.roomPlan(), m_before);
        if (!cancel)
            QCOMPARE(fileBytes(QStringLiteral("rooms.rtf")), roomExportBytes(m_before));
    }

    Monkey m_monkey;
    StepClock m_clock;
    ScriptedDesktop m_desktop;
    Form1 m_window;
    QPlainTextEdit* m_names = nullptr;
    QLineEdit* m_persons = nullptr;
    QAbstractButton* m_vertical = nullptr;
    double m_perRoom = 32;
    RoomPlan m_before;
};
} // namespace

class TestRoomsMonkey : public QObject {
    Q_OBJECT
private slots:
    void run();
};

void TestRoomsMonkey::run() {
    TemporaryCurrentDir here;
    QVERIFY(here.isCurrent());
    runMonkey<RoomsMonkey>("Brasset", 5000);
}

QTEST_MAIN(TestRoomsMonkey)
#include "tst_roomsmonkey.moc"
