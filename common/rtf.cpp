#include "common/rtf.h"

namespace common {

QString withRtfExtension(const QString& name) {
    if (name.right(4).toLower() == QLatin1String(".rtf"))
        return name;
    return name + QLatin1String(".rtf");
}

} // namespace common
