#include "desktop.h"
#include "widgets.h"
#include "window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    common::installChineseTranslations(&app);
    common::installWindowIcon();
    common::QtDesktop desktop;
    brasset::Form1 window(desktop);
    window.show();
    return app.exec();
}
