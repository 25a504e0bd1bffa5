// SPDX-License-Identifier: GPL-3.0-or-later
#include "DisplayColour.h"

#include <lcms2.h>

#include <QtGlobal>

#include <array>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace quorvel::imaging {
namespace {

// RGB32 and ARGB32 hold one 32-bit word per pixel, so the byte order of the channels follows the
// machine's.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr cmsUInt32Number kWordFormat = TYPE_BGRA_8;
#else
constexpr cmsUInt32Number kWordFormat = TYPE_ARGB_8;
#endif

struct TransformDeleter {
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};

struct ProfileDeleter {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileDeleter>;

// A profile whose every sample lands within a level of itself is sRGB in all but name (most
// cameras and editors embed one); skipping it keeps such views exactly as the pixels are.
bool nearlyIdentity(cmsHTRANSFORM transform) {
    std::vector<std::uint8_t> samples;
    for (int r = 0; r < 256; r += 51) {
        for (int g = 0; g < 256; g += 51) {
            for (int b = 0; b < 256; b += 51) {
                samples.insert(samples.end(), {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r),
                                               std::uint8_t(255)});
            }
        }
    }
#if Q_BYTE_ORDER != Q_LITTLE_ENDIAN
    for (std::size_t i = 0; i < samples.size(); i += 4) {
        std::swap(samples[i], samples[i + 3]);
        std::swap(samples[i + 1], samples[i + 2]);
    }
#endif
    std::vector<std::uint8_t> converted = samples;
    cmsDoTransform(transform, converted.data(), converted.data(),
                   cmsUInt32Number(converted.size() / 4));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(int(samples[i]) - int(converted[i])) > 1) {
            return false;
        }
    }
    return true;
}

bool describesRgb(const QByteArray& profile) {
    constexpr qsizetype kColourSpaceAt = 16;
    return profile.size() > kColourSpaceAt + 4 && profile.mid(kColourSpaceAt, 4) == "RGB ";
}

// Null when `profile` is no readable RGB profile.
Profile rgbProfile(const QByteArray& profile) {
    if (!describesRgb(profile)) {
        return {};
    }
    Profile opened(cmsOpenProfileFromMem(profile.constData(), cmsUInt32Number(profile.size())));
    if (!opened || cmsGetColorSpace(opened.get()) != cmsSigRgbData) {
        return {};
    }
    return opened;
}

// Null means "show the pixels as they are".
using Conversion = std::shared_ptr<void>;

// From the space of `profile` to `screen`, or to sRGB when `screen` is empty.
Conversion conversionFor(const QByteArray& profile, const QByteArray& screen) {
    Profile source = rgbProfile(profile);
    if (!source && screen.isEmpty()) {
        return {};
    }
    if (!source) {
        // What has no profile is shown as sRGB on an unmanaged screen, so it is taken for sRGB.
        source.reset(cmsCreate_sRGBProfile());
    }
    const Profile target(screen.isEmpty() ? cmsCreate_sRGBProfile() : rgbProfile(screen).release());
    if (!source || !target) {
        return {};
    }
    // Views are converted in place, which leaves each word's alpha byte as it is; asking lcms to
    // copy alpha as well would take it off its fast path.
    Conversion transform(cmsCreateTransform(source.get(), kWordFormat, target.get(), kWordFormat,
                                            INTENT_RELATIVE_COLORIMETRIC, 0),
                         TransformDeleter());
    if (!transform || nearlyIdentity(transform.get())) {
        return {};
    }
    return transform;
}

// The few profiles seen last, towards one target: a session rarely shows more than the picture
// and its copies.
class ConversionCache {
public:
    Conversion find(const QByteArray& profile) {
        const std::lock_guard lock(mutex_);
        for (const auto& [key, conversion] : entries_) {
            if (key == profile) {
                return conversion;
            }
        }
        Conversion conversion = conversionFor(profile, screen_);
        if (entries_.size() == kCapacity) {
            entries_.erase(entries_.begin());
        }
        entries_.emplace_back(profile, conversion);
        return conversion;
    }

    void retarget(const QByteArray& screen) {
        const std::lock_guard lock(mutex_);
        screen_ = screen;
        entries_.clear();
    }

private:
    static constexpr std::size_t kCapacity = 4;
    std::mutex mutex_;
    QByteArray screen_;
    std::vector<std::pair<QByteArray, Conversion>> entries_;
};

ConversionCache& toScreen() {
    static ConversionCache cache;
    return cache;
}

ConversionCache& toSrgb() {
    static ConversionCache cache;
    return cache;
}

}  // namespace

bool needsDisplayConversion(const QByteArray& profile) {
    return toScreen().find(profile) != nullptr;
}

bool differsFromSrgb(const QByteArray& profile) {
    return describesRgb(profile) && toSrgb().find(profile) != nullptr;
}

bool setDisplayProfile(const QByteArray& profile) {
    // A profile that can only describe input (a camera's, a scanner's) has no way back from
    // the connection space.
    const Profile screen = rgbProfile(profile);
    const bool usable =
        screen != nullptr &&
        cmsIsIntentSupported(screen.get(), INTENT_RELATIVE_COLORIMETRIC, LCMS_USED_AS_OUTPUT) != 0;
    toScreen().retarget(usable ? profile : QByteArray());
    return usable;
}

QImage inDisplayColours(QImage view, const QByteArray& profile) {
    if (view.isNull()) {
        return view;
    }
    const Conversion transform = toScreen().find(profile);
    if (!transform) {
        return view;
    }
    // Colours are converted apart from their alpha, so premultiplied ones are taken apart first.
    const bool alpha = view.hasAlphaChannel();
    view.convertTo(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < view.height(); ++y) {
        uchar* line = view.scanLine(y);
        cmsDoTransform(transform.get(), line, line, cmsUInt32Number(view.width()));
    }
    if (alpha) {
        view.convertTo(QImage::Format_ARGB32_Premultiplied);
    }
    return view;
}

}  // namespace quorvel::imaging
