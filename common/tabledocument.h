#pragma once
// The table documents both programs export: HTML tables in GBK, in a file
// named ".rtf" so that a double-click opens it in the word processor. Their
// bytes need no window: see rtf.h.

#include "common/desktop.h"
#include "common/rtf.h"

#include <QByteArray>
#include <QString>

namespace common {

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
