#include "common/layout.h"

#include "common/fonts.h"

namespace common {

QFont songtiFont(int pointSize) {
    QFont font;
    font.setFamilies(songtiFamilies());
    font.setPointSize(pointSize);
    return font;
}

} // namespace common
