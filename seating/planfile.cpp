#include "planfile.h"

#include "ansitext.h"
#include "listinput.h"

#include <QFile>
#include <QStringList>

namespace quorlen {

namespace {
bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

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

bool readPlanItems(const QString& path, int count, std::vector<QString>& items, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        items.clear();
        error = file.errorString();
        return false;
    }
    return readPlanItems(file, count, items, error);
}

bool readPlanItems(QIODevice& device, int count, std::vector<QString>& items, QString& error) {
    items.clear();
    items.reserve(count);
    ListInputReader reader(device);
    while (static_cast<int>(items.size()) < count && !reader.atEnd())
        items.push_back(reader.readItem());
    if (reader.failed()) {
        error = reader.errorString();
        items.clear();
        return false;
    }
    return true;
}

bool isEmptySeatMarker(const QString& item) {
    return item.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0;
}

void applyOpenedItems(SeatPlan& plan, const std::vector<QString>& items) {
    for (int seat = 0; seat < kSeats; ++seat) {
        const bool present = seat < static_cast<int>(items.size());
        plan[seat] = present && !isEmptySeatMarker(items[seat]) ? items[seat] : QString();
    }
}

void applyStartupItems(SeatPlan& plan, bool& podiumBack, const std::vector<QString>& items) {
    const int seats = qMin(kSeats, static_cast<int>(items.size()));
    for (int seat = 0; seat < seats; ++seat) {
        if (!isEmptySeatMarker(items[seat]))
            plan[seat] = items[seat];
    }
    if (static_cast<int>(items.size()) > kSeats &&
        items[kSeats].compare(QLatin1String("back"), Qt::CaseInsensitive) == 0)
        podiumBack = true;
}

} // namespace quorlen
