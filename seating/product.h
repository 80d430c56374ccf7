#pragma once
// What Quorlen says about itself: shown in the status bar and the about window.

#include <QString>

namespace quorlen {

inline const QString kWindowCaption = QStringLiteral("Tavrin");
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 2;
inline constexpr int kVersionRevision = 1;
inline const QString kWebAddress = QStringLiteral("https://tavrin.example.org/");
inline const QString kAuthor = QStringLiteral("Tavrin 开发组");
inline const QString kEmail = QStringLiteral("tavrin@example.org");

// "1.2.1": major, minor and revision without leading zeros.
inline QString versionText() {
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

} // namespace quorlen
