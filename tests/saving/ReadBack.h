#pragma once

#include "Bitmap.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quorvel::testing {

// One page of a file as ImageMagick decodes it: what it stores ("gray", "srgb", "srgba") and its
// pixels as 8-bit RGBA. Width 0 when ImageMagick cannot read it.
struct Decoded {
    int width = 0;
    int height = 0;
    QString channels;
    QByteArray rgba;
};
Decoded decodeWithImageMagick(const QString& path, int page = 0);

// The standard output of a command-line tool; empty when it fails.
QByteArray runTool(const QString& program, const QStringList& arguments);

// The picture's pixels as 8-bit RGBA (grey repeated, opaque where it has no alpha).
QByteArray rgbaOf(const imaging::Bitmap& bitmap);

// Peak signal-to-noise ratio of the colour channels of two RGBA buffers, in dB.
double psnrRgb(const QByteArray& a, const QByteArray& b);

QByteArray fileBytes(const QString& path);

}  // namespace quorvel::testing
