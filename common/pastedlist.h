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

// A text box hands its lines over joined by LF, whatever line ends were
// pasted into it; this gives them back as the CR LF list they came from.
QString textBoxList(const QString& plainText);

// The same for the first `keep` lines of a text box's document, read without
// copying out the rest of a list that may run to millions of lines: cut with
// the same `keep`, it gives the entries the whole text would.
QString textBoxList(const QTextDocument& box, qsizetype keep);

} // namespace common
