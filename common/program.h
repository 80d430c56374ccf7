#pragma once
// What both programs do to start, and what their main windows share: the
// window actions of the context menu.

#include "common/desktop.h"

#include <QApplication>
#include <QKeySequence>
#include <QList>

class QAction;

namespace common {

// The programs speak Chinese, so Qt's own dialogs and buttons (the file
// dialog, Yes/No, OK) do too, whatever the desktop's language is; without
// the translation files they stay in English.
void installChineseTranslations(QObject* application);

// The program's own icon on every window it opens, for the title bar and the
// taskbar: the images its build drew from its SVG (":/icon/SIZE.png").
void installWindowIcon();

// Starts the program with its one main window on the real desktop.
template <typename MainWindow> int runProgram(int argc, char* argv[]) {
    QApplication app(argc, argv);
    installChineseTranslations(&app);
    installWindowIcon();
    QtDesktop desktop;
    MainWindow window(desktop);
    window.show();
    return QApplication::exec();
}

// An action of the window, reached by its shortcuts and from the window's
// context menu, which shows them; the window keeps its layout.
QAction* addWindowAction(QWidget* window, const char* name, const QString& text,
                         const QList<QKeySequence>& keys);

} // namespace common
