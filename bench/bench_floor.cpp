// The floor of the start-up figures: the least a Qt Widgets program does to
// put a window on the screen, one main window holding one button, built with
// the same compiler, flags and Qt as the two programs.

#include <QApplication>
#include <QMainWindow>
#include <QPushButton>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setCentralWidget(new QPushButton(QStringLiteral("OK")));
    window.show();
    return app.exec();
}
