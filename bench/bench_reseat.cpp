// The random seating over generated classrooms of up to 20 rules each, half
// of them sets that can all be kept: the slowest seating, the mean, and how
// often the rules were all kept where they could be. Each seating is timed
// three times, and the fastest of the three counts: it does the same work
// each time, and on a machine shared with other work the slower ones only
// measure the waits for the processor. The slowest single time is printed too.
//   bench_reseat [sets]   (default 10000)

#include "seating/reseat.h"
#include "tests/rulesets.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <limits>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int sets = argc > 1 ? std::atoi(argv[1]) : 10000;
    std::mt19937 random(2024);
    qint64 slowest = 0, slowestSingle = 0, total = 0;
    int keepable = 0, kept = 0, brokenLeft = 0;
    for (int set = 0; set < sets; ++set) {
        const bool canKeep = set % 2;
        const quorlen::Classroom room = randomClassroom(random, canKeep);
        const auto seed = std::uint32_t(random());
        quorlen::Reseating result;
        qint64 ns = std::numeric_limits<qint64>::max();
        for (int time = 0; time < 3; ++time) {
            QElapsedTimer timer;
            timer.start();
            result = quorlen::reseat(room, seed);
            ns = std::min(ns, timer.nsecsElapsed());
            slowestSingle = std::max(slowestSingle, timer.nsecsElapsed());
        }
        slowest = std::max(slowest, ns);
        total += ns;
        keepable += canKeep;
        kept += canKeep && result.broken.empty();
        brokenLeft += int(result.broken.size());
    }
    std::printf("random seating of %d rule sets: slowest %.2f ms (slowest single run %.2f ms), "
                "mean %.3f ms; %d of %d keepable sets kept in full; %d rules left broken in all\n",
                sets, double(slowest) / 1e6, double(slowestSingle) / 1e6,
                double(total) / 1e6 / sets, kept, keepable, brokenLeft);
    return 0;
}
