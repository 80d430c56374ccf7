#include "pastedlist.h"

#include <algorithm>

namespace common {

PastedList cutPastedList(QStringView text, qsizetype keep) {
    PastedList list;
    if (text.isEmpty())
        return list;
    static constexpr QStringView kBreak = u"\r\n";
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = text.indexOf(kBreak, start);
        const qsizetype stop = end < 0 ? text.size() : end;
        if (list.count < keep)
            list.entries.emplace_back(text.mid(start, stop - start).toString());
        ++list.count;
        if (end < 0)
            break;
        start = end + kBreak.size();
    }
    return list;
}

namespace {
bool isTextBoxBreak(QChar c) {
    return c == QLatin1Char('\n') || c == QChar::ParagraphSeparator;
}
} // namespace

QString textBoxList(const QString& plainText) {
    // Written in one pass into a string of the final size: a pasted list of
    // a million lines is turned round in milliseconds, where growing the
    // string at every break took half a second.
    const auto breaks = std::count_if(plainText.cbegin(), plainText.cend(), isTextBoxBreak);
    if (breaks == 0)
        return plainText;
    QString list(plainText.size() + breaks, Qt::Uninitialized);
    QChar* out = list.data();
    for (const QChar c : plainText) {
        if (isTextBoxBreak(c)) {
            *out++ = QLatin1Char('\r');
            *out++ = QLatin1Char('\n');
        } else {
            *out++ = c;
        }
    }
    return list;
}

} // namespace common
