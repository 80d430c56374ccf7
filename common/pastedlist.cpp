#include "pastedlist.h"

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

QString textBoxList(const QString& plainText) {
    // Built in one pass: replacing a million line breaks in place moves the
    // rest of a 10 MB text each time the string grows.
    const auto isBreak = [](QChar c) { return c == u'\n' || c == QChar::ParagraphSeparator; };
    QString list;
    list.reserve(plainText.size() + std::count_if(plainText.begin(), plainText.end(), isBreak));
    auto start = plainText.begin();
    for (auto it = start; it != plainText.end(); ++it) {
        if (isBreak(*it)) {
            list.append(QStringView(start, it)).append(u"\r\n");
            start = it + 1;
        }
    }
    list.append(QStringView(start, plainText.end()));
    return list;
}

QString textBoxList(const QTextDocument& box, qsizetype keep) {
    const QTextBlock firstLeftOut = box.findBlockByNumber(
        static_cast<int>(std::min<qsizetype>(keep, std::numeric_limits<int>::max())));
    if (!firstLeftOut.isValid())
        return textBoxList(box.toPlainText());
    // Up to the start of the first line left out, so the break before it
    // stays and the last line kept is whole.
    QTextCursor lines(firstLeftOut);
    lines.setPosition(0, QTextCursor::KeepAnchor);
    return textBoxList(lines.selection().toPlainText());
}

} // namespace common
