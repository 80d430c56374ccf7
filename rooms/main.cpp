#include "commandline.h"
#include "program.h"
#include "window.h"

#include <QGuiApplication>
#include <QTextStream>
#include <cstring>

namespace {
// The command line's own start: no window, so no display either.
int runCommandLine(int argc, char* argv[]) {
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
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
    return common::runProgram<brasset::Form1>(argc, argv);
}
