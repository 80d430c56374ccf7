#pragma once
// The room export: a document with one titled, bordered 6 x 6 HTML table per
// room in use, which the teachers open in their word processor. It is named
// ".rtf" so that it opens there, though it holds HTML.

#include "rooms/roomplan.h"

#include <QByteArray>
#include <QStringList>

namespace brasset {

// The lines of the document: for every room in use, in room order, its title
// with the opening table tag, then six rows top first, each "<tr>", six cells
// left first and "</tr>", then the closing line; 50 lines a room. Names are
// written exactly as they read, without escaping. No room in use gives no
// line at all.
QStringList roomExportLines(const RoomPlan& plan);

// The file bytes: the line declaring the encoding, then those lines; GBK,
// every line ended by CR LF.
QByteArray roomExportBytes(const RoomPlan& plan);

} // namespace brasset
