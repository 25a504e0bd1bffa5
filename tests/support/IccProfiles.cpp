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
int impureInks(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
    const double c = in[0] / 65535.0;
    const double m = in[1] / 65535.0;
    const double y = in[2] / 65535.0;
    const double white = 1.0 - in[3] / 65535.0;
    const double rgb[3] = {(1.0 - c) * (1.0 - m / 2) * white, (1.0 - m) * (1.0 - y / 2) * white,
                           (1.0 - y) * (1.0 - c / 2) * white};
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
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 1.0);
    const QByteArray bytes = saved(cmsCreateGrayProfile(&white, curve));
    cmsFreeToneCurve(curve);
    return bytes;
}

QByteArray impureInksCmykProfile() {
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, 4.3);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    cmsSetColorSpace(profile, cmsSigCmykData);
    cmsSetPCS(profile, cmsSigLabData);
    cmsMLU* description = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(description, "en", "US", "Impure inks");
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, description);
    cmsMLUfree(description);
    cmsWriteTag(profile, cmsSigMediaWhitePointTag, cmsD50_XYZ());

    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab =
        cmsCreateTransform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
    cmsPipeline* inksToLab = cmsPipelineAlloc(nullptr, 4, 3);
    cmsStage* table = cmsStageAllocCLut16bit(nullptr, 9, 4, 3, nullptr);
    cmsStageSampleCLut16bit(table, impureInks, toLab, 0);
    // The tag's layout needs curves on both sides of the table; identity ones do.
    cmsPipelineInsertStage(inksToLab, cmsAT_END, cmsStageAllocToneCurves(nullptr, 4, nullptr));
    cmsPipelineInsertStage(inksToLab, cmsAT_END, table);
    cmsPipelineInsertStage(inksToLab, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr));
    // The same table for every intent: a reader asked for relative colorimetry would otherwise
    // refuse the profile.
    for (const cmsTagSignature tag : {cmsSigAToB0Tag, cmsSigAToB1Tag, cmsSigAToB2Tag}) {
        cmsWriteTag(profile, tag, inksToLab);
    }
    cmsPipelineFree(inksToLab);
    cmsDeleteTransform(toLab);
    cmsCloseProfile(lab);
    cmsCloseProfile(srgb);
    return saved(profile);
}

QColor cmykInSrgb(const QByteArray& profile, std::array<double, 4> inks) {
    cmsHPROFILE cmyk = cmsOpenProfileFromMem(profile.constData(), cmsUInt32Number(profile.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM transform = cmyk == nullptr
                                  ? nullptr
                                  : cmsCreateTransform(cmyk, TYPE_CMYK_DBL, srgb, TYPE_RGB_8,
                                                       INTENT_RELATIVE_COLORIMETRIC, 0);
    QColor colour;
    if (transform != nullptr) {
        // The colour library takes floating-point inks in percent.
        cmsUInt8Number rgb[3];
        cmsDoTransform(transform, inks.data(), rgb, 1);
        colour = QColor(rgb[0], rgb[1], rgb[2]);
        cmsDeleteTransform(transform);
    }
    cmsCloseProfile(srgb);
    if (cmyk != nullptr) {
        cmsCloseProfile(cmyk);
    }
    return colour;
}

}  // namespace quorvel::testing
