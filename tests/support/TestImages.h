// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <ostream>

namespace quorvel::imaging {
// Readable layouts in test names and failure messages; one definition for every test program.
void PrintTo(PixelLayout layout, std::ostream* out);
}  // namespace quorvel::imaging

namespace quorvel::testing {

// A picture whose every pixel differs from its neighbours, so that turns and flips show.
// Pixel (x, y) has channel c = (x * 7 + y * 13 + c * 50) % 256; alpha, when present, is
// (x + y * 3) % 256.
imaging::Bitmap patternBitmap(int width, int height, imaging::PixelLayout layout);

// Noise from `lowest` to 255 in every channel: no structure for a wrong offset or channel to hide
// in. The same seed gives the same picture.
imaging::Bitmap randomBitmap(int width, int height, imaging::PixelLayout layout, unsigned seed,
                             int lowest = 0);

// A picture of one colour (grey uses red as its value).
imaging::Bitmap solidBitmap(int width, int height, imaging::PixelLayout layout, int red, int green,
                            int blue, int alpha = 255);

// The number of the error `work` throws from the imaging layer, 0 when it succeeds.
int errorOf(const std::function<void()>& work);

// An EXIF block, as a JPEG's APP1 segment holds it, with only an orientation (1 to 8).
QByteArray exifWithOrientation(char orientation);

// `jpeg` with `exif` in an APP1 segment right after its start-of-image marker.
QByteArray withExifSegment(QByteArray jpeg, const QByteArray& exif);

// The pixel at (x, y) as RGBA (grey repeated, alpha opaque when absent; 16-bit values whole).
QColor pixelAt(const imaging::Bitmap& bitmap, int x, int y);

}  // namespace quorvel::testing
