#include "desktop.h"
#include "window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    common::QtDesktop desktop;
    brasset::Form1 window(desktop);
    window.show();
    return app.exec();
}
