#include "common/ansitext.h"

#include <algorithm>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

namespace common {

#ifdef Q_OS_WIN
// Qt for Windows is built without ICU and converts only the system code page,
// so GBK goes through the Win32 code-page API by number. Where that API and
// the ICU converter used elsewhere part ways, this side does what ICU does,
// so that a plan or export written on either system has the same bytes and
// reads back the same on both.
namespace {
constexpr UINT kGbk = 936;

// Unicode's invisible format characters (soft hyphen, zero-width space,
// byte-order mark, variation selectors...). GBK has none of them, and ICU
// leaves them out instead of writing "?"; a name copied from a web page or
// a word processor often carries one.
bool isDroppedFormatCharacter(char32_t c) {
    return c == 0xAD || c == 0x34F || c == 0x61C || (c >= 0x115F && c <= 0x1160) ||
           (c >= 0x17B4 && c <= 0x17B5) || (c >= 0x180B && c <= 0x180F) ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x206F) || c == 0x3164 || (c >= 0xFE00 && c <= 0xFE0F) ||
           c == 0xFEFF || c == 0xFFA0 || (c >= 0xFFF0 && c <= 0xFFF8) ||
           (c >= 0x1BCA0 && c <= 0x1BCA3) || (c >= 0x1D173 && c <= 0x1D17A) ||
           (c >= 0xE0000 && c <= 0xE0FFF);
}

// A GBK lead byte, and the bytes that may follow it.
bool isLeadByte(uchar b) {
    return b >= 0x81 && b <= 0xFE;
}
bool isTrailByte(uchar b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

void appendDecoded(QString& text, QByteArrayView bytes) {
    if (bytes.isEmpty())
        return;
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(kGbk, 0, bytes.data(), length, nullptr, 0);
    const qsizetype at = text.size();
    text.resize(at + size);
    MultiByteToWideChar(kGbk, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data() + at),
                        size);
}

QByteArray encode(QStringView text) {
    // Windows writes one "?" for each half of a surrogate pair and puts a
    // look-alike in place of some characters GBK lacks ("a" for "ä"); ICU
    // writes one "?" for every character GBK lacks. So characters outside
    // the basic plane (and lone halves) become "?" here, and look-alikes are
    // turned off.
    QString basic;
    basic.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        char32_t point = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            point = QChar::surrogateToUcs4(c, text[++i]);
        if (isDroppedFormatCharacter(point))
            continue;
        basic += point > 0xFFFF || c.isSurrogate() ? QChar(u'?') : c;
    }
    if (basic.isEmpty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(basic.utf16());
    const int length = static_cast<int>(basic.size());
    const int size =
        WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, "?", nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), size, "?", nullptr);
    return bytes;
}

QString decode(QByteArrayView bytes) {
    // Windows turns a lead byte without a proper trail byte into "?" and
    // swallows the byte after it; ICU gives U+FFFD for the lead byte alone
    // and reads the next byte as what it is. Runs of well-formed bytes go to
    // Windows whole.
    QString text;
    text.reserve(bytes.size());
    qsizetype run = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<uchar>(bytes[i]);
        if (!isLeadByte(b)) {
            ++i;
        } else if (i + 1 < bytes.size() && isTrailByte(static_cast<uchar>(bytes[i + 1]))) {
            i += 2;
        } else {
            appendDecoded(text, bytes.sliced(run, i - run));
            text += QChar::ReplacementCharacter;
            run = ++i;
        }
    }
    appendDecoded(text, bytes.sliced(run));
    return text;
}
} // namespace
#else
namespace {
// One converter each way, kept: opening one looks its name up among all of
// ICU's, which takes longer than converting a plan's 35 captions.
QByteArray encode(QStringView text) {
    // The converter holds back a first surrogate half at the end, waiting
    // for the second; a NUL after the text ends that wait, so a lone half
    // becomes "?" like any other character GBK lacks.
    static thread_local QStringEncoder encoder("GBK");
    encoder.resetState();
    QByteArray bytes = encoder.encode(text);
    if (!text.isEmpty() && text.back().isHighSurrogate()) {
        bytes += encoder.encode(QStringView(u"", 1));
        bytes.chop(1);
    }
    return bytes;
}

QString decode(QByteArrayView bytes) {
    // The converter holds back a lead byte cut off at the end of the input,
    // waiting for more; a NUL byte after the input ends that wait, so such a
    // byte turns into a replacement character like any other invalid one.
    static thread_local QStringDecoder decoder("GBK");
    decoder.resetState();
    QString text = decoder.decode(bytes);
    // Only a byte from 0x80 up can be such a lead byte.
    if (!bytes.isEmpty() && uchar(bytes.back()) >= 0x80) {
        text += decoder.decode(QByteArrayView("", 1));
        text.chop(1);
    }
    return text;
}
} // namespace
#endif

// ASCII is the same in GBK, and most of a file is ASCII ("NULL", numbers,
// the table tags), so it is copied instead of converted.
QByteArray toAnsi(QStringView text) {
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    return ascii ? text.toLatin1() : encode(text);
}

QString fromAnsi(QByteArrayView bytes) {
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    return ascii ? QString::fromLatin1(bytes) : decode(bytes);
}

QByteArray ansiLines(const QStringList& lines) {
    // Converted in one piece: each conversion costs more than a line's text.
    return lines.isEmpty() ? QByteArray()
                           : toAnsi(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

} // namespace common
