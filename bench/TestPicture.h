// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel::bench {

// The picture every figure is measured on: 24 megapixels, RGB.
inline constexpr int kPictureWidth = 6000;
inline constexpr int kPictureHeight = 4000;
inline constexpr double kPictureBytes = double(kPictureWidth) * kPictureHeight * 3;

// Writes a photo-like JPEG (smooth light and colour, texture, sensor noise; quality 90) of
// kPictureWidth x kPictureHeight into `folder` and returns its path. The same bytes every run.
// Throws std::runtime_error when libvips fails.
QString writeTestPicture(const QString& folder);

// The large picture of the "_large" figures: 96 megapixels, RGB.
inline constexpr int kLargePictureWidth = 2 * kPictureWidth;
inline constexpr int kLargePictureHeight = 2 * kPictureHeight;
inline constexpr double kLargePictureBytes = double(kLargePictureWidth) * kLargePictureHeight * 3;

// Writes the picture at `testPicturePath` (as writeTestPicture made it) enlarged to
// kLargePictureWidth x kLargePictureHeight as a JPEG of quality 90 into `folder`, and returns its
// path. Throws std::runtime_error when libvips fails.
QString writeLargeTestPicture(const QString& folder, const QString& testPicturePath);

// The 16-bit figures' picture: the one at `testPicturePath` at 16 bits per channel (each value
// times 257, with fine noise in the low bits, as a scan or a raw conversion has) as a PNG of
// kPictureWidth x kPictureHeight into `folder`, and returns its path. Throws std::runtime_error
// when libvips fails.
QString writeWideTestPicture(const QString& folder, const QString& testPicturePath);

}  // namespace quorvel::bench
