#include "filenames.h"

#include <QStringList>

namespace common {

QString withRtfExtension(const QString& name) {
    if (name.right(4).toLower() == QLatin1String(".rtf"))
        return name;
    return name + QLatin1String(".rtf");
}

QString qtFileFilter(const QString& barFilter) {
    const QStringList parts = barFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt takes the patterns from the last parentheses of an entry; a
        // description that already ends with them is used as it stands.
        if (description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')')))
            filters << description;
        else
            filters << description + QLatin1String(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QLatin1String(";;"));
}

} // namespace common
