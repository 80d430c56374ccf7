// The real quorlen binary on a real X server, used as a teacher uses it: the
// mouse on the laid-out buttons, names typed into the exam panel, the message
// boxes and the file dialog answered from the keyboard, and the bytes of the
// files it leaves behind, against the bytes the seating library writes, which
// the library's own tests hold against files written out by hand.

#include "../../seating/export.h"
#include "fillorders.h"
#include "layouts.h"
#include "planfile.h"
#include "testfiles.h"
#include "xdesktop.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace xdesktop;
using namespace quorlen_layout;

namespace {
using quorlen::kSeats;
using quorlen::SeatPlan;

// Chinese names with every fourth seat empty.
SeatPlan classList() {
    SeatPlan seats;
    for (int i = 0; i < kSeats; ++i)
        seats[i] = i % 4 == 3 ? QString() : QStringLiteral("学生%1").arg(i);
    return seats;
}

// Quorlen started in a fresh folder holding `plan` as its saved plan (none
// when empty), its main window up and painted.
struct Session {
    explicit Session(const QByteArray& plan = {}, double scale = 1.0)
        : program(screen(), QStringLiteral(QUORLEN_BINARY), folder.path(),
                  {QStringLiteral("QT_SCALE_FACTOR=%1").arg(scale)}) {
        started = folder.isValid() && (plan.isEmpty() || writeBytes(file("default.txt"), plan)) &&
                  program.start() && (window = program.waitForWindow(QStringLiteral("Tavrin"))) &&
                  pollUntil([&] { return podium() != QLatin1String("none"); });
    }

    QString podium() { return quorlen_layout::podium(program, window); }
    QString file(const QString& name) const { return folder.filePath(name); }

    // Presses "保存" and closes its completion message.
    bool save() {
        program.click(window, kSave);
        return closeBox(program, program.waitForWindow(QStringLiteral("保存完成")), "Return");
    }

    QTemporaryDir folder;
    Program program;
    quint64 window = 0;
    bool started = false;
};
} // namespace

class TestEndToEndQuorlen : public QObject {
    Q_OBJECT
private slots:
    void savedPlanSwapRotateSave_data() { addScaleRows(); }

    void savedPlanSwapRotateSave() {
        QFETCH(double, scale);
        const SeatPlan saved = classList();
        Session session(quorlen::planFileBytes(saved, true), scale);
        QVERIFY2(session.started, qPrintable(session.program.errors()));
        QCOMPARE(session.podium(), QStringLiteral("back"));

        // Student 0 to the empty seat 3, then the half turn, which brings the
        // podium to the front.
        for (const QPoint point : {seat(0), seat(3), kRotate})
            session.program.click(session.window, point);
        QVERIFY(pollUntil([&] { return session.podium() == QLatin1String("front"); }));

        QVERIFY(session.save());
        SeatPlan expected = saved;
        std::swap(expected[0], expected[3]);
        std::reverse(expected.begin(), expected.end());
        QCOMPARE(fileBytes(session.file("default.txt")), quorlen::planFileBytes(expected, false));
        QVERIFY(session.program.isRunning());
    }

    void examPanelTypedListThenSave() {
        Session session;
        QVERIFY2(session.started, qPrintable(session.program.errors()));
        QStringList typed;
        for (int i = 1; i <= kSeats; ++i)
            typed << QStringLiteral("S%1").arg(i, 2, 10, QLatin1Char('0'));
        session.program.click(session.window, kExamPanel);
        QVERIFY(session.program.typeLines(session.window, typed));
        session.program.click(session.window, kRowSnakeForward7);

        // "保存" lies under the panel: its message proves the panel has gone.
        QVERIFY(session.save());
        SeatPlan expected;
        const QList<int> order = expectedOrder(QStringLiteral("Command12"));
        for (int p = 0; p < kSeats; ++p)
            expected[order[p]] = typed[p];
        QCOMPARE(fileBytes(session.file("default.txt")), quorlen::planFileBytes(expected, false));
    }

    void exportThroughTheSaveDialog() {
        const SeatPlan saved = classList();
        Session session(quorlen::planFileBytes(saved, false));
        QVERIFY2(session.started, qPrintable(session.program.errors()));
        // The dialog opens in the folder Quorlen runs in; ".rtf" is added.
        QVERIFY(exportAnsweringNo(session.program, session.window, kExport, {"plan"}));
        QCOMPARE(fileBytes(session.file("plan.rtf")), quorlen::tableDocument(saved));
        QCOMPARE(session.program.windows(), QList<quint64>{session.window});
    }
};

int main(int argc, char** argv) {
    TestEndToEndQuorlen tests;
    return runTestsOnVirtualScreen(argc, argv, tests);
}

#include "tst_e2e_quorlen.moc"
