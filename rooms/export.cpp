#include "export.h"

#include "ansitext.h"
#include "rtf.h"

namespace brasset {

namespace {
const QString kTableOpening =
    QStringLiteral("<br><table  align=center border=1 cellpadding=10 cellspacing=0 width=90% "
                   "bordercolor=#000000 style='border-collapse: collapse'>");

void appendRoom(QStringList& lines, const RoomPlan& plan, int room) {
    lines << roomTitle(room) + kTableOpening;
    for (int row = 0; row < kRoomSide; ++row) {
        lines << QStringLiteral("<tr>");
        for (int column = 0; column < kRoomSide; ++column) {
            const QString& name = plan.captions[buttonIndex(room, roomSeat(column, row))];
            lines << QStringLiteral("<td>") + name + QStringLiteral("</td>");
        }
        lines << QStringLiteral("</tr>");
    }
    lines << QStringLiteral("</table><br><br>");
}
} // namespace

QStringList roomExportLines(const RoomPlan& plan) {
    QStringList lines;
    for (int room = 0; room < kRooms; ++room) {
        if (plan.visible[room])
            appendRoom(lines, plan, room);
    }
    return lines;
}

QByteArray roomExportBytes(const RoomPlan& plan) {
    return common::ansiLines(QStringList(common::kGbkDeclaration) + roomExportLines(plan));
}

} // namespace brasset
