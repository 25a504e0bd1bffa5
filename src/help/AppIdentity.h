// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel::help {

// The application's title and version as the help window names them.
struct AppIdentity {
    QString title;
    int major = 0;
    int minor = 0;
    int revision = 0;
};

}  // namespace quorvel::help
