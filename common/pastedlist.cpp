#include "pastedlist.h"

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

QString textBoxList(const QString& plainText) {
    QString list = plainText;
    list.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    list.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return list;
}

} // namespace common
