#pragma once

#include <QString>

namespace common {

// Table documents are always written under a name ending in ".rtf": the last
// four characters are compared in lower case (a shorter name is compared
// whole) and ".rtf" is appended when they differ.
QString withRtfExtension(const QString& name);

// The first line of every table document: without it a word processor on a
// system whose code page is not 936 reads the GBK names as garbage.
inline const QString kGbkDeclaration =
    QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">");

// File-dialog filters are kept in the "description|pattern|..." form the
// programs have always used; this turns one into the form QFileDialog takes.
QString qtFileFilter(const QString& barFilter);

} // namespace common
