// Times the exam panel with a pasted list of a million lines (10 million
// characters, about 12 MB as GBK) in the real window: putting the list into
// the box, one pattern click, its undo and redo, and one click on "旋转";
// prints the times and the peak memory after each.
//   bench_exampanel [lines]   (default 1000000)

#include "common/desktop.h"
#include "quorlen/quorlenwindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {
long peakMemoryKb() {
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return 0;
#endif
}

double milliseconds(QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

QString schoolList(int lines) {
    QStringList names;
    names.reserve(lines);
    for (int i = 0; i < lines; ++i)
        names << QStringLiteral("考生%1").arg(i, 6, 10, QLatin1Char('0'));
    return names.join(QStringLiteral("\r\n"));
}

void report(const char* what, double ms) {
    std::printf("%-44s %10.3f ms   peak memory %ld KB\n", what, ms, peakMemoryKb());
}
} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 1000000;
    // An empty folder, so no saved plan is loaded at start.
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    common::QtDesktop desktop;
    quorlen::QuorlenWindow window(desktop);
    window.show();
    auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("Text3"));
    const auto button = [&](const char* name) {
        return window.findChild<QPushButton*>(QLatin1String(name));
    };
    const auto action = [&](const char* name) {
        window.findChild<QAction*>(QLatin1String(name))->trigger();
    };

    const QString list = schoolList(lines);
    std::printf("list of %d lines, %lld characters\n", lines, static_cast<long long>(list.size()));
    report("before the paste", 0);

    QElapsedTimer timer;
    button("Command9")->click();
    timer.start();
    box->setPlainText(list);
    report("putting the list into the box (the paste)", milliseconds(timer));
    app.processEvents();

    timer.restart();
    button("Command12")->click();
    report("one arrange (横S正排(7*5))", milliseconds(timer));

    timer.restart();
    action("undo");
    report("undo of that arrange (Ctrl+Z)", milliseconds(timer));
    timer.restart();
    action("redo");
    report("redo of it (Ctrl+Y)", milliseconds(timer));

    timer.restart();
    button("Command5")->click();
    report("one rotation (旋转)", milliseconds(timer));

    constexpr int kRounds = 10000;
    timer.restart();
    for (int i = 0; i < kRounds; ++i)
        button("Command5")->click();
    report("one rotation, mean of 10000", milliseconds(timer) / kRounds);

    // For comparison: what reading the whole list out of the box would cost;
    // the arrange reads only the lines it can seat.
    box->setPlainText(list);
    timer.restart();
    const QString plain = box->toPlainText();
    report("reading the whole box as plain text", milliseconds(timer));
    return plain.size() == list.size() ? 0 : 1;
}
