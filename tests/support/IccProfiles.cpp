// SPDX-License-Identifier: GPL-3.0-or-later
#include "IccProfiles.h"

#include <lcms2.h>

namespace quorvel::testing {
namespace {

const cmsCIExyY kD65{0.3127, 0.3290, 1.0};

QByteArray saved(cmsHPROFILE profile) {
    cmsUInt32Number size = 0;
    QByteArray bytes;
    if (profile != nullptr && cmsSaveProfileToMem(profile, nullptr, &size)) {
        bytes.resize(qsizetype(size));
        cmsSaveProfileToMem(profile, bytes.data(), &size);
    }
    cmsCloseProfile(profile);
    return bytes;
}

}  // namespace

QByteArray adobeRgbProfile() {
    const cmsCIExyY white = kD65;
    const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* gamma = cmsBuildGamma(nullptr, 563.0 / 256.0);
    cmsToneCurve* curves[3] = {gamma, gamma, gamma};
    const QByteArray bytes = saved(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsFreeToneCurve(gamma);
    return bytes;
}

QByteArray srgbProfile() {
    return saved(cmsCreate_sRGBProfile());
}

QByteArray greyProfile() {
    const cmsCIExyY white = kD65;
    const cmsFloat64Number srgb[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgb);
    const QByteArray bytes = saved(cmsCreateGrayProfile(&white, curve));
    cmsFreeToneCurve(curve);
    return bytes;
}

}  // namespace quorvel::testing
