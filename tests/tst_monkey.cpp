// Thousands of seeded random clicks over both programs' real windows, the
// scripted desktop answering every dialog. After every step the window holds
// what the step must leave: a move loses or doubles no name, exactly one
// podium box is shown, a saved plan comes back at the next start, a pattern
// or an arrangement seats the pasted lines in order. MONKEY_SEED and
// MONKEY_STEPS replay or lengthen a run. The slowest step is printed; one
// slower than kHungStepMs fails.

// Both programs call their window Form1 and their export "export.h".
#include "../rooms/arrange.h"
#include "../rooms/export.h"
#include "../rooms/window.h"
#include "../seating/export.h"
#include "../seating/window.h"
#include "ansitext.h"
#include "planfile.h"
#include "scripteddesktop.h"
#include "testfiles.h"
#include "windowdriver.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {
constexpr int kDefaultSeed = 20240607;
// Far beyond a frame: a step this slow is hung, not merely slow on a busy
// machine.
constexpr qint64 kHungStepMs = 2000;
// Every character is in GBK and none spells "NULL", so a saved plan must come
// back exactly; blanks, tabs, commas and quotation marks test the file's
// quoting, "&" and "<" the captions' display.
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

// What both monkeys share: the seeded dice, the desktop their window answers
// to, and the clock.
class Monkey {
public:
    explicit Monkey(quint32 seed) : m_rng(seed) {}
    QString lastKind() const { return m_lastKind; }
    QString slowest() const {
        return QStringLiteral("%1 ms (%2)").arg(m_slowest).arg(m_slowestKind);
    }

protected:
    int below(int bound) { return int(m_rng.bounded(bound)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename List> auto pick(const List& list) { return list[below(int(list.size()))]; }

    // A list as pasted from a spreadsheet: CR LF between lines, sometimes
    // after the last one too, some lines empty, a few very long.
    QString list(int most) {
        QStringList lines;
        for (int count = below(most + 1); count > 0; --count) {
            QString name(chance(5) ? 40 + below(40) : below(9), QChar());
            std::generate(name.begin(), name.end(),
                          [&] { return kAlphabet[below(int(kAlphabet.size()))]; });
            lines << (chance(10) ? QString() : name);
        }
        return lines.join(QStringLiteral("\r\n")) + (!lines.isEmpty() && chance(20) ? "\r\n" : "");
    }

    void paste(QWidget& window, const char* box, int most) {
        const QString text = list(most);
        const bool replace = chance(75);
        timed("paste", [&] {
            auto* edit = child<QPlainTextEdit>(window, box);
            if (replace)
                edit->clear();
            edit->moveCursor(QTextCursor::End);
            QGuiApplication::clipboard()->setText(text);
            edit->paste();
        });
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

    // The kind of the box or dialog the step showed last, if any.
    QString told() const {
        return m_desktop.shown.isEmpty() ? QString() : m_desktop.shown.last().kind;
    }

    // The next file dialog answers a name in the current folder ("" cancels),
    // the next question `yes`.
    void answer(const QString& fileName, bool yes) {
        m_desktop.fileNames.enqueue(fileName.isEmpty() ? fileName
                                                       : QDir().absoluteFilePath(fileName));
        m_desktop.answers.enqueue(yes);
    }

    ScriptedDesktop m_desktop;

private:
    QRandomGenerator m_rng;
    QString m_lastKind;
    qint64 m_slowest = -1;
    QString m_slowestKind;
};

const QStringList kMoves{"Command5",  "Command19", "Command20", "Command21",
                         "Command22", "Command7",  "Command8"};
const QStringList kReversePatterns{"Command14", "Command15", "Command10", "Command18"};
const QStringList kForwardPatterns{"Command13", "Command16", "Command12", "Command17"};
const QStringList kSixRowPatterns{"Command14", "Command13", "Command18", "Command17"};
// What the open dialog answers: a cancel, the saved plan, names that cannot
// be read, bytes of any kind, a table document.
const QStringList kOpenAnswers{"",           "default.txt", "missing.txt",
                               "folder.rtf", "noise.txt",   "plan.rtf"};
const QStringList kExportAnswers{"", "plan", "plan.RTF", "folder", "missing/plan"};

// Quorlen. Each step says what the plan and the podium side must be after
// it; a step whose result is not one exact plan checks it itself and leaves
// `m_expected` empty.
class SeatingMonkey : public Monkey {
public:
    explicit SeatingMonkey(quint32 seed) : Monkey(seed), m_window(m_desktop) {
        m_window.show();
        QVERIFY(QDir().mkdir(QStringLiteral("folder.rtf")));
    }

    void step() {
        m_before = m_window.seatPlan();
        m_boxBefore = boxLines(m_window, "Text3");
        m_expected = m_before;
        m_expectBack = m_window.podiumBack();
        const bool panelShown = child(m_window, "Frame1")->isVisible();
        const int roll = below(100);
        if (panelShown && roll < 40) {
            paste(m_window, "Text3", 45);
        } else if (panelShown && roll < 85) {
            pattern();
        } else if (panelShown || roll >= 89) {
            // Into the exam panel or back out; the list stays.
            timed("panel", [&] { click(m_window, panelShown ? "Command11" : "Command9"); });
            QCOMPARE(child(m_window, "Frame1")->isVisible(), !panelShown);
            QCOMPARE(boxLines(m_window, "Text3"), m_boxBefore);
        } else if (roll < 45) {
            seat();
        } else if (roll < 72) {
            move();
        } else if (roll < 76) {
            timed("podium", [&] { click(m_window, "Command6"); });
            m_expectBack = !m_expectBack;
        } else if (roll < 80) {
            save();
        } else if (roll < 84) {
            open();
        } else if (roll < 88) {
            exportPlan();
        } else {
            about();
        }
        if (QTest::currentTestFailed())
            return;
        if (m_expected)
            QCOMPARE(m_window.seatPlan(), *m_expected);
        QCOMPARE(m_window.podiumBack(), m_expectBack);
        QVERIFY2(child(m_window, "Text1")->isVisible() != child(m_window, "Text2")->isVisible(),
                 "exactly one podium box is shown");
        QVERIFY(!QApplication::activeModalWidget());
    }

private:
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
        timed("move", [&] { click(m_window, button); });
        // Every name is still there, once; only the turn moves the podium.
        QCOMPARE(sorted(m_window.seatPlan()), sorted(m_before));
        QCOMPARE(m_window.selectionPending(), pending);
        m_expectBack = m_expectBack != (button == "Command5");
        m_expected.reset();
    }

    void save() {
        timed("save", [&] { click(m_window, "Command3"); });
        QCOMPARE(told(), QStringLiteral("inform"));
        // The next start brings the plan and the podium side back, as far
        // as GBK holds its characters: an opened file of any bytes may have
        // brought in some it does not.
        for (QString& caption : m_before)
            caption = quorlen::isEmptySeatMarker(caption)
                          ? QString()
                          : common::fromAnsi(common::toAnsi(caption));
        ScriptedDesktop nextDesktop;
        const quorlen::Form1 next(nextDesktop);
        QCOMPARE(next.seatPlan(), m_before);
        QCOMPARE(next.podiumBack(), m_expectBack);
        m_saved = m_before;
    }

    void open() {
        const QString name = pick(kOpenAnswers);
        if (name == "noise.txt") {
            QByteArray noise;
            for (int i = below(400); i > 0; --i)
                noise += char(below(256));
            QVERIFY(writeBytes(name, noise));
        }
        answer(name, true);
        timed("open", [&] { click(m_window, "Command2"); });
        // A cancel or a name that cannot be read keeps the plan; the user is
        // told either way.
        const bool read = QFileInfo(name).isFile();
        QCOMPARE(told(), name.isEmpty() ? "open" : read ? "inform" : "error");
        if (read)
            m_expected = name == "default.txt" ? m_saved : std::nullopt;
    }

    void exportPlan() {
        const QString name = pick(kExportAnswers);
        answer(name, chance(50));
        timed("export", [&] { click(m_window, "Command4"); });
        if (name.startsWith(QStringLiteral("plan")))
            QCOMPARE(fileBytes(name == "plan" ? "plan.rtf" : name),
                     quorlen::tableDocument(m_before));
        else
            QCOMPARE(told(), name.isEmpty() ? "save" : "error");
    }

    void pattern() {
        const bool reverse = chance(50);
        const QString button = pick(reverse ? kReversePatterns : kForwardPatterns);
        timed("pattern", [&] { click(m_window, button); });
        // The first 30 or 35 lines are seated and the other seats are empty;
        // a reverse pattern also turns the podium round.
        QStringList seated = m_boxBefore.mid(0, kSixRowPatterns.contains(button) ? 30 : 35);
        while (seated.size() < quorlen::kSeats)
            seated << QString();
        QCOMPARE(sorted(m_window.seatPlan()), sorted(seated));
        QVERIFY(boxLines(m_window, "Text3").isEmpty());
        QVERIFY(child(m_window, "Frame1")->isHidden());
        m_expectBack = m_expectBack != reverse;
        m_expected.reset();
    }

    // The about window is modal; a key closes it as soon as it is up.
    void about() {
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                QTest::keyClick(modal, Qt::Key_Space);
        });
        closer.start(1);
        timed("about",
              [&] { QTest::mouseDClick(child(m_window, "StatusBar1_3"), Qt::LeftButton); });
    }

    quorlen::Form1 m_window;
    quorlen::SeatPlan m_before;
    QStringList m_boxBefore;
    std::optional<quorlen::SeatPlan> m_expected;
    bool m_expectBack = false;
    std::optional<quorlen::SeatPlan> m_saved;
};

// What may be typed as Brasset's persons per room: in range, out of range,
// fractions, units, blanks, and text that is no number.
const QStringList kPersonsTexts{"32",  "20", "36",  "19",   "37",   "20.5", "24人",  " 25",
                                "abc", "",   "1e2", "0x20", "３２", "-30",  "35.99", "+21"};

// Brasset. Seat clicks, typing and the export change nothing; a turn turns
// every room in use; an arrangement puts the lines of the list one after
// another along each room's S, leaving the seats beyond the persons per room
// and the rooms not in use empty.
class RoomsMonkey : public Monkey {
public:
    explicit RoomsMonkey(quint32 seed) : Monkey(seed), m_window(m_desktop) { m_window.show(); }

    void step() {
        m_before = m_window.roomPlan();
        const int roll = below(100);
        if (roll < 15) {
            paste(m_window, "Text1", chance(20) ? 400 : 80);
        } else if (roll < 25) {
            const QString text = pick(kPersonsTexts);
            timed("persons", [&] { child<QLineEdit>(m_window, "Text2")->setText(text); });
        } else if (roll < 35) {
            timed("direction", [&] { click(m_window, chance(50) ? "Option1" : "Option2"); });
        } else if (roll < 60) {
            arrange();
        } else if (roll < 80) {
            rotate();
        } else if (roll < 95) {
            // Only the seats of rooms in sight can be clicked.
            const int index = below(brasset::kSeats);
            if (m_before.visible[index / brasset::kRoomSeats])
                timed("seat", [&] { click(m_window, QStringLiteral("student_%1").arg(index)); });
        } else {
            const bool cancel = chance(20);
            answer(cancel ? "" : "rooms", chance(50));
            timed("export", [&] { click(m_window, "Command2"); });
            if (!cancel)
                QCOMPARE(fileBytes("rooms.rtf"), brasset::roomExportBytes(m_before));
        }
        if (roll < 35 || roll >= 80)
            QCOMPARE(m_window.roomPlan(), m_before);
        QVERIFY(!QApplication::activeModalWidget());
    }

private:
    void arrange() {
        const bool vertical = child<QAbstractButton>(m_window, "Option2")->isChecked();
        // How the box reads is checked on its own; here it only says how
        // many seats a room gives.
        const double persons = brasset::personsPerRoom(child<QLineEdit>(m_window, "Text2")->text());
        timed("arrange", [&] { click(m_window, "Command1"); });
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
                // Lane after lane, every other lane backwards, from the seat
                // that is the bottom-right one once the room is turned.
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

    void rotate() {
        timed("rotate", [&] { click(m_window, "Command3"); });
        brasset::RoomPlan turned = m_before;
        for (int room = 0; room < brasset::kRooms; ++room)
            for (int seat = 0; m_before.visible[room] && seat < brasset::kRoomSeats; ++seat)
                turned.captions[brasset::buttonIndex(room, seat)] =
                    m_before.captions[brasset::buttonIndex(room, brasset::kRoomSeats - 1 - seat)];
        QCOMPARE(m_window.roomPlan(), turned);
    }

    brasset::Form1 m_window;
    brasset::RoomPlan m_before;
};

// Runs MONKEY_STEPS steps (by default `defaultSteps`) from MONKEY_SEED in an
// empty current folder, naming the step that failed so that it can be
// replayed.
template <typename WindowMonkey> void runMonkey(const char* window, int defaultSteps) {
    TemporaryCurrentDir here;
    QVERIFY(here.isCurrent());
    const auto seed = quint32(envNumber("MONKEY_SEED", kDefaultSeed));
    const int steps = envNumber("MONKEY_STEPS", defaultSteps);
    WindowMonkey monkey(seed);
    for (int step = 0; step < steps; ++step) {
        monkey.step();
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("at step %1 (%2) of seed %3")
                                 .arg(step)
                                 .arg(monkey.lastKind())
                                 .arg(seed)));
    }
    qInfo("%s monkey: seed %u, %d steps, slowest step %s", window, seed, steps,
          qPrintable(monkey.slowest()));
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
