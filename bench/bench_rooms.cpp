// Arranges a pasted list of a million names, once through the room logic
// alone and once through the window (the paste into the text box, then a
// click on "编排", which counts the whole list to tell how many names got no
// seat), and prints how long each step took and how much memory
// the process needed at most by then.
//   bench_rooms [lines]   (default 1000000)

#include "brasset/brassetwindow.h"
#include "common/desktop.h"
#include "common/pastedlist.h"
#include "rooms/distribute.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {
long peakKb() {
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return 0;
#endif
}

// The question about names left without a seat is answered No at once, so
// that the time is the arrangement's and the count's, not a person's.
struct AnsweringNo final : common::Desktop {
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    void inform(QWidget*, const QString&, const QString&) override {}
    bool askYesNo(QWidget*, const QString& text, const QString&) override {
        std::printf("asked: %s\n", qPrintable(text));
        return false;
    }
    void reportError(QWidget*, const QString&, const QString&) override {}
    void openDocument(const QString&) override {}
    void openAddress(const QString&) override {}
    void printPreview(QWidget*, const std::function<void(QPrinter&)>&) override {}
};

void report(const char* step, QElapsedTimer& timer) {
    std::printf("%-40s %6lld ms   peak memory %7ld KB\n", step,
                static_cast<long long>(timer.restart()), peakKb());
}
} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 1000000;
    QElapsedTimer timer;
    timer.start();
    QString pasted;
    for (int i = 1; i <= lines; ++i)
        pasted += QStringLiteral("考生%1\r\n").arg(i);
    pasted.chop(2);
    std::printf("%d lines, %lld characters\n", lines, static_cast<long long>(pasted.size()));
    report("list built", timer);

    const common::PastedList names = common::cutPastedList(pasted, brasset::kNamesUsed);
    const brasset::RoomPlan plan = brasset::arrangeRooms(
        names, brasset::personsPerRoom(QStringLiteral("32")), brasset::Direction::Horizontal);
    report("logic: cut the list and arrange", timer);

    AnsweringNo desktop;
    brasset::BrassetWindow window(desktop);
    window.show();
    app.processEvents();
    report("window shown", timer);
    window.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->setPlainText(pasted);
    report("window: paste into the text box", timer);
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    report("window: click on the arrange button, the whole list counted", timer);
    app.processEvents();
    report("window: repaint", timer);
    return window.roomPlan() == plan ? 0 : 1;
}
