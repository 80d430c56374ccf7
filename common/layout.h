#pragma once
// How the windows are laid out: positions and sizes in twips, the unit every
// window's layout is written in (1440 to the inch), and the Chinese serif
// font of their seats and podium.

#include <QFont>
#include <QRect>
#include <QString>
#include <utility>

namespace common {

// One device-independent pixel is 15 twips; Qt scales from there on high-DPI
// screens.
constexpr int px(int twips) {
    return (twips * 2 + 15) / 30;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

// A control of a window, made from `args`, named (tests and accessibility
// tools find it by its name) and put where the window's layout says.
template <typename Control, typename... Args>
Control* placed(const QString& name, const QRect& geometry, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)...);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

// SimSun at the given size, or the nearest CJK serif font installed, or any
// CJK font, so that Chinese never shows as empty boxes.
QFont songtiFont(int pointSize);

} // namespace common
