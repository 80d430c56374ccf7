#pragma once
// The fonts Chinese is shown and printed in: SimSun where installed, else
// the nearest CJK serif font, else any CJK font, so that Chinese never
// shows as empty boxes.

#include <QStringList>

namespace common {

inline QStringList songtiFamilies() {
    return {QStringLiteral("SimSun"),
            QStringLiteral("宋体"),
            QStringLiteral("NSimSun"),
            QStringLiteral("Noto Serif CJK SC"),
            QStringLiteral("Source Han Serif SC"),
            QStringLiteral("AR PL UMing CN"),
            QStringLiteral("WenQuanYi Zen Hei"),
            QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("Droid Sans Fallback")};
}

} // namespace common
