#include "seating/planexport.h"

#include "common/ansitext.h"
#include "common/rtf.h"

#include <QStringList>

namespace quorlen {

namespace {
// Every export opens its table with exactly this tag: the expected exports
// in tests/data hold these bytes, and tests/libreoffice checks that a word
// processor reads the table from them.
const QString kTableTag = common::tableTag(QStringLiteral("#CC99FF"));
} // namespace

QByteArray tableDocument(const SeatPlan& plan) {
    QStringList lines{common::kGbkDeclaration, kTableTag};
    for (int row = 0; row < kRows; ++row) {
        lines << QStringLiteral("<tr>");
        for (int column = 0; column < kColumns; ++column)
            lines << QStringLiteral("<td>") + plan[seatIndex(column, row)] +
                         QStringLiteral("</td>");
        lines << QStringLiteral("</tr>");
    }
    lines << QStringLiteral("</table>");
    return common::ansiLines(lines);
}

} // namespace quorlen
