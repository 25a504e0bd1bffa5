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

// Fills one grid point of the CMYK to Lab table: `cargo` is an sRGB to Lab transform.
int idealInks(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
    const double white = 1.0 - in[3] / 65535.0;
    const double rgb[3] = {(1.0 - in[0] / 65535.0) * white, (1.0 - in[1] / 65535.0) * white,
                           (1.0 - in[2] / 65535.0) * white};
    cmsCIELab lab;
    cmsDoTransform(static_cast<cmsHTRANSFORM>(cargo), rgb, &lab, 1);
    cmsFloat2LabEncoded(out, &lab);
    return 1;
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

QByteArray gamma18Profile() {
    const cmsCIExyY white = kD65;
    const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* gamma = cmsBuildGamma(nullptr, 1.8);
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

QByteArray idealInksCmykProfile() {
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, 4.3);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    cmsSetColorSpace(profile, cmsSigCmykData);
    cmsSetPCS(profile, cmsSigLabData);
    cmsMLU* description = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(description, "en", "US", "Ideal inks");
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, description);
    cmsMLUfree(description);
    cmsWriteTag(profile, cmsSigMediaWhitePointTag, cmsD50_XYZ());

    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab =
        cmsCreateTransform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
    cmsPipeline* inksToLab = cmsPipelineAlloc(nullptr, 4, 3);
    cmsStage* table = cmsStageAllocCLut16bit(nullptr, 9, 4, 3, nullptr);
    cmsStageSampleCLut16bit(table, idealInks, toLab, 0);
    cmsPipelineInsertStage(inksToLab, cmsAT_BEGIN, table);
    cmsWriteTag(profile, cmsSigAToB0Tag, inksToLab);
    cmsPipelineFree(inksToLab);
    cmsDeleteTransform(toLab);
    cmsCloseProfile(lab);
    cmsCloseProfile(srgb);
    return saved(profile);
}

}  // namespace quorvel::testing
