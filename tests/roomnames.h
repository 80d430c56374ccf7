#pragma once
// Name lists and room pictures shared by Brasset's tests.

#include "roomplan.h"

#include <QString>
#include <QStringList>

// "N1\r\nN2\r\n...Nn", as pasted, with no line break after the last name.
inline QString numberedNames(int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QStringLiteral("N%1").arg(i);
    return names.join(QStringLiteral("\r\n"));
}

// One room as it is seen, rows top first, seats left first, separated by
// blanks: "N31" shows as "31", an empty seat as "." and any other name as
// it is.
inline QStringList roomPicture(const brasset::RoomPlan& plan, int room) {
    QStringList rows;
    for (int row = 0; row < brasset::kRoomSide; ++row) {
        QStringList seats;
        for (int column = 0; column < brasset::kRoomSide; ++column) {
            QString name =
                plan.captions[brasset::buttonIndex(room, brasset::roomSeat(column, row))];
            if (name.isEmpty())
                name = QStringLiteral(".");
            else if (name.startsWith(QLatin1Char('N')))
                name.remove(0, 1);
            seats << name;
        }
        rows << seats.join(QLatin1Char(' '));
    }
    return rows;
}

inline const QStringList kEmptyRoom(brasset::kRoomSide, QStringLiteral(". . . . . ."));
