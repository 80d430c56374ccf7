#pragma once
// The files both programs read and write are in the Chinese Windows ANSI code
// page (GBK, code page 936), whatever the locale of the machine running them.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace common {

// Encodes text as GBK; a character GBK lacks becomes "?".
QByteArray toAnsi(QStringView text);

// Decodes GBK bytes; a byte sequence that is not GBK becomes U+FFFD.
QString fromAnsi(QByteArrayView bytes);

// The bytes of a text file: every line in GBK followed by CR LF, the last one
// too, and no byte-order mark.
QByteArray ansiLines(const QStringList& lines);

} // namespace common
