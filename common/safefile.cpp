#include "common/safefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace common {

namespace {
// A file nobody may write to was marked read-only on purpose. An ordinary
// user cannot replace it anyway; the administrator could, and should not
// lose it by a slip either. The words are those Qt gives the ordinary user.
bool isMarkedReadOnly(const QString& path) {
    const QFileInfo info(path);
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isFile() && !(info.permissions() & anyWrite);
}

// Writes through a temporary file that replaces path when all is written, or
// straight into path when `inPlace`.
QString writeThrough(const QString& path, const QByteArray& bytes, bool inPlace) {
    // Unbuffered: a buffered file that meets a full disk only when it is
    // committed is committed cut short, and reported as written.
    QSaveFile file(path);
    file.setDirectWriteFallback(inPlace);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // A short write gives no reason; writing the rest again does.
    for (qint64 done = 0, wrote = 0; done < bytes.size(); done += wrote) {
        wrote = file.write(bytes.constData() + done, bytes.size() - done);
        if (wrote <= 0) {
            QString error = file.errorString();
            file.cancelWriting();
            return error;
        }
    }
    return file.commit() ? QString() : file.errorString();
}
} // namespace

QString writeFileSafely(const QString& path, const QByteArray& bytes) {
    if (isMarkedReadOnly(path))
        return QCoreApplication::translate("QSaveFile", "Existing file %1 is not writable")
            .arg(path);
    // A shared class folder may let a file be changed but no new one be made
    // there, so no new file can stand in for it: the file is written where it
    // is, and put back as it was if that fails.
    const QFileInfo info(path);
    const bool inPlace = info.isFile() && !QFileInfo(info.absolutePath()).isWritable();
    QByteArray older;
    if (QFile old(path); inPlace && old.open(QIODevice::ReadOnly))
        older = old.readAll();
    QString error = writeThrough(path, bytes, inPlace);
    if (QFile old(path); !error.isEmpty() && inPlace && old.open(QIODevice::WriteOnly))
        old.write(older);
    return error;
}

} // namespace common
