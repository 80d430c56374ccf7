// A pasted list, from any text: the entries joined by CR LF give the text
// back, only CR LF cuts, keeping fewer entries changes none; and a text
// box's lines, as it shows them, come out as its entries, also when only the
// first are read.

#include "common/pastedlist.h"
#include "fuzz/fuzzcheck.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTextDocument>

using namespace common;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Text documents need the GUI side of Qt, though nothing is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_pastedlist";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

// The first byte sets how many entries to keep and whether the text goes
// through a text box.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const qsizetype keep = data[0] % 48;
    const QString text = QString::fromUtf8(fuzzBytes(data + 1, size - 1));
    if (data[0] & 0x80) {
        // The box's lines as Qt itself shows them in plain text (which also
        // turns its frame marks, never in a pasted list, into breaks).
        static QTextDocument box; // made once: making one costs more than a check
        box.setPlainText(text);
        const QString shown = box.toPlainText();
        if (text.contains(QChar(0xFDD0)) || text.contains(QChar(0xFDD1)))
            return 0;
        const PastedList all = boxLines(box, std::numeric_limits<qsizetype>::max());
        FUZZ_CHECK(QStringList(all.entries.begin(), all.entries.end()) ==
                   (box.isEmpty() ? QStringList() : shown.split(QChar(u'\n'))));
        const PastedList first = boxLines(box, keep);
        FUZZ_CHECK(qsizetype(first.entries.size()) == std::min(keep, all.count));
        FUZZ_CHECK(std::equal(first.entries.begin(), first.entries.end(), all.entries.begin()));
        return 0;
    }
    const PastedList all = cutPastedList(text);
    FUZZ_CHECK(all.count == qsizetype(all.entries.size()));
    FUZZ_CHECK(all.count == (text.isEmpty() ? 0 : text.count(QStringLiteral("\r\n")) + 1));
    FUZZ_CHECK(QStringList(all.entries.begin(), all.entries.end()).join("\r\n") == text);
    const PastedList first = cutPastedList(text, keep);
    FUZZ_CHECK(first.count == all.count &&
               qsizetype(first.entries.size()) == std::min(keep, all.count));
    FUZZ_CHECK(std::equal(first.entries.begin(), first.entries.end(), all.entries.begin()));
    return 0;
}
