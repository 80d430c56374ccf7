#pragma once
// Lists pasted into a text box (candidates, names) are cut into entries the
// same way in both programs.

#include <QString>
#include <QStringView>
#include <limits>
#include <vector>

class QTextDocument;

namespace common {

struct PastedList {
    // The first entries, at most as many as were asked for.
    std::vector<QString> entries;
    // How many entries the whole text holds.
    qsizetype count = 0;
};

// Cuts text at every CR LF pair. Nothing is trimmed, an empty line is an
// empty entry, a final CR LF adds one empty entry, a lone CR or LF stays
// inside its entry, and an empty text gives no entry at all. Only the first
// `keep` entries are copied, so a list of a million lines costs no more memory
// than the entries a caller can use.
PastedList cutPastedList(QStringView text, qsizetype keep = std::numeric_limits<qsizetype>::max());

// The lines a text box shows, as entries, the same in both programs: every
// line break the box shows cuts (a paragraph break, and the line separator
// that Shift+Enter types), a no-break space becomes a plain one (GBK has
// none), and nothing else changes. Only the lines in the first `keep`
// paragraphs are read out of the box, so a list of millions of lines costs
// no more than the entries a caller uses; the count then covers those lines
// and one more, empty, entry after them.
PastedList boxLines(const QTextDocument& box, qsizetype keep);

} // namespace common
