// Thousands of seeded random clicks over Quorlen's real buttons, seats and
// exam panel. After every step: a move loses or doubles no name, exactly one
// podium box is shown, a saved plan comes back at the next start, and a
// pattern seats the first lines of the pasted list. The slowest step of each
// kind is printed.

#include "ansitext.h"
#include "export.h"
#include "monkey.h"
#include "planfile.h"
#include "scripteddesktop.h"
#include "testfiles.h"
#include "window.h"
#include "windowdriver.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QTimer>
#include <optional>

using namespace quorlen;

namespace {
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

// The about window is modal; it is closed by a key as soon as it is up.
void doubleClickAboutPanel(QWidget& window) {
    QTimer closer;
    closer.setInterval(1);
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            QTest::keyClick(modal, Qt::Key_Space);
    });
    closer.start();
    QTest::mouseDClick(child(window, QStringLiteral("StatusBar1_3")), Qt::LeftButton);
}

// One window, one monkey. Each step says what the plan and the podium side
// must be afterwards; a step whose result is not one exact plan checks it
// itself and leaves `expected` empty.
class SeatingMonkey {
public:
    explicit SeatingMonkey(quint32 seed) : m_monkey(seed), m_window(m_desktop) {
        m_window.show();
        m_front = child<QLineEdit>(m_window, QStringLiteral("Text1"));
        m_back = child<QLineEdit>(m_window, QStringLiteral("Text2"));
        m_panel = child<QGroupBox>(m_window, QStringLiteral("Frame1"));
        m_box = child<QPlainTextEdit>(m_window, QStringLiteral("Text3"));
    }

    void step() {
        m_before = m_window.seatPlan();
        m_backBefore = m_window.podiumBack();
        m_boxBefore = boxLines(m_box);
        m_shownBefore = m_desktop.shown.size();
        m_expected = m_before;
        m_expectBack = m_backBefore;
        if (m_panel->isVisible())
            panelStep();
        else
            windowStep();
        if (QTest::currentTestFailed())
            return;
        if (m_expected)
            QCOMPARE(m_window.seatPlan(), *m_expected);
        QCOMPARE(m_window.podiumBack(), m_expectBack);
        QVERIFY2(m_front->isVisible() != m_back->isVisible(), "exactly one podium box is shown");
        QVERIFY(!QApplication::activeModalWidget());
    }

    const StepClock& clock() const { return m_clock; }

private:
    void windowStep() {
        const int roll = m_monkey.below(100);
        if (roll < 45)
            seat();
        else if (roll < 72)
            move();
        else if (roll < 77)
            podium();
        else if (roll < 81)
            save();
        else if (roll < 85)
            open();
        else if (roll < 89)
            exportPlan();
        else if (roll < 99)
            showPanel();
        else
            m_clock.time(QStringLiteral("about"), [&] { doubleClickAboutPanel(m_window); });
    }

    void panelStep() {
        const int roll = m_monkey.below(100);
        if (roll < 40) {
            m_clock.time(QStringLiteral("paste"),
                         [&] { paste(m_box, m_monkey.list(45), m_monkey.chance(70)); });
        } else if (roll < 85) {
            pattern();
        } else {
            m_clock.time(QStringLiteral("back"), [&] { click(m_window, "Command11"); });
            QVERIFY(m_panel->isHidden());
            QCOMPARE(boxLines(m_box), m_boxBefore);
        }
    }

    void seat() {
        const bool pending = m_window.selectionPending();
        const int selected = m_window.selectedSeat();
        const int seat = m_monkey.below(kSeats);
        m_clock.time(QStringLiteral("seat"), [&] { clickSeat(m_window, seat); });
        if (pending)
            std::swap((*m_expected)[selected], (*m_expected)[seat]);
        QCOMPARE(m_window.selectionPending(), !pending);
    }

    void move() {
        const bool pending = m_window.selectionPending();
        const QString button = m_monkey.pick(kMoves);
        m_clock.time(QStringLiteral("move"), [&] { click(m_window, button); });
        // Every name is still there, once.
        QCOMPARE(sortedCaptions(m_window.seatPlan()), sortedCaptions(m_before));
        QCOMPARE(m_window.selectionPending(), pending);
        m_expectBack = m_backBefore != (button == "Command5");
        m_expected.reset();
    }

    void podium() {
        m_clock.time(QStringLiteral("podium"), [&] { click(m_window, "Command6"); });
        m_expectBack = !m_backBefore;
    }

    void save() {
        m_clock.time(QStringLiteral("save"), [&] { click(m_window, "Command3"); });
        QCOMPARE(told(), QStringLiteral("inform"));
        // The next start brings the plan and the podium side back, as far
        // as GBK holds its characters: an opened file of any bytes may have
        // brought in some it does not.
        SeatPlan kept = m_before;
        for (QString& caption : kept)
            caption =
                isEmptySeatMarker(caption) ? QString() : common::fromAnsi(common::toAnsi(caption));
        ScriptedDesktop nextDesktop;
        Form1 next(nextDesktop);
        QCOMPARE(next.seatPlan(), kept);
        QCOMPARE(next.podiumBack(), m_backBefore);
        m_saved = kept;
    }

    void open() {
        const QString answer = m_monkey.pick(kOpenAnswers);
        if (answer == "noise.txt") {
            QByteArray noise;
            for (int i = m_monkey.below(400); i > 0; --i)
                noise += char(m_monkey.below(256));
            QVERIFY(writeBytes(answer, noise));
        }
        m_desktop.fileNames.enqueue(answer.isEmpty() ? answer : QDir().absoluteFilePath(answer));
        m_clock.time(QStringLiteral("open"), [&] { click(m_window, "Command2"); });
        if (answer.isEmpty()) {
            QCOMPARE(told(), QStringLiteral("open"));
        } else if (!QFileInfo(answer).isFile()) {
            QCOMPARE(told(), QStringLiteral("error"));
        } else {
            QCOMPARE(told(), QStringLiteral("inform"));
            if (answer == "default.txt")
                m_expected = *m_saved;
            else
                m_expected.reset();
        }
    }

    void exportPlan() {
        const QString answer = m_monkey.pick(kExportAnswers);
        m_desktop.fileNames.enqueue(answer.isEmpty() ? answer : QDir().absoluteFilePath(answer));
        m_desktop.answers.enqueue(m_monkey.chance(50));
        m_clock.time(QStringLiteral("export"), [&] { click(m_window, "Command4"); });
        if (answer.isEmpty())
            QCOMPARE(told(), QStringLiteral("save"));
        else if (answer == "plan")
            QCOMPARE(fileBytes(QStringLiteral("plan.rtf")), tableDocument(m_before));
        else if (answer == "plan.RTF")
            QCOMPARE(fileBytes(answer), tableDocument(m_before));
        else
            QCOMPARE(told(), QStringLiteral("error"));
    }

    void showPanel() {
        m_clock.time(QStringLiteral("panel"), [&] { click(m_window, "Command9"); });
        QVERIFY(m_panel->isVisible());
        QCOMPARE(boxLines(m_box), m_boxBefore);
    }

    void pattern() {
        const bool reverse = m_monkey.chance(50);
        const QString button = m_monkey.pick(reverse ? kReversePatterns : kForwardPatterns);
        m_clock.time(QStringLiteral("pattern"), [&] { click(m_window, button); });
        // The first 30 or 35 lines are seated and the other seats are empty;
        // a reverse pattern also turns the podium round.
        QStringList seated = m_boxBefore.mid(0, kSixRowPatterns.contains(button) ? 30 : 35);
        while (seated.size() < kSeats)
            seated << QString();
        seated.sort();
        QCOMPARE(sortedCaptions(m_window.seatPlan()), seated);
        QVERIFY(m_box->toPlainText().isEmpty());
        QVERIFY(m_panel->isHidden());
        m_expectBack = m_backBefore != reverse;
        m_expected.reset();
    }

    // The kind of the box or dialog the step showed last, if any.
    QString told() const {
        return m_desktop.shown.size() > m_shownBefore ? m_desktop.shown.last().kind : QString();
    }

    Monkey m_monkey;
    StepClock m_clock;
    ScriptedDesktop m_desktop;
    Form1 m_window;
    QLineEdit* m_front = nullptr;
    QLineEdit* m_back = nullptr;
    QGroupBox* m_panel = nullptr;
    QPlainTextEdit* m_box = nullptr;

    SeatPlan m_before;
    bool m_backBefore = false;
    QStringList m_boxBefore;
    qsizetype m_shownBefore = 0;
    std::optional<SeatPlan> m_expected;
    bool m_expectBack = false;
    std::optional<SeatPlan> m_saved;
};
} // namespace

class TestSeatingMonkey : public QObject {
    Q_OBJECT
private slots:
    void run();
};

void TestSeatingMonkey::run() {
    TemporaryCurrentDir here;
    QVERIFY(here.isCurrent());
    QVERIFY(QDir().mkdir(QStringLiteral("folder.rtf")));
    runMonkey<SeatingMonkey>("Quorlen", 10000);
}

QTEST_MAIN(TestSeatingMonkey)
#include "tst_seatingmonkey.moc"
