#include "seating/planfile.h"

#include "common/ansitext.h"
#include "common/blank.h"
#include "seating/listinput.h"

#include <QFile>
#include <QStringList>

namespace quorlen {

namespace {
using common::isBlank;

bool needsQuotes(const QString& caption) {
    if (caption.isEmpty())
        return false;
    return caption.contains(QLatin1Char(',')) || caption.contains(QLatin1Char('\r')) ||
           caption.contains(QLatin1Char('\n')) || caption.front() == QLatin1Char('"') ||
           isBlank(caption.front()) || isBlank(caption.back());
}
} // namespace

QString planLine(const QString& caption) {
    if (caption.isEmpty())
        return QStringLiteral("NULL");
    if (!needsQuotes(caption))
        return caption;
    QString quoted = caption;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray planFileBytes(const SeatPlan& plan, bool podiumBack) {
    QStringList lines;
    lines.reserve(kSeats + 1);
    for (const QString& caption : plan)
        lines << planLine(caption);
    if (podiumBack)
        lines << QStringLiteral("back");
    return common::ansiLines(lines);
}

PlanItems readPlanItems(const QString& path, int count) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, {}, file.errorString()};
    return readPlanItems(file, count);
}

PlanItems readPlanItems(QIODevice& device, int count) {
    PlanItems read{true, {}, {}};
    read.items.reserve(count);
    ListInputReader reader(device);
    while (static_cast<int>(read.items.size()) < count && !reader.atEnd())
        read.items.push_back(reader.readItem());
    if (reader.failed())
        return {false, {}, reader.errorString()};
    return read;
}

bool isEmptySeatMarker(const QString& item) {
    return item.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0;
}

SeatPlan openedPlan(const std::vector<QString>& items) {
    SeatPlan plan;
    const int seats = qMin(kSeats, static_cast<int>(items.size()));
    for (int seat = 0; seat < seats; ++seat) {
        if (!isEmptySeatMarker(items[seat]))
            plan[seat] = items[seat];
    }
    return plan;
}

// At start every seat is empty, so a "NULL" that keeps a seat's caption and
// one that empties it come to the same.
Classroom startupClassroom(const std::vector<QString>& items) {
    const bool back = static_cast<int>(items.size()) > kSeats &&
                      items[kSeats].compare(QLatin1String("back"), Qt::CaseInsensitive) == 0;
    Classroom room;
    room.plan = openedPlan(items);
    room.podiumBack = back;
    return room;
}

} // namespace quorlen
