// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSanity.h"

#include "ErrorCodes.h"
#include "GifSanity.h"
#include "ImagingError.h"
#include "JpegSanity.h"
#include "PngSanity.h"
#include "TiffSanity.h"

namespace quorvel::imaging {
namespace {

using Check = bool (*)(QByteArrayView);

Check checkFor(std::string_view loader) {
    if (loader == "jpegload") {
        return jpegHoldsItsPicture;
    }
    if (loader == "pngload") {
        return pngHoldsItsPicture;
    }
    if (loader == "gifload") {
        return gifHoldsItsPicture;
    }
    if (loader == "tiffload") {
        return tiffHoldsItsData;
    }
    return nullptr;
}

Check headerCheckFor(std::string_view loader) {
    return loader == "pngload" ? pngHeaderFits : nullptr;
}

void refuseUnless(Check check, QByteArrayView bytes) {
    if (check != nullptr && !check(bytes)) {
        throw ImagingError(errc::ReadFailed, kImageControlSource);
    }
}

}  // namespace

bool hasHeaderSanityCheck(std::string_view loader) {
    return headerCheckFor(loader) != nullptr;
}

void checkHeaderSanity(std::string_view loader, QByteArrayView bytes) {
    refuseUnless(headerCheckFor(loader), bytes);
}

bool hasSanityCheck(std::string_view loader) {
    return checkFor(loader) != nullptr;
}

void checkFileSanity(std::string_view loader, QByteArrayView bytes) {
    refuseUnless(checkFor(loader), bytes);
}

}  // namespace quorvel::imaging
