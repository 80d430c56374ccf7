#pragma once
// The table documents both programs export: HTML tables in GBK, in a file
// named ".rtf" so that a double-click opens it in the word processor.

#include "desktop.h"

#include <QByteArray>
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

// What a failed export tells the user: the first line, and the box's title.
struct ExportFailure {
    QString text;
    QString title;
};

// "另存为" and "导出": the save dialog, the document written under the chosen
// name with ".rtf", and the offer to open it. A cancelled dialog does
// nothing; a failed write is told, and nothing is offered.
void exportTableDocument(Desktop& desktop, CommonDialog& dialog, QWidget* parent,
                         const QByteArray& document, const ExportFailure& failure);

} // namespace common
