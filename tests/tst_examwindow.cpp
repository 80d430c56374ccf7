// Brasset's 考务编排 window driven as an exam office drives it: the steps
// (driver.h's, and the window's own below), the boxes shown, and what the
// window then shows. Lists are under tests/data/exams/.
//
//   clip:paste.txt       the data file is on the clipboard
//   set:perRoom:5        a spin box of the settings; seed:123 types the seed
//   columns:学号,姓名,班级  the next columns dialog is answered so, then OK
//   seats:1,2            seats 1 and 2 of the room shown are selected
//   keep:a.exam          a copy of the file; same:a.exam, its bytes again
//   close                the window is closed

#include "brasset/brassetwindow.h"
#include "brasset/examwindow.h"
#include "tests/driver.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

namespace {
// name | steps | boxes shown | what the summary and the messages then hold, "|"-free
const char* const kExams = R"(
a paste arranged, as listed | clip:paste.txt pasteList seed:123 arrange | | 考生 12 人，1 个考场，相邻同班 3 对，随机种子 123\n班级太少
a csv opened, small rooms | set:perRoom:5 file:grade.csv openList arrange | open | 考生 12 人，3 个考场
a headerless csv through the columns dialog | columns:学号,姓名,班级 file:headerless.csv openList arrange | open | 考生 6 人，1 个考场
problems told before anything is read | file:problems.csv no openList | open ask | 第 3 行：没有姓名
problems, the rest taken | file:problems.csv yes openList arrange | open ask | 考生 2 人
an old workbook refused | file:old.xls openList | open error | （.xls）读不出来
too large for the room table refused | set:perRoom:5 添加考场 clip:paste.txt pasteList arrange | error | 考场
save and open give the same bytes | clip:paste.txt pasteList seed:9 arrange file:a.exam saveExam keep:a.exam file:a.exam openExam saveExam same:a.exam | save open | 随机种子 9
a late swap lists the printouts | clip:paste.txt pasteList arrange seats:1,2 swapCandidates | inform | 桌贴：
more in a room than its seats refused | set:perRoom:31 clip:paste.txt pasteList arrange | error | 每考场 31 人，但 6 行 × 5 列只有 30 个座位。
no more a room than 考号 hold | set:rows:20 set:columns:20 set:perRoom:150 clip:paste.txt pasteList arrange | | 考生 12 人，1 个考场
closing unsaved asks | clip:paste.txt pasteList no close | ask | 读入考生 12 人
)";
} // namespace

class TestExamWindow : public QObject {
    Q_OBJECT
    // The steps of this window, for a driver whose window holds it.
    static bool more(Driver& d, const QString& step, QHash<QString, QByteArray>& kept) {
        auto* exam = d.window->objectName() == "examWindow"
                         ? d.window
                         : d.window->findChild<QWidget*>("examWindow");
        const QString value = step.section(':', 1);
        if (step.startsWith("clip:")) {
            QGuiApplication::clipboard()->setText(QString::fromUtf8(bytesOf(d.data + value)));
        } else if (step.startsWith("set:")) {
            exam->findChild<QSpinBox*>(value.section(':', 0, 0))
                ->setValue(value.section(':', 1).toInt());
        } else if (step.startsWith("seed:")) {
            exam->findChild<QLineEdit*>("seed")->setText(value);
        } else if (step.startsWith("columns:")) {
            // Answered once it is up: looked for until then, by a timer the
            // window owns. Another box instead is closed and fails the row.
            auto* timer = new QTimer(d.window);
            timer->setObjectName("awaitingColumnsDialog");
            QObject::connect(timer, &QTimer::timeout, timer, [timer, value] {
                QWidget* dialog = QApplication::activeModalWidget();
                if (!dialog)
                    return;
                timer->stop();
                timer->setObjectName("answered");
                QList<QComboBox*> boxes;
                for (int column = 0; column < value.count(',') + 1; ++column)
                    boxes << dialog->findChild<QComboBox*>(QString("column_%1").arg(column));
                const bool right =
                    dialog->objectName() == "columnsDialog" && !boxes.contains(nullptr);
                for (int column = 0; right && column < boxes.size(); ++column)
                    boxes[column]->setCurrentText(value.section(',', column, column));
                QMetaObject::invokeMethod(dialog, right ? "accept" : "reject");
                QVERIFY2(right,
                         qPrintable(dialog->objectName() + " came up, not the columns dialog "
                                                           "with a box for each column"));
            });
            timer->start(10);
        } else if (step.startsWith("seats:")) {
            auto* grid = exam->findChild<QTableWidget*>("grid");
            for (int cell = 0; cell < grid->rowCount() * grid->columnCount(); ++cell)
                if (auto* item = grid->item(cell / grid->columnCount(), cell % grid->columnCount()))
                    item->setSelected(item->data(Qt::UserRole).isValid() &&
                                      value.split(',').contains(
                                          QString::number(item->data(Qt::UserRole).toInt() + 1)));
        } else if (step.startsWith("keep:")) {
            kept[value] = bytesOf(value);
        } else if (step.startsWith("same:")) {
            QTest::qCompare(bytesOf(value), kept[value], "written", "kept", __FILE__, __LINE__);
        } else if (step == "close") {
            exam->close();
        } else if (auto* action = exam ? exam->findChild<QAction*>(step) : nullptr) {
            action->trigger();
        } else {
            return false;
        }
        return true;
    }

    static QString shown(QWidget& exam) {
        return exam.findChild<QLabel*>("summary")->text() + '\n' +
               exam.findChild<QPlainTextEdit*>("messages")->toPlainText() + '\n';
    }

private slots:
    void exams_data() { addTable({"steps", "boxes", "shows"}, kExams); }
    void exams() {
        QFETCH(QString, steps);
        QFETCH(QString, boxes);
        QFETCH(QString, shows);
        Shown<brasset::ExamWindow> w("exams");
        QHash<QString, QByteArray> kept;
        w.more = [&](const QString& step) { return more(w, step, kept); };
        // A box no step answers would wait for ever: closed, and the row fails.
        QTimer unanswered;
        QObject::connect(&unanswered, &QTimer::timeout, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || w.window->findChild<QTimer*>("awaitingColumnsDialog"))
                return;
            QMetaObject::invokeMethod(box, "reject");
            QFAIL(qPrintable(box->objectName() + " came up, and no step answers it"));
        });
        unanswered.start(500);
        if (!w.run(steps))
            return;
        QVERIFY2(!w.window->findChild<QTimer*>("awaitingColumnsDialog"),
                 "the columns dialog never came up");
        QVERIFY2(w.desktop.kinds() == boxes, qPrintable(w.desktop.log.join('\n')));
        const QString seen = shown(*w.window) + w.desktop.log.join('\n');
        QVERIFY2(seen.contains(shows), qPrintable(seen));
        QCOMPARE(w.window->isVisible(), !steps.endsWith("close"));
    }

    // Brasset's own 编排 tells of the names left without a seat; Yes seats
    // them all in the 考务编排 window.
    void brassetOffersTheWindow() {
        Shown<brasset::BrassetWindow> b("brasset");
        QHash<QString, QByteArray> kept;
        b.more = [&](const QString& step) { return more(b, step, kept); };
        b.run("paste:names300.txt per-room:36 yes 编排 seed:1 arrange");
        QCOMPARE(b.desktop.log.value(0),
                 "ask 编排 有 12 个名字没有座位：本窗口最多 8 个考场。是否打开“考务编排”，"
                 "把全部考生编入需要的考场？");
        auto* exam = b.window->findChild<QWidget*>("examWindow");
        QVERIFY(exam && exam->isVisible());
        QVERIFY2(shown(*exam).startsWith("考生 300 人，10 个考场"), qPrintable(shown(*exam)));
    }
};

QTEST_MAIN(TestExamWindow)
#include "tst_examwindow.moc"
