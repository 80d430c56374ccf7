#pragma once
// Every file the programs write replaces the older one only when it is whole.

#include <QByteArray>
#include <QString>

namespace common {

// Replaces the file at path with bytes, through a temporary file in the same
// folder, so that a failure leaves any older file whole; in a folder where
// no new file may be made, the file is written in place and, should that
// fail, put back. A file marked read-only is never replaced, whoever runs
// the program. Returns an empty string on success, otherwise the platform's
// description of the failure.
QString writeFileSafely(const QString& path, const QByteArray& bytes);

} // namespace common
