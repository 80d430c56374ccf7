#include "common/pastedlist.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <algorithm>

namespace common {

PastedList cutPastedList(QStringView text, qsizetype keep) {
    PastedList list;
    if (text.isEmpty())
        return list;
    static constexpr QStringView kBreak = u"\r\n";
    list.entries.reserve(std::min<qsizetype>(keep, 64));
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
// The box's raw text as a pasted list: its breaks become CR LF, built in one
// pass, since replacing a million breaks in place moves the rest of a 10 MB
// text each time.
QString pastedForm(const QString& raw) {
    const auto isBreak = [](QChar c) {
        return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n';
    };
    QString list;
    list.reserve(raw.size() + std::count_if(raw.begin(), raw.end(), isBreak));
    for (QChar c : raw) {
        if (isBreak(c))
            list.append(u"\r\n");
        else
            list.append(c == QChar::Nbsp ? QChar(u' ') : c);
    }
    return list;
}
} // namespace

PastedList boxLines(const QTextDocument& box, qsizetype keep) {
    const QTextBlock firstLeftOut = box.findBlockByNumber(
        static_cast<int>(std::min<qsizetype>(keep, std::numeric_limits<int>::max())));
    // Up to the start of the first paragraph left out, so the break before
    // it stays and the last line kept is whole.
    QTextCursor lines(firstLeftOut);
    lines.setPosition(0, QTextCursor::KeepAnchor);
    const QString raw = firstLeftOut.isValid() ? lines.selection().toRawText() : box.toRawText();
    return cutPastedList(pastedForm(raw), keep);
}

} // namespace common
