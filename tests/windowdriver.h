#pragma once
// Finding and clicking the widgets of a window by their names, as the tests
// of the windows drive them.

#include "widgets.h"

#include <QPushButton>
#include <QtTest>

template <typename T = QWidget> T* child(QWidget& window, const QString& name) {
    T* widget = window.findChild<T*>(name);
    if (!widget)
        qFatal("no widget named %s", qPrintable(name));
    return widget;
}

inline void click(QWidget& window, const QString& name) {
    QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton);
}

inline void clickSeat(QWidget& window, int seat) {
    click(window, QStringLiteral("Command1_%1").arg(seat));
}

inline QString shownCaption(QWidget& window, int seat) {
    return child<common::CaptionButton>(window, QStringLiteral("Command1_%1").arg(seat))->caption();
}
