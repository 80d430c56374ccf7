#pragma once
// The table document "另存为" writes: the seat plan as one HTML table of 7 rows
// by 5 cells, laid out as the seats stand on screen. It carries the ".rtf"
// extension so that a double-click opens it in the word processor, which
// reads the HTML table and shows it as a table.

#include "seating/seatplan.h"

#include <QByteArray>

namespace quorlen {

// The 52 lines of the document, GBK, each ended by CR LF: the line declaring
// the encoding, the table tag, then per row "<tr>", one "<td>caption</td>"
// per column from left to right and "</tr>", then "</table>". Captions go in
// exactly as they are; the podium is not part of the document.
QByteArray tableDocument(const SeatPlan& plan);

} // namespace quorlen
