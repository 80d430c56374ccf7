#pragma once
// Driving a window in a test: showing it, finding its controls by name,
// clicking them, and making file writes fail the way a full disk does.

#include "scripteddesktop.h"
#include "testfiles.h"
#include "widgets.h"

#include <QAbstractButton>
#include <QWidget>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

// A window of either program, shown, its dialogs answered by a scripted
// desktop, in an empty current folder: no plan saved where the tests run is
// loaded, and nothing is written anywhere else.
template <typename Form> struct Shown {
    TemporaryCurrentDir folder;
    ScriptedDesktop desktop;
    Form window{desktop};
    Shown() { window.show(); }
};

template <typename T = QWidget> T* child(QWidget& window, const QString& name) {
    T* widget = window.findChild<T*>(name);
    if (!widget)
        qFatal("no widget named %s", qPrintable(name));
    return widget;
}

inline void click(QWidget& window, const QString& name) {
    QTest::mouseClick(child<QAbstractButton>(window, name), Qt::LeftButton);
}

// Quorlen's seats, by seat index.
inline void clickSeat(QWidget& window, int seat) {
    click(window, QStringLiteral("Command1_%1").arg(seat));
}

inline QString shownCaption(QWidget& window, int seat) {
    return child<common::CaptionButton>(window, QStringLiteral("Command1_%1").arg(seat))->caption();
}

// Which of Quorlen's two podium boxes is there: "front" or "back".
inline QString podium(QWidget& window) {
    const bool front = !child(window, QStringLiteral("Text1"))->isHidden();
    const bool back = !child(window, QStringLiteral("Text2"))->isHidden();
    return front == back ? QStringLiteral("both or none")
           : front       ? QStringLiteral("front")
                         : QStringLiteral("back");
}

#ifdef Q_OS_UNIX
// Runs `action` while no file may grow beyond `bytes`: a write past that
// fails as on a disk that has filled up.
template <typename Action> void withFileSizeLimit(rlim_t bytes, Action action) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
    action();
    setrlimit(RLIMIT_FSIZE, &saved);
}
#endif
