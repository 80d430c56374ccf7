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

// Replaces the file at path with bytes, through a temporary file in the same
// folder, so that a failure leaves any older file whole; in a folder where
// no new file may be made, the file is written in place and, should that
// fail, put back. A file marked read-only is never replaced, whoever runs
// the program. Returns an empty string on success, otherwise the platform's
// description of the failure.
QString writeFileSafely(const QString& path, const QByteArray& bytes);

} // namespace common
