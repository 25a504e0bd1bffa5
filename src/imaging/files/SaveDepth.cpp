// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveDepth.h"

namespace quorvel::imaging {

short PreselectedBitsPerPixel(short lastChosen, bool sixteenBit, bool alpha) {
    if (sixteenBit) {
        return alpha ? 64 : 48;
    }
    const bool wide = lastChosen == 16 || lastChosen == 48 || lastChosen == 64;
    return wide ? 24 : lastChosen;
}

short OfferedBitsPerPixel(const FileFormat& format, short wanted) {
    if (depthOf(format, wanted) != nullptr) {
        return wanted;
    }
    if (depthOf(format, 24) != nullptr || format.depths.empty()) {
        return 24;
    }
    return format.depths.front().bitsPerPixel;
}

}  // namespace quorvel::imaging
