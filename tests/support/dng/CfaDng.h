// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include <array>

namespace quorvel::testing {

// Where the sensor data of a DNG lies: alone in the first directory, or, as cameras write it, in
// a SubIFD behind a small preview picture in the first directory.
enum class DngLayout { RawFirst, PreviewFirst };

// The camera's red, green and blue for a white object, as shot: {1, 1, 1} in neutral light.
using AsShotNeutral = std::array<float, 3>;

// Writes a DNG whose sensor saw `scene` (an sRGB picture) through an RGGB Bayer filter: 16-bit
// samples up to a white level of 16383, no black level, camera colours equal to linear sRGB once
// the white balance as shot (`neutral`: each channel recorded times its value) is undone.
// `orientation` is the EXIF value of the first directory. False when the file cannot be written.
bool writeCfaDng(const QString& path, const QImage& scene, DngLayout layout, int orientation = 1,
                 const AsShotNeutral& neutral = {1.0f, 1.0f, 1.0f});

}  // namespace quorvel::testing
