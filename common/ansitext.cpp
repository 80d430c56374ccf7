#include "ansitext.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

namespace common {

#ifdef Q_OS_WIN
// Qt for Windows is built without ICU and converts only the system code page,
// so GBK goes through the Win32 code-page API by number; the bytes are the
// same as those of the ICU converter used elsewhere.
namespace {
constexpr UINT kGbk = 936;
}

QByteArray toAnsi(QStringView text) {
    if (text.isEmpty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(kGbk, 0, wide, length, nullptr, 0, "?", nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(kGbk, 0, wide, length, bytes.data(), size, "?", nullptr);
    return bytes;
}

QString fromAnsi(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(kGbk, 0, bytes.data(), length, nullptr, 0);
    QString text(size, Qt::Uninitialized);
    MultiByteToWideChar(kGbk, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()),
                        size);
    return text;
}
#else
QByteArray toAnsi(QStringView text) {
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString fromAnsi(QByteArrayView bytes) {
    // The converter holds back a lead byte cut off at the end of the input,
    // waiting for more; a NUL byte after the input ends that wait, so such a
    // byte turns into a replacement character like any other invalid one.
    QStringDecoder decoder("GBK");
    QString text = decoder.decode(bytes);
    text += decoder.decode(QByteArrayView("", 1));
    text.chop(1);
    return text;
}
#endif

QByteArray ansiLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toAnsi(line);
        bytes += "\r\n";
    }
    return bytes;
}

namespace {
// A file nobody may write to was marked read-only on purpose. An ordinary
// user cannot replace it anyway; the administrator could, and should not
// lose it by a slip either. The words are those Qt gives the ordinary user.
bool isMarkedReadOnly(const QString& path) {
    const QFileInfo info(path);
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isFile() && !(info.permissions() & anyWrite);
}
} // namespace

QString writeFileSafely(const QString& path, const QByteArray& bytes) {
    if (isMarkedReadOnly(path))
        return QCoreApplication::translate("QSaveFile", "Existing file %1 is not writable")
            .arg(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace common
