#include "common/program.h"

#include <QAction>
#include <QDir>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QPixmap>
#include <QTranslator>
#include <QWidget>

namespace common {

void installChineseTranslations(QObject* application) {
    // The catalogue built into the program first: Windows has no Qt
    // translations installed beside it.
    auto* translator = new QTranslator(application);
    if (translator->load(QStringLiteral(":/translations/qtbase_zh_CN.qm")) ||
        translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

QAction* addWindowAction(QWidget* window, const char* name, const QString& text,
                         const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    window->addAction(action);
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

void installWindowIcon() {
    QIcon icon;
    const QDir images(QStringLiteral(":/icon"));
    for (const QString& name : images.entryList(QDir::Files)) {
        // Read as the PNG it is: left to guess, Qt would load every image
        // format plugin first, which costs half a megabyte at start.
        QImageReader png(images.filePath(name), "png");
        png.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(png.read()));
    }
    QApplication::setWindowIcon(icon);
}

} // namespace common
