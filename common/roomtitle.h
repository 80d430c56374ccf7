#pragma once
// A room's title as both of Brasset's windows and every printout of an
// examination show it: "第3考场" for room 2, rooms counted from 0 here.

#include <QString>

namespace common {

inline QString roomTitle(int room) {
    return QStringLiteral("第%1考场").arg(room + 1);
}

} // namespace common
