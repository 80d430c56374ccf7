// Thousands of seeded random clicks over both programs' real windows, checked
// after every step: a move loses or doubles no name, one podium box is shown,
// a saved plan comes back at the next start, an arrangement seats the pasted
// lines in order. MONKEY_SEED and MONKEY_STEPS replay a run; a step slower
// than kHungStepMs fails. The about window is the window tests' to check.

#include "../rooms/arrange.h"
#include "../rooms/window.h"
#include "../seating/export.h"
#include "../seating/window.h"
#include "fillorders.h"
#include "scripteddesktop.h"
#include "testfiles.h"
#include "windowdriver.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {
// Far beyond a frame: a step this slow is hung, not slow on a busy machine.
constexpr qint64 kHungStepMs = 2000;
// All GBK and never "NULL", so a saved plan comes back exactly; blanks, tabs,
// commas and quotes test the file's quoting, "&" and "<" the captions.
const QString kAlphabet = QStringLiteral("abXY09 \t,\"&<>-.张三李四王五赵六讲台考生（）·");

int envNumber(const char* name, int fallback) {
    return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : fallback;
}

QStringList boxLines(QWidget& window, const char* box) {
    const QString text = child<QPlainTextEdit>(window, box)->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

template <typename Captions> QStringList sorted(const Captions& captions) {
    QStringList list(captions.begin(), captions.end());
    list.sort();
    return list;
}

// The seeded dice, the window and its scripted desktop, and the clock.
template <typename Form> struct Monkey {
    explicit Monkey(quint32 seed) : m_rng(seed) { m_window.show(); }
    int below(int bound) { return int(m_rng.bounded(bound)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename List> auto pick(const List& list) { return list[below(int(list.size()))]; }

    // Pastes a list as from a spreadsheet, over the box's text or after it:
    // CR LF line ends, some lines empty, a few very long.
    void paste(const char* box, int most) {
        QStringList lines;
        for (int count = below(most + 1); count > 0; --count) {
            QString name(chance(5) ? 40 + below(40) : below(9), QChar());
            std::generate(name.begin(), name.end(),
                          [&] { return kAlphabet[below(int(kAlphabet.size()))]; });
            lines << (chance(10) ? QString() : name);
        }
        const QString text =
            lines.join(QStringLiteral("\r\n")) + (!lines.isEmpty() && chance(20) ? "\r\n" : "");
        const bool replace = chance(75);
        timed("paste", [&] {
            auto* edit = child<QPlainTextEdit>(m_window, box);
            if (replace)
                edit->clear();
            edit->moveCursor(QTextCursor::End);
            QGuiApplication::clipboard()->setText(text);
            edit->paste();
        });
    }

    void press(const char* kind, const QString& button) {
        timed(kind, [&] { click(m_window, button); });
    }
    template <typename Step> void timed(const char* kind, Step step) {
        m_lastKind = kind;
        m_desktop.shown.clear();
        QElapsedTimer timer;
        timer.start();
        step();
        const qint64 ms = timer.elapsed();
        if (ms > m_slowest) {
            m_slowest = ms;
            m_slowestKind = kind;
        }
        QVERIFY2(ms < kHungStepMs, qPrintable(QStringLiteral("%1 took %2 ms").arg(kind).arg(ms)));
    }

    QRandomGenerator m_rng;
    ScriptedDesktop m_desktop;
    Form m_window{m_desktop};
    QString m_lastKind;
    qint64 m_slowest = -1;
    QString m_slowestKind;
};

const QStringList kMoves{"Command5",  "Command19", "Command20", "Command21",
                         "Command22", "Command7",  "Command8"};

// Quorlen. A step whose result is not one exact plan checks it itself and
// leaves `m_expected` empty.
struct SeatingMonkey : public Monkey<quorlen::Form1> {
    using Monkey::Monkey;

    void step() {
        m_before = m_window.seatPlan();
        m_expected = m_before;
        m_expectBack = m_window.podiumBack();
        const bool panelShown = child(m_window, "Frame1")->isVisible();
        const int roll = below(100);
        if (panelShown && roll < 40) {
            paste("Text3", 45);
        } else if (panelShown && roll < 85) {
            pattern();
        } else if (panelShown || roll >= 92) {
            press("panel", panelShown ? "Command11" : "Command9");
        } else if (roll < 45) {
            seat();
        } else if (roll < 75) {
            move();
        } else if (roll < 80) {
            press("podium", "Command6");
            m_expectBack = !m_expectBack;
        } else if (roll < 85) {
            save();
        } else if (roll < 88) {
            open();
        } else {
            exportTable();
        }
        if (QTest::currentTestFailed())
            return;
        if (m_expected)
            QCOMPARE(m_window.seatPlan(), *m_expected);
        QCOMPARE(podium(m_window), m_expectBack ? "back" : "front");
        QVERIFY(!QApplication::activeModalWidget());
    }

    void seat() {
        const bool pending = m_window.selectionPending();
        const int selected = m_window.selectedSeat();
        const int seat = below(quorlen::kSeats);
        timed("seat", [&] { clickSeat(m_window, seat); });
        if (pending)
            std::swap((*m_expected)[selected], (*m_expected)[seat]);
        QCOMPARE(m_window.selectionPending(), !pending);
    }

    void move() {
        const bool pending = m_window.selectionPending();
        const QString button = pick(kMoves);
        press("move", button);
        // Every name is still there, once; only the turn moves the podium.
        QCOMPARE(sorted(m_window.seatPlan()), sorted(m_before));
        QCOMPARE(m_window.selectionPending(), pending);
        m_expectBack = m_expectBack != (button == "Command5");
        m_expected.reset();
    }

    void save() {
        press("save", "Command3");
        QCOMPARE(m_desktop.kinds(), QStringList{"inform"});
        // The next start brings the plan and the podium side back.
        ScriptedDesktop nextDesktop;
        const quorlen::Form1 next(nextDesktop);
        QCOMPARE(next.seatPlan(), m_before);
        QCOMPARE(next.podiumBack(), m_expectBack);
        m_saved = m_before;
    }

    // Opens the saved plan, a missing file, or cancels; the podium stays.
    // (Random bytes are the plan reader's fuzz target's to try.)
    void open() {
        const int choice = below(3);
        m_desktop.fileNames.enqueue(choice < 2 ? here(choice ? "missing.txt" : "default.txt") : "");
        press("open", "Command2");
        if (choice == 0 && m_saved)
            m_expected = m_saved;
        QCOMPARE(m_desktop.kinds().contains("error"), choice == 1 || (choice == 0 && !m_saved));
    }

    // Exports to a table document and declines to open it.
    void exportTable() {
        m_desktop.fileNames.enqueue(here("table"));
        m_desktop.answers.enqueue(false);
        press("export", "Command4");
        QCOMPARE(fileBytes("table.rtf"), quorlen::tableDocument(m_before));
    }

    void pattern() {
        const QStringList list = boxLines(m_window, "Text3");
        const QString button = pick(patternButtonNames());
        const bool reverse = patternCaption(button).contains(QStringLiteral("倒"));
        press("pattern", button);
        // The first 30 or 35 lines are seated, the other seats empty; a
        // reverse pattern also turns the podium round.
        QStringList seated =
            list.mid(0, patternCaption(button).contains(QStringLiteral("6*5")) ? 30 : 35);
        seated.resize(quorlen::kSeats);
        QCOMPARE(sorted(m_window.seatPlan()), sorted(seated));
        QVERIFY(child(m_window, "Frame1")->isHidden());
        m_expectBack = m_expectBack != reverse;
        m_expected.reset();
    }

    quorlen::SeatPlan m_before;
    std::optional<quorlen::SeatPlan> m_expected;
    std::optional<quorlen::SeatPlan> m_saved;
    bool m_expectBack = false;
};

// Persons per room: in range, out of range, fractions, units, no number.
const QStringList kPersonsTexts{"32",  "20", "36",  "19",   "37",   "20.5", "24人",  " 25",
                                "abc", "",   "1e2", "0x20", "３２", "-30",  "35.99", "+21"};

// Brasset. Typing changes nothing; a turn turns every room in use; an
// arrangement seats the lines in order along each room's S, leaving the seats
// beyond the persons per room and the rooms not in use empty.
struct RoomsMonkey : public Monkey<brasset::Form1> {
    using Monkey::Monkey;

    void step() {
        const brasset::RoomPlan before = m_window.roomPlan();
        const int roll = below(100);
        if (roll < 20) {
            paste("Text1", chance(20) ? 400 : 80);
        } else if (roll < 32) {
            const QString text = pick(kPersonsTexts);
            timed("persons", [&] { child<QLineEdit>(m_window, "Text2")->setText(text); });
        } else if (roll < 45) {
            press("direction", chance(50) ? "Option1" : "Option2");
        } else if (roll < 75) {
            arrange();
        } else {
            press("rotate", "Command3");
            brasset::RoomPlan turned = before;
            for (int room = 0; room < brasset::kRooms; ++room)
                for (int seat = 0; before.visible[room] && seat < brasset::kRoomSeats; ++seat)
                    turned.captions[brasset::buttonIndex(room, seat)] =
                        before.captions[brasset::buttonIndex(room, brasset::kRoomSeats - 1 - seat)];
            QCOMPARE(m_window.roomPlan(), turned);
        }
        if (roll < 45)
            QCOMPARE(m_window.roomPlan(), before);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void arrange() {
        const bool vertical = child<QAbstractButton>(m_window, "Option2")->isChecked();
        // How the box reads is tst_rooms' to check; here it gives the seats.
        const double persons = brasset::personsPerRoom(child<QLineEdit>(m_window, "Text2")->text());
        press("arrange", "Command1");
        const brasset::RoomPlan plan = m_window.roomPlan();
        const QStringList lines = boxLines(m_window, "Text1");
        // One room more than (lines - 1) / persons, at most eight.
        const int rooms =
            lines.isEmpty() ? 0 : int(std::floor(double(lines.size() - 1) / persons)) + 1;
        qsizetype next = 0;
        for (int room = 0; room < brasset::kRooms; ++room) {
            const bool used = room < std::min(rooms, brasset::kRooms);
            QCOMPARE(plan.visible[room], used);
            for (int rank = 0; rank < brasset::kRoomSeats; ++rank) {
                // Lane by lane, every other one backwards, from the seat that
                // is bottom right once the room is turned.
                const int lane = rank / 6;
                const int along = lane % 2 == 0 ? rank % 6 : 5 - rank % 6;
                const int seat =
                    brasset::kRoomSeats - 1 -
                    (vertical ? brasset::roomSeat(lane, along) : brasset::roomSeat(along, lane));
                const QString& caption = plan.captions[brasset::buttonIndex(room, seat)];
                QCOMPARE(caption, used && rank < persons ? lines.value(next++) : QString());
            }
        }
    }
};

// Runs MONKEY_STEPS steps from MONKEY_SEED in an empty current folder,
// naming the step that failed so that it can be replayed.
template <typename WindowMonkey> void runMonkey(const char* window, int defaultSteps) {
    TemporaryCurrentDir folder;
    QVERIFY(folder.isCurrent());
    const auto seed = quint32(envNumber("MONKEY_SEED", 20240607));
    const int steps = envNumber("MONKEY_STEPS", defaultSteps);
    WindowMonkey monkey(seed);
    for (int step = 0; step < steps && !QTest::currentTestFailed(); ++step) {
        monkey.step();
        if (QTest::currentTestFailed())
            qWarning("at step %d (%s) of seed %u", step, qPrintable(monkey.m_lastKind), seed);
    }
    qInfo("%s monkey: seed %u, %d steps, slowest step %lld ms (%s)", window, seed, steps,
          monkey.m_slowest, qPrintable(monkey.m_slowestKind));
}
} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void seating() { runMonkey<SeatingMonkey>("Quorlen", 10000); }
    void rooms() { runMonkey<RoomsMonkey>("Brasset", 5000); }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
