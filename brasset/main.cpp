#include "brasset/brassetwindow.h"
#include "brasset/commandline.h"
#include "common/program.h"

#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

namespace {
// The command line's own start: no window, so no display either.
int runCommandLine(int argc, char* argv[]) {
    // It shows no window, so it needs no display, whatever the session has;
    // on Windows the platform built into the program, whatever is set.
#ifdef Q_OS_WIN
    qputenv("QT_QPA_PLATFORM", "windows");
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // A script reads what the command says; Qt's notes on the platform
    // (no runtime folder, the offscreen platform's limits) are no news there.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
    QGuiApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    // The console's own code page: GBK on a Chinese Windows, UTF-8 elsewhere.
    out.setEncoding(QStringConverter::System);
    err.setEncoding(QStringConverter::System);
    return exams::runCommandLine(QCoreApplication::arguments().mid(1), out, err);
}
} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (exams::wantsCommandLine(arguments))
        return runCommandLine(argc, argv);
    return common::runProgram<brasset::BrassetWindow>(argc, argv);
}
