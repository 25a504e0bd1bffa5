// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"

#include <QString>

namespace quorvel::imaging {

// What a file's header tells about one page, in its stored orientation. Pixels are not decoded,
// except by the ImageMagick loader, which can only read a file whole.
struct FileInfo {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int pageCount = 1;
    QString format;  // the loader's short name, e.g. "jpeg", "png", "magick"
};

// Reads the header of `path`. Throws ImagingError: 20008 empty path, 20010 no such file,
// 20014 a folder or unreadable, 20009 unknown or broken format, 20013 a page that does not exist.
FileInfo queryFileInfo(const QString& path, int page);

// Loads page `page` of `path` as a grey, RGB or RGBA picture in sRGB with its EXIF orientation
// applied (the EXIF kept in its metadata then says upright). bitsPerPixel 0 keeps the file's kind
// of picture, at 16 bits per sample when the file has more than 8, else at 8; 8, 24 and 32 ask
// for 8-bit grey, RGB and RGBA, and dropping alpha puts the picture on white. Throws as
// queryFileInfo, and also 20001 when the declared size exceeds the pixel budget (checked before
// decoding), 20007 when the pixel data is corrupt or truncated (such files are refused, not shown
// half-filled; formats read through ImageMagick only as far as it notices, and as 20009), 20027 for
// another bitsPerPixel.
Bitmap loadImageFile(const QString& path, int page, int bitsPerPixel);

// The same for a file's contents held in memory; empty contents are 20009.
FileInfo queryImageData(const QByteArray& contents, int page);
Bitmap loadImageData(const QByteArray& contents, int page, int bitsPerPixel);

}  // namespace quorvel::imaging
