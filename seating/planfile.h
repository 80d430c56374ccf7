#pragma once
// The seat-plan file: lines 1 to 35 are the seats in seat-index order, "NULL"
// for an empty seat, then "back" when the podium stands at the back. GBK,
// every line ended by CR LF.

#include "seatplan.h"

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

// Reads at most `count` items of the file at path. Returns false with the
// platform's error text when the file cannot be opened or read.
bool readPlanItems(const QString& path, int count, std::vector<QString>& items, QString& error);
// The same from a device already open for reading.
bool readPlanItems(QIODevice& device, int count, std::vector<QString>& items, QString& error);

// Open: "NULL" (any case) and missing items empty their seats; a 36th item
// is never looked at.
void applyOpenedItems(SeatPlan& plan, const std::vector<QString>& items);

// The start-up load: "NULL" and missing items leave a seat as it is; a 36th
// item "back" (any case) puts the podium at the back.
void applyStartupItems(SeatPlan& plan, bool& podiumBack, const std::vector<QString>& items);

bool isEmptySeatMarker(const QString& item);

} // namespace quorlen
