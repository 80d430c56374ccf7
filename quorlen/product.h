#pragma once
// What Quorlen says about itself: shown in the status bar and the about window.

#include "common/version.h"

#include <QString>

namespace quorlen {

inline const QString kWindowCaption = QStringLiteral("Tavrin");
inline const QString kWebAddress = QStringLiteral("https://tavrin.example.org/");
inline const QString kAuthor = QStringLiteral("Tavrin 开发组");
inline const QString kEmail = QStringLiteral("tavrin@example.org");

// "1.2.1": major, minor and revision without leading zeros, as
// CMakeLists.txt's project() gives them.
inline QString versionText() {
    return common::programVersion();
}

} // namespace quorlen
