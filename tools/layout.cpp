// Where each window has its controls, read off the real windows, so that the
// scripts that click them (the end-to-end tests, the installer's test under
// Wine, the screenshots) name a control by its caption or object name and
// never carry a copy of the layout. The build writes it to layout.tsv.
//
// One line for every named button, text box, line edit and label of both
// main windows, shown or hidden:
//   PROGRAM <TAB> objectName <TAB> caption <TAB> x <TAB> y <TAB> width <TAB> height
// in device-independent pixels from the top-left corner of the window's
// client area; a control inside a frame is given where the frame shows it.
//   layout [FILE]   (standard output without FILE)

#include "common/captionbutton.h"
#include "common/desktop.h"

#include "brasset/brassetwindow.h"
#include "quorlen/quorlenwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {
// The text a script can find the control by: a button's or label's caption
// on one line; a box's contents are no caption.
QString caption(const QWidget* widget) {
    QString text;
    if (const auto* button = qobject_cast<const common::CaptionButton*>(widget))
        text = button->caption();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        text = button->text();
    else if (const auto* label = qobject_cast<const QLabel*>(widget))
        text = label->text();
    return text.replace(QLatin1Char('\t'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

bool isControl(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QLabel*>(widget);
}

void write(QTextStream& out, const char* program, QWidget& window) {
    window.show(); // lays out the status bar
    QApplication::processEvents();
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || !isControl(widget))
            continue;
        const QPoint at = widget->mapTo(&window, QPoint(0, 0));
        out << program << '\t' << widget->objectName() << '\t' << caption(widget) << '\t' << at.x()
            << '\t' << at.y() << '\t' << widget->width() << '\t' << widget->height() << '\n';
    }
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Quorlen opens default.txt from the folder it starts in; an empty one
    // gives the window as a fresh start shows it.
    const QTemporaryDir empty;
    QDir::setCurrent(empty.path());
    QFile file;
    if (argc > 1) {
        file.setFileName(QString::fromLocal8Bit(argv[1]));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "layout: cannot write %s\n", argv[1]);
            return 1;
        }
    } else if (!file.open(stdout, QIODevice::WriteOnly)) {
        return 1;
    }
    QTextStream out(&file);
    common::QtDesktop desktop;
    quorlen::QuorlenWindow quorlen(desktop);
    write(out, "quorlen", quorlen);
    brasset::BrassetWindow brasset(desktop);
    write(out, "brasset", brasset);
    return 0;
}
