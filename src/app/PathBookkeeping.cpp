// SPDX-License-Identifier: GPL-3.0-or-later
#include "PathBookkeeping.h"

#include "AppInfo.h"
#include "ErrorCodes.h"
#include "ImagingError.h"

#include <QStringList>

namespace quorvel::app {

PathBookkeeping bookkeepPath(const QString& path) {
    if (path.isEmpty()) {
        throw imaging::ImagingError(imaging::errc::InvalidFileName, kAppTitle);
    }
    QStringList parts = path.split(QLatin1Char('.'));
    PathBookkeeping result;
    if (parts.size() > 1) {
        result.lastExtension = parts[1];
    }
    parts[0] += QStringLiteral("_M");
    result.suggestedName = parts.join(QLatin1Char('.'));
    return result;
}

}  // namespace quorvel::app
