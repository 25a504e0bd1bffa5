// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameFilters.h"

namespace quorvel::imaging {

QStringList nameFiltersFromFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        // Qt reads the patterns from the last parentheses, so the description's own list goes.
        const qsizetype open = description.lastIndexOf(QLatin1String(" ("));
        if (open > 0 && description.endsWith(QLatin1Char(')'))) {
            description.truncate(open);
        }
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
        }
        patterns.removeAll(QString());
        if (patterns.isEmpty()) {
            continue;
        }
        QStringList matched = patterns;
        for (QString& pattern : matched) {
            if (pattern == QLatin1String("*.*")) {
                pattern = QStringLiteral("*");
            }
        }
        filters << QStringLiteral("%1 (%2) (%3)")
                       .arg(description, patterns.join(QLatin1Char(' ')),
                            matched.join(QLatin1Char(' ')));
    }
    return filters;
}

}  // namespace quorvel::imaging
