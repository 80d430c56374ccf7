#pragma once
// Where the two windows have their controls, as laid out in twips, turned
// into points in a window (device-independent pixels), and what the screen
// shows of Quorlen's podium.

#include "layout.h"
#include "xdesktop.h"

#include <QImage>
#include <QPoint>
#include <QString>

// The middle of a control laid out at these twips.
inline QPoint centreOf(int left, int top, int width, int height) {
    return common::twipsRect(left, top, width, height).center();
}

namespace quorlen_layout {

// The command buttons are all 975 x 375 twips.
inline QPoint commandButton(int left, int top) {
    return centreOf(left, top, 975, 375);
}

inline const QPoint kPodium = commandButton(1320, 4800);
inline const QPoint kExamPanel = commandButton(5640, 4800);
// "返回", inside the exam panel, which stands at (120, 120).
inline const QPoint kPanelBack = centreOf(120 + 5040, 120 + 5040, 1455, 375);
// The middle of a seat.
inline QPoint seat(int index) {
    return centreOf(120 + 1350 * (index / 7), 720 + 480 * (index % 7), 1095, 375);
}
// The third status-bar panel, at the right end of the bar along the bottom.
inline const QPoint kDesignerPanel = centreOf(6880 - 1701, 6360 - 375, 1701, 375);

// Which podium box the window shows: "front", "back", "none" (not painted
// yet) or "both".
inline QString podium(xdesktop::Program& program, quint64 window) {
    const QImage image = program.grab(window);
    const auto shown = [&](int left, int top, int width, int height) {
        const QRect box = common::twipsRect(left, top, width, height);
        const double s = program.scale();
        const QRect scaled(qRound(box.x() * s), qRound(box.y() * s), qRound(box.width() * s),
                           qRound(box.height() * s));
        return xdesktop::isDrawn(image, scaled.adjusted(2, 2, -2, -2));
    };
    const bool front = shown(1680, 120, 1455, 420);
    const bool back = shown(3000, 4080, 1575, 420);
    return front && back ? QStringLiteral("both")
           : front       ? QStringLiteral("front")
           : back        ? QStringLiteral("back")
                         : QStringLiteral("none");
}

} // namespace quorlen_layout

namespace brasset_layout {

inline const QPoint kPersons = centreOf(1320, 120, 375, 270);
inline const QPoint kNames = centreOf(120, 1455, 2295, 7335);
inline const QPoint kArrange = centreOf(120, 8895, 1095, 495);

} // namespace brasset_layout
