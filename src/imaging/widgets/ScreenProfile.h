// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quorvel::imaging {

// The ICC profile a colour-managed X11 desktop publishes for the first screen (the
// `_ICC_PROFILE` property of the root window), as raw bytes; empty when the program does not run
// on X11 or no profile is published. Needs a QGuiApplication.
QByteArray screenProfile();

}  // namespace quorvel::imaging
