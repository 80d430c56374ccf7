#pragma once
// Drives a window of either program offscreen, as a teacher would, from a
// line of steps; a scripted desktop answers its dialogs and logs what it
// showed. Data files (saved plans, pasted lists, expected files) are under
// tests/data/quorlen/ and tests/data/brasset/, built in as ":/data/...".
//
// Steps, separated by blanks; a step that cannot be taken fails its row alone:
//   保存  横S正排(7*5)  横排     click the button with that caption; it must be in view
//   r3c2                     click the seat in row 3, column 2, counted from 1 as the screen
//                            shows them: row 1 at the top (the front), column 1 on the left
//   room2:r3c2               that seat in Brasset's second room
//   r1c2~r3c3  r1c2~off      drag a seat onto another seat, or off the seats
//   undo  redo  print        the window's action, as its shortcut triggers it
//   paste:list36.txt         paste that data file over the list box's text
//   per-room:20              type over Brasset's 每考场人数 box
//   file:plan.doc            the next file dialog answers that name in the window's folder
//                            (a data file of that name is copied there first)
//   cancel  offered          the next file dialog is cancelled, or takes the name it offers
//   yes  no                  the answer to the next question
//   key:Escape               press that key where the window's focus is
//   default.txt=swaps.txt    the file written holds exactly the bytes of that data file
//   undo×5                   the step five times

#include "common/ansitext.h"
#include "common/desktop.h"
#include "tests/casetable.h"

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
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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
    void inform(QWidget*, const QString& s, const QString& t) override {
        log << "inform " + t + ' ' + s;
    }
    bool askYesNo(QWidget*, const QString& s, const QString& t) override {
        log << "ask " + t + ' ' + s;
        return !answers.isEmpty() && answers.dequeue();
    }
    void reportError(QWidget*, const QString& s, const QString& t) override {
        log << "error " + t + ' ' + s;
    }
    QQueue<QString> texts; // the answers to a line of text asked for; none takes the offered
    std::optional<QString> askText(QWidget*, const QString&, const QString&,
                                   const QString& offered) override {
        return texts.isEmpty() ? offered : texts.dequeue();
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
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A seat-plan file's lines as the window shows them: row 1 at the top, and
// the podium at the front (above) or, after a line "back", at the back (below).
inline QString planGrid(const QStringList& lines) {
    QString grid;
    for (int seat = 0; seat < 35; ++seat) { // row by row; a Chinese character is two places wide
        const QString cell = lines.value(7 * (seat % 5) + seat / 5);
        const auto wide =
            std::count_if(cell.begin(), cell.end(), [](QChar c) { return c >= u'⺀'; });
        grid += (seat % 5 ? "" : "\n    ") + cell + QString(qMax(1, 12 - cell.size() - wide), ' ');
    }
    const QString podium = "\n                    [讲台]";
    return lines.value(35).startsWith("back") ? grid + podium : podium + grid;
}

// Fails unless the file at path holds the expected bytes, showing the first
// line that differs, decoded (GBK, but pdftotext's print.txt is UTF-8), and a
// saved plan both ways as the window shows it. What the file held is kept in
// the build's "actual" folder under the expected file's name, to be looked
// at and, if right, copied over.
inline void compareFile(const QString& path, const QByteArray& expected, const QString& name) {
    const QByteArray bytes = bytesOf(path);
    if (bytes == expected && QFileInfo(path).isFile())
        return;
    const QString keep = QCoreApplication::applicationDirPath() + "/actual/" + name;
    QDir().mkpath(QFileInfo(keep).path());
    QFile actual(keep);
    QVERIFY(actual.open(QIODevice::WriteOnly) && actual.write(bytes) == bytes.size());
    const auto lines = [&](const QByteArray& b) {
        return path == "print.txt" ? QString::fromUtf8(b).split('\n')
                                   : common::fromAnsi(b).split("\r\n");
    };
    const QStringList want = lines(expected),
                      got = lines(QFileInfo(path).isFile() ? bytes : "(no file)");
    qsizetype line = 0;
    while (line < want.size() && line < got.size() && want[line] == got[line])
        ++line;
    QString why = QString("%1 differs from %2 at line %3:\n  expected: \"%4\"\n  actual:   \"%5\"")
                      .arg(path, name, QString::number(line + 1), want.value(line, "(end)"),
                           got.value(line, "(end)"));
    if (path == "default.txt")
        why += "\nexpected plan:" + planGrid(want) + "\nactual plan:" + planGrid(got);
    QFAIL(qPrintable(why + "\nwhat was written is in " + keep));
}

// A data file copied into the current folder, writable as a user's file is.
inline void copyData(const QString& data, const QString& to) {
    QFile::copy(data, to);
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
}

// Takes steps (see the top of this file) in a window whose data files are
// under data, e.g. ":/data/quorlen/"; expected files a test makes itself are
// in made, by name.
struct Driver {
    ScriptedDesktop desktop;
    QWidget* window = nullptr;
    QString data;
    QHash<QString, QByteArray> made;
    // Steps a test adds to these: returns whether it took the step.
    std::function<bool(const QString&)> more;

    // Stops at the first step that fails; returns whether every step was taken.
    bool run(const QString& steps) {
        static const QRegularExpression repeated("^(.+)×(\\d+)$");
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch times = repeated.match(step);
            for (int time = 0; time < (times.hasMatch() ? times.captured(2).toInt() : 1); ++time) {
                take(times.hasMatch() ? times.captured(1) : step);
                if (QTest::currentTestFailed())
                    return false;
            }
        }
        return true;
    }

    QAbstractButton* seat(const QString& place) const {
        static const QRegularExpression at(R"(^(?:room(\d):)?r(\d)c(\d)$)");
        const QRegularExpressionMatch m = at.match(place);
        const int room = m.captured(1).toInt(), row = m.captured(2).toInt() - 1,
                  column = m.captured(3).toInt() - 1;
        const QString name = room ? QString("student_%1").arg(36 * (room - 1) + 6 * column + row)
                                  : QString("Command1_%1").arg(7 * column + row);
        return m.hasMatch() ? window->findChild<QAbstractButton*>(name) : nullptr;
    }

    // The seat a step names, or else the one button with that caption.
    QAbstractButton* button(const QString& step) const {
        QList<QAbstractButton*> found = window->findChildren<QAbstractButton*>();
        found.removeIf([&](QAbstractButton* b) { return b->text() != step; });
        if (seat(step))
            return seat(step);
        return found.size() == 1 ? found[0] : nullptr;
    }

    void take(const QString& step) {
        if (more && more(step))
            return;
        const QString value = step.section(':', 1);
        auto* list = window->findChild<QPlainTextEdit*>();
        auto* perRoom = window->findChild<QLineEdit*>("Text2");
        if (step == "yes" || step == "no") {
            desktop.answers.enqueue(step == "yes");
        } else if (step == "cancel" || step == "offered") {
            desktop.names.enqueue(step == "cancel" ? "" : "=");
        } else if (step.startsWith("file:")) {
            if (QFileInfo(data + value).isFile())
                copyData(data + value, value);
            desktop.names.enqueue(QDir::current().filePath(value));
        } else if (step.startsWith("paste:")) {
            QVERIFY2(list && QFileInfo(data + value).isFile(), qPrintable("no " + data + value));
            list->setFocus();
            list->selectAll();
            QGuiApplication::clipboard()->setText(QString::fromUtf8(bytesOf(data + value)));
            list->paste();
        } else if (step.startsWith("per-room:") && perRoom) {
            perRoom->setText(value);
        } else if (step.startsWith("key:")) {
            const int key = QMetaEnum::fromType<Qt::Key>().keyToValue(qPrintable("Key_" + value));
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key(key));
        } else if (step.contains('=')) {
            check(step.section('=', 0, 0), step.section('=', 1));
        } else if (step.contains('~')) {
            drag(seat(step.section('~', 0, 0)), seat(step.section('~', 1)), step.endsWith("~off"));
        } else if (auto* action = window->findChild<QAction*>(step)) {
            action->trigger();
        } else {
            QAbstractButton* target = button(step);
            QVERIFY2(target, qPrintable("no seat or single button \"" + step + "\" to click"));
            const QPoint centre = target->mapTo(window, target->rect().center());
            QVERIFY2(target->isVisible() && window->childAt(centre) == target,
                     qPrintable(step + " is out of view"));
            QTest::mouseClick(target, Qt::LeftButton);
        }
    }

    void check(const QString& written, const QString& name) {
        const QString path = data + name, keptAs = QDir(":/data").relativeFilePath(path);
        QVERIFY2(made.contains(name) || QFileInfo(path).isFile(), qPrintable("no " + path));
        // Windows has no pdftotext: the printout is kept for tests/wine/check.sh, which
        // reads "quorlen-class-print.txt.pdf" against tests/data/quorlen/class-print.txt.
        if (written == "print.txt" && QStandardPaths::findExecutable("pdftotext").isEmpty()) {
            QFile::copy("print.pdf", qEnvironmentVariable("TAVRIN_PDF_DIR") + '/' +
                                         QString(keptAs).replace('/', '-') + ".pdf");
            QSKIP("no pdftotext to read the printout with");
        }
        compareFile(written, made.value(name, bytesOf(path)), keptAs);
    }

    // Presses on one seat, moves onto the other (which shows pressed), lets go;
    // nothing shows pressed afterwards.
    void drag(QAbstractButton* from, QAbstractButton* to, bool off) {
        QVERIFY2(from && (to || off), "no such seats to drag");
        const QPoint at = to ? from->mapFrom(window, to->mapTo(window, to->rect().center()))
                             : QPoint(-from->x(), 1000);
        QTest::mousePress(from, Qt::LeftButton, {}, from->rect().center());
        QTest::mouseMove(from, at);
        QVERIFY(!to || to == from || to->isDown());
        QTest::mouseRelease(from, Qt::LeftButton, {}, at);
        QVERIFY2(!to || !to->isDown(), "the seat let go on still shows pressed");
    }
};

// A window of the program shown in a folder of its own, which holds only
// the files named: "class.txt" is that data file as the saved plan
// default.txt, "plan.txt<ten.txt" that data file by another name, "plans/"
// an empty folder.
template <typename MainWindow> struct Shown : Driver {
    QTemporaryDir folder;
    QString old = QDir::currentPath();
    std::unique_ptr<MainWindow> mainWindow;
    explicit Shown(const QString& program, const QString& files = {}) {
        data = ":/data/" + program + '/';
        QDir::setCurrent(folder.path());
        for (const QString& file : files.split(' ', Qt::SkipEmptyParts))
            file.endsWith('/')   ? void(QDir().mkdir(file))
            : file.contains('<') ? copyData(data + file.section('<', 1), file.section('<', 0, 0))
                                 : copyData(data + file, "default.txt");
        mainWindow = std::make_unique<MainWindow>(desktop);
        mainWindow->show();
        window = mainWindow.get();
    }
    ~Shown() {
        mainWindow.reset();
        QDir::setCurrent(old);
    }
};
