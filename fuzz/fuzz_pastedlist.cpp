// Cutting a pasted list into entries, from any text: the entries joined by
// CR LF give the text back, only CR LF pairs cut, keeping fewer entries
// changes none of them, and the lines of a text box come out as the CR LF
// list they were pasted as, also when only the first lines are read.

#include "fuzzcheck.h"
#include "pastedlist.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTextDocument>

using common::cutPastedList;
using common::PastedList;
using common::textBoxList;

namespace {
void cutsOnlyAtCrLf(const QString& text, qsizetype keep) {
    const PastedList all = cutPastedList(text);
    FUZZ_CHECK(all.count == qsizetype(all.entries.size()));
    FUZZ_CHECK(all.count == (text.isEmpty() ? 0 : text.count(QStringLiteral("\r\n")) + 1));
    QStringList joined(all.entries.begin(), all.entries.end());
    FUZZ_CHECK(joined.join(QStringLiteral("\r\n")) == text);
    for (const QString& entry : all.entries)
        FUZZ_CHECK(!entry.contains(QStringLiteral("\r\n")));

    const PastedList first = cutPastedList(text, keep);
    FUZZ_CHECK(first.count == all.count);
    FUZZ_CHECK(qsizetype(first.entries.size()) == std::min(keep, all.count));
    FUZZ_CHECK(std::equal(first.entries.begin(), first.entries.end(), all.entries.begin()));
}

bool isBreak(QChar c) {
    return c == u'\n' || c == QChar::ParagraphSeparator;
}

void textBoxLinesBecomeEntries(const QString& plainText) {
    const PastedList list = cutPastedList(textBoxList(plainText));
    QStringList lines;
    QString line;
    for (QChar c : plainText) {
        if (isBreak(c))
            lines << std::exchange(line, QString());
        else
            line += c;
    }
    lines << line;
    if (plainText.isEmpty())
        lines.clear();
    FUZZ_CHECK(QStringList(list.entries.begin(), list.entries.end()) == lines);
}

void firstLinesOfABox(const QString& text, qsizetype keep) {
    QTextDocument box;
    box.setPlainText(text);
    const PastedList whole = cutPastedList(textBoxList(box.toPlainText()), keep);
    const PastedList first = cutPastedList(textBoxList(box, keep), keep);
    FUZZ_CHECK(first.entries == whole.entries);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Text documents need the GUI side of Qt, though nothing is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_pastedlist";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const qsizetype keep = data[0] % 48;
    const QString text = QString::fromUtf8(fuzzBytes(data + 1, size - 1));
    cutsOnlyAtCrLf(text, keep);
    textBoxLinesBecomeEntries(text);
    firstLinesOfABox(text, keep);
    return 0;
}
