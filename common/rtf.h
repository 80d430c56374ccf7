#pragma once
// What every table document is made of, without a window: the line that
// declares its encoding and the ".rtf" name rule. The export flow around
// them (dialog, write, "open it now?") is in tabledocument.h.

#include <QString>

namespace common {

// The first line of every table document: without it a word processor on a
// system whose code page is not 936 reads the GBK names as garbage.
inline const QString kGbkDeclaration =
    QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">");

// The tag that opens every table of a table document, blanks and all: the
// expected exports in tests/data hold these bytes, and word processors lay
// the table out from its attributes. Only the border's colour differs:
// Quorlen's "#CC99FF", Brasset's "#000000".
inline QString tableTag(const QString& borderColour) {
    return QStringLiteral("<table  align=center border=1 cellpadding=10 cellspacing=0 width=90% "
                          "bordercolor=%1 style='border-collapse: collapse'>")
        .arg(borderColour);
}

// Table documents are always written under a name ending in ".rtf": the last
// four characters are compared in lower case (a shorter name is compared
// whole) and ".rtf" is appended when they differ.
QString withRtfExtension(const QString& name);

} // namespace common
