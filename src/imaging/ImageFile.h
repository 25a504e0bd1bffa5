#pragma once

#include "Bitmap.h"

#include <QString>

namespace quorvel::imaging {

// What a file's header tells without decoding its pixels (first page, stored orientation).
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

// Loads page `page` of `path` as an 8-bit grey, RGB or RGBA picture in sRGB with its EXIF
// orientation applied. bitsPerPixel 0 keeps the file's kind of picture; 8, 24 and 32 ask for grey,
// RGB and RGBA. Throws as queryFileInfo, and also 20001 when the declared size exceeds the pixel
// budget (checked before decoding), 20007 when the pixel data is corrupt or truncated (such files
// are refused, not shown half-filled), 20027 for another bitsPerPixel.
Bitmap loadImageFile(const QString& path, int page, int bitsPerPixel);

}  // namespace quorvel::imaging
