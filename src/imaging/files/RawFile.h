// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"

#include <QByteArray>

#include <memory>

class LibRaw;

namespace quorvel::imaging {

// A camera RAW file (DNG, CR2, CR3, NEF, ARW, RAF, ORF, RW2, PEF, SRW, ...) developed by LibRaw:
// demosaiced, in the camera's white balance, with sRGB primaries and tone curve, turned upright,
// at 16 bits per channel.
class RawFile {
public:
    // Reads the header of the file at `localPath` when LibRaw knows it as a camera RAW file with
    // pixels to develop; null for every other file (plain pictures are left to libvips). Throws
    // ImagingError 20007 for a DNG without sensor data LibRaw can find (a damaged one).
    static std::unique_ptr<RawFile> open(const QByteArray& localPath);
    ~RawFile();

    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;

    // The size of the developed picture before it is turned upright.
    int width() const;
    int height() const;

    // Develops the picture. Throws ImagingError 20001 when the file declares more pixels than the
    // budget allows (checked before any pixel is read) or memory runs out, 20007 when the raw data
    // is damaged or cut short.
    Bitmap develop();

private:
    explicit RawFile(std::unique_ptr<LibRaw> processor);

    std::unique_ptr<LibRaw> processor_;
    bool damaged_ = false;
};

}  // namespace quorvel::imaging
