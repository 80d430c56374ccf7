#include "common/tabledocument.h"

#include "common/safefile.h"

namespace common {

void exportTableDocument(Desktop& desktop, CommonDialog& dialog, QWidget* parent,
                         const QByteArray& document, const ExportFailure& failure) {
    const QString chosen = dialog.showSave(desktop, parent, QStringLiteral("保存"),
                                           QStringLiteral("RTF文件(*.rtf)|*.rtf"));
    if (chosen.isEmpty())
        return;
    const QString path = withRtfExtension(chosen);
    if (const QString error = writeFileSafely(path, document); !error.isEmpty()) {
        reportFileError(desktop, parent, {failure.text, path, error}, failure.title);
        return;
    }
    if (desktop.askYesNo(parent, QStringLiteral("保存完成，是否立即打开查看？"),
                         QStringLiteral("保存完成")))
        desktop.openDocument(path);
}

} // namespace common
