// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileFormats.h"

#include <QString>

#include <optional>

namespace quorvel::batch {

// The format a name asks for, by its extension or the format's own name: "jpg", "tif", "png" and
// the others of the save dialog, in any case, and also "jpeg", "jpe" and "tiff". nullptr for
// anything else.
const imaging::FileFormat* formatNamed(const QString& name);

// The format a file is written in when none is given: the one its extension names where it can
// be written, else JPEG.
const imaging::FileFormat& ownFormatOf(const QString& path);

// Where the corrected `input` goes: its name without the last extension, then "_M", "." and the
// format's extension, in `folder` or, without one, beside the input. beach.jpg as PNG gives
// beach_M.png.
QString outputPath(const QString& input, const imaging::FileFormat& format,
                   const std::optional<QString>& folder);

}  // namespace quorvel::batch
