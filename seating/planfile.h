#pragma once
// The seat-plan file: lines 1 to 35 are the seats in seat-index order, "NULL"
// for an empty seat, then "back" when the podium stands at the back. GBK,
// every line ended by CR LF.

#include "seating/seatplan.h"

#include <QByteArray>
#include <QString>
#include <vector>

class QIODevice;

namespace quorlen {

inline const QString kDefaultPlanFile = QStringLiteral("default.txt");

// How a caption is written on its line. Bare, byte for byte, whenever it
// would be read back as itself; in double quotation marks (inner ones
// doubled) when it holds a comma or a line break, begins with a quotation
// mark, or begins or ends with a blank or tab.
QString planLine(const QString& caption);

QByteArray planFileBytes(const SeatPlan& plan, bool podiumBack);

// The first items of a plan file, or why it could not be read.
struct PlanItems {
    bool read = false;
    std::vector<QString> items;
    QString error; // the platform's words, when not read
};

// Reads at most `count` items of the file at path.
PlanItems readPlanItems(const QString& path, int count);
// The same from a device already open for reading.
PlanItems readPlanItems(QIODevice& device, int count);

// The plan "打开" shows: seat k takes item k; "NULL" (any case) and missing
// items are empty seats. A 36th item is never looked at.
SeatPlan openedPlan(const std::vector<QString>& items);

// The classroom Quorlen starts with from its saved plan: the seats as "打开"
// reads them, and the podium at the back when a 36th item is "back" (any
// case). The podium is at the front otherwise.
Classroom startupClassroom(const std::vector<QString>& items);

bool isEmptySeatMarker(const QString& item);

} // namespace quorlen
