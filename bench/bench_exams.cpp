// Seating a whole grade with classmates kept apart: a school of 3,000
// candidates in 60 classes over 100 rooms of 6 x 5, and a grade of 600 in
// 12 classes, 30 a room; each side by side only and with diagonals too;
// and the school in two classes.
// Each seating is timed three times and the fastest counts: the same work
// each time, the slower runs measure only waits on a shared machine.
//   bench_exams

#include "exams/arrange.h"

#include <QElapsedTimer>
#include <cstdio>
#include <limits>

namespace {

exams::CandidateList grade(int candidates, int classes) {
    exams::CandidateList list;
    for (int i = 0; i < candidates; ++i) {
        // Listed class by class, as a school's list comes.
        const int cls = i * classes / candidates;
        list.candidates.push_back({QStringLiteral("考生%1").arg(i + 1),
                                   QStringLiteral("%1班").arg(cls + 1),
                                   QString::number(i + 1),
                                   {},
                                   {},
                                   i + 2});
    }
    return list;
}

void run(int candidates, int classes, bool diagonal) {
    const exams::CandidateList list = grade(candidates, classes);
    exams::Settings settings;
    settings.order = exams::Order::Mixed;
    settings.diagonal = diagonal;
    settings.seed = 2024;
    exams::Arrangement result;
    qint64 ns = std::numeric_limits<qint64>::max();
    for (int time = 0; time < 3; ++time) {
        QElapsedTimer timer;
        timer.start();
        result = exams::arrange(list, settings);
        ns = std::min(ns, timer.nsecsElapsed());
    }
    std::printf("%d candidates, %d classes, %s: %.1f ms, %zu rooms, %d adjacent classmates\n",
                candidates, classes, diagonal ? "diagonals too" : "side by side", double(ns) / 1e6,
                result.seating.rooms.size(), result.adjacentPairs);
}

} // namespace

int main() {
    for (const bool diagonal : {false, true}) {
        run(3000, 60, diagonal);
        run(600, 12, diagonal);
        // Two classes: a checkerboard in every room side by side; with
        // diagonals they cannot be kept apart, the slowest case there is.
        run(3000, 2, diagonal);
    }
    return 0;
}
