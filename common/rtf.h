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

// Table documents are always written under a name ending in ".rtf": the last
// four characters are compared in lower case (a shorter name is compared
// whole) and ".rtf" is appended when they differ.
QString withRtfExtension(const QString& name);

} // namespace common
