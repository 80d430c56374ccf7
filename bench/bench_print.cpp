// Times printing to a PDF file in both programs, as the print preview's
// "save as PDF" does: Quorlen's classroom of 35 names, and Brasset's eight
// rooms of 36. Prints the times, the pages and the file sizes, and keeps the
// files in the folder given.
//   bench_print [folder]   (default: a temporary one)

#include "brasset/brassetwindow.h"
#include "common/desktop.h"
#include "quorlen/quorlenwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

namespace {
// The first print, which also loads the fonts, and the mean of ten more.
template <typename Window> void timePrint(Window& window, const QString& path, const char* what) {
    double first = 0, rest = 0;
    for (int round = 0; round <= 10; ++round) {
        QElapsedTimer timer;
        timer.start();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        window.print(printer);
        (round == 0 ? first : rest) += double(timer.nsecsElapsed()) / 1e6;
    }
    std::printf("%-30s first %6.1f ms, then %6.1f ms  %7lld bytes  %s\n", what, first, rest / 10,
                static_cast<long long>(QFileInfo(path).size()), qPrintable(path));
}
} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir::setCurrent(temporary.path()); // no saved plan at start
    common::QtDesktop desktop;

    QStringList names;
    for (int i = 0; i < 8 * 36; ++i)
        names << QStringLiteral("考生%1").arg(i + 1, 3, 10, QLatin1Char('0'));
    quorlen::QuorlenWindow classroom(desktop);
    quorlen::SeatPlan plan;
    std::copy_n(names.begin(), quorlen::kSeats, plan.begin());
    classroom.setSeatPlan(plan);
    timePrint(classroom, folder + "/quorlen.pdf", "Quorlen, 35 names, 1 page");

    brasset::BrassetWindow rooms(desktop);
    rooms.findChild<QPlainTextEdit*>("Text1")->setPlainText(names.join('\n'));
    rooms.findChild<QLineEdit*>("Text2")->setText("36");
    rooms.findChild<QPushButton*>("Command1")->click();
    timePrint(rooms, folder + "/brasset.pdf", "Brasset, 288 names, 8 pages");
    return 0;
}
