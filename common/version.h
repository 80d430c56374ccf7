#pragma once
// The version of both programs, as the build names it in CMakeLists.txt's
// project(): shown in Quorlen's status bar and about window and written
// into every exam file and printout of Brasset.

#include <QString>

namespace common {

inline QString programVersion() {
    return QStringLiteral(TAVRIN_VERSION);
}

} // namespace common
