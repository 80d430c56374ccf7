#pragma once
// Drives a window of either program offscreen, as a person would, from a
// line of steps; a scripted desktop answers its dialogs and logs what it
// showed. The expected files live under tests/data, built into the tests.

#include "desktop.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QQueue>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

struct ScriptedDesktop final : common::Desktop {
    QQueue<QString> names; // the file dialogs' answers: "" cancels, "=" takes the name offered
    QQueue<bool> answers;  // the questions' answers
    QStringList log;       // "kind title text" of every box, dialog and document opened
    QString dialog(const QString& entry, const QString& offered) {
        log << entry + ' ' + offered;
        const QString name = names.isEmpty() ? QString() : names.dequeue();
        return name == "=" ? offered : name;
    }
    QString openFileName(QWidget*, const QString& t, const QString& f, const QString& n) override {
        return dialog("open " + t + ' ' + f, n);
    }
    QString saveFileName(QWidget*, const QString& t, const QString& f, const QString& n) override {
        return dialog("save " + t + ' ' + f, n);
    }
    void inform(QWidget*, const QString& text, const QString& t) override {
        log << "inform " + t + ' ' + text;
    }
    bool askYesNo(QWidget*, const QString& text, const QString& t) override {
        log << "ask " + t + ' ' + text;
        return !answers.isEmpty() && answers.dequeue();
    }
    void reportError(QWidget*, const QString& text, const QString& t) override {
        log << "error " + t + ' ' + text;
    }
    void openDocument(const QString& path) override { log << "opened " + path; }
    void openAddress(const QString& address) override { log << "browsed " + address; }
    // Prints to print.pdf, and its text as pdftotext reads it to print.txt.
    void printPreview(QWidget*, const std::function<void(QPrinter&)>& paint) override {
        log << "preview";
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName("print.pdf");
        printer.setPageSize(QPageSize(QPageSize::A4));
        paint(printer);
        QProcess::execute("pdftotext", {"-layout", "print.pdf", "print.txt"});
    }
    QString kinds() const { // the first word of every entry
        return QStringList(log).replaceInStrings(QRegularExpression("(?s) .*"), "").join(' ');
    }
};

inline QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<not there: " + path.toUtf8() + '>';
}

// A data file copied into the current folder, writable as a user's file is.
inline void copyData(const QString& name, const QString& to) {
    QFile::copy(":/data/" + name, to);
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
}

// Whether a written file holds the expected bytes; what it held instead is
// kept in the build's "actual" folder, to be looked at and copied over.
inline bool sameBytes(const QString& path, const QString& expected) {
    const QByteArray bytes = bytesOf(path);
    if (bytes == bytesOf(":/data/" + expected))
        return true;
    const QString keep = QCoreApplication::applicationDirPath() + "/actual/" + expected;
    QDir().mkpath(QFileInfo(keep).path());
    QFile actual(keep);
    return actual.open(QIODevice::WriteOnly) && actual.write(bytes) && false;
}

template <typename T = QWidget> T* child(QWidget& window, const QString& name) {
    T* widget = window.findChild<T*>(name);
    return widget ? widget : (qFatal("no widget named %s", qPrintable(name)), nullptr);
}

// Steps, separated by blanks: a number clicks that seat; a name clicks that
// button, which must be in view; "a~b" drags seat a onto seat b, "a~-" off
// the seats; "*name" triggers the window's action (as its shortcut does); "Box<file" pastes a data
// file over a text box's text; "Box=text" types over a line; ">name" answers the next file dialog
// with that name in the folder (a data file is copied in first; ">" cancels, ">=" takes the name
// offered); "+" and "-" answer the next question.
inline void run(QWidget& window, ScriptedDesktop& desktop, const QString& steps) {
    QStringList all; // "step×n" is the step n times
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts))
        all += QStringList(qMax(1, step.section(u'×', 1).toInt()), step.section(u'×', 0, 0));
    for (const QString& step : all) {
        QString name = step.mid(1);
        bool seat = false;
        const int index = step.toInt(&seat);
        if (step.startsWith('>')) {
            if (!name.isEmpty() && QFileInfo(":/data/" + name).isFile()) {
                copyData(name, QFileInfo(name).fileName());
                name = QFileInfo(name).fileName();
            }
            desktop.names.enqueue(name.isEmpty() || name == "=" ? name
                                                                : QDir::current().filePath(name));
        } else if (step.contains('~')) { // a drag from one seat onto another, or off them
            auto* from = child(window, "Command1_" + step.section('~', 0, 0));
            auto* to = window.findChild<QWidget*>("Command1_" + step.section('~', 1));
            const QPoint at = to ? from->mapFrom(&window, to->mapTo(&window, to->rect().center()))
                                 : QPoint(-from->x(), 1000);
            QTest::mousePress(from, Qt::LeftButton, {}, from->rect().center());
            QTest::mouseMove(from, at); // the seat under the pointer shows pressed
            QVERIFY(!to || to == from || static_cast<QAbstractButton*>(to)->isDown());
            QTest::mouseRelease(from, Qt::LeftButton, {}, at);
        } else if (step.startsWith('*')) {
            child<QAction>(window, name)->trigger();
        } else if (step == "+" || step == "-") {
            desktop.answers.enqueue(step == "+");
        } else if (step.contains('<')) {
            auto* box = child<QPlainTextEdit>(window, step.section('<', 0, 0));
            box->setFocus();
            box->selectAll();
            QGuiApplication::clipboard()->setText(
                QString::fromUtf8(bytesOf(":/data/" + step.section('<', 1))));
            box->paste();
        } else if (step.contains('=')) {
            child<QLineEdit>(window, step.section('=', 0, 0))->setText(step.section('=', 1));
        } else {
            auto* button =
                child<QAbstractButton>(window, seat ? "Command1_" + QString::number(index) : step);
            const QPoint centre = button->mapTo(&window, button->rect().center());
            QVERIFY2(button->isVisible() && window.childAt(centre) == button,
                     qPrintable(step + " is out of view"));
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
}

// A window shown in an empty folder of its own, with that saved plan ("/":
// a folder in its place).
template <typename Form> struct Shown {
    QTemporaryDir folder;
    QString old = QDir::currentPath();
    bool ready = QDir::setCurrent(folder.path());
    ScriptedDesktop desktop;
    std::unique_ptr<Form> window;
    explicit Shown(const QString& savedPlan = {}) {
        if (savedPlan == "/")
            QDir().mkdir("default.txt");
        else if (!savedPlan.isEmpty())
            copyData(savedPlan, "default.txt");
        window = std::make_unique<Form>(desktop);
        window->show();
    }
    ~Shown() { window.reset(), QDir::setCurrent(old); }
};
