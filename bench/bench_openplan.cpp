// Opens a seat-plan file of one huge line, as Open does, and prints how long
// it took and how much memory the process needed at most.
//   bench_openplan [megabytes]   (default 200)

#include "seating/planfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 200;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("oneline.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        const QByteArray chunk(1 << 20, 'x');
        for (int i = 0; i < megabytes; ++i)
            file.write(chunk);
    }
    QElapsedTimer timer;
    timer.start();
    const quorlen::PlanItems read = quorlen::readPlanItems(path, quorlen::kSeats);
    if (!read.read)
        return 1;
    const quorlen::SeatPlan plan = quorlen::openedPlan(read.items);
    const std::vector<QString>& items = read.items;
    const qint64 ms = timer.elapsed();
    long peakKb = 0;
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    peakKb = usage.ru_maxrss;
#endif
    std::printf("open of a %d MB one-line file: %lld ms, %zu items, peak memory %ld KB\n",
                megabytes, static_cast<long long>(ms), items.size(), peakKb);
    return 0;
}
