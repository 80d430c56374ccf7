#include "rooms/roomexport.h"

#include "common/ansitext.h"
#include "common/rtf.h"

namespace brasset {

namespace {
const QString kTableOpening = QStringLiteral("<br>") + common::tableTag(QStringLiteral("#000000"));

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
