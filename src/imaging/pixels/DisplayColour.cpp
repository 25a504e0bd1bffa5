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

// Null means "show the pixels as they are".
using Conversion = std::shared_ptr<void>;

Conversion conversionFor(const QByteArray& profile) {
    if (!describesRgb(profile)) {
        return {};
    }
    const Profile source(
        cmsOpenProfileFromMem(profile.constData(), cmsUInt32Number(profile.size())));
    const Profile srgb(cmsCreate_sRGBProfile());
    if (!source || !srgb || cmsGetColorSpace(source.get()) != cmsSigRgbData) {
        return {};
    }
    // Views are converted in place, which leaves each word's alpha byte as it is; asking lcms to
    // copy alpha as well would take it off its fast path.
    Conversion transform(cmsCreateTransform(source.get(), kWordFormat, srgb.get(), kWordFormat,
                                            INTENT_RELATIVE_COLORIMETRIC, 0),
                         TransformDeleter());
    if (!transform || nearlyIdentity(transform.get())) {
        return {};
    }
    return transform;
}

// The few profiles seen last: a session rarely shows more than the picture and its copies.
class ConversionCache {
public:
    Conversion find(const QByteArray& profile) {
        const std::lock_guard lock(mutex_);
        for (const auto& [key, conversion] : entries_) {
            if (key == profile) {
                return conversion;
            }
        }
        Conversion conversion = conversionFor(profile);
        if (entries_.size() == kCapacity) {
            entries_.erase(entries_.begin());
        }
        entries_.emplace_back(profile, conversion);
        return conversion;
    }

private:
    static constexpr std::size_t kCapacity = 4;
    std::mutex mutex_;
    std::vector<std::pair<QByteArray, Conversion>> entries_;
};

Conversion conversionOf(const QByteArray& profile) {
    static ConversionCache cache;
    return cache.find(profile);
}

}  // namespace

bool needsDisplayConversion(const QByteArray& profile) {
    return describesRgb(profile) && conversionOf(profile) != nullptr;
}

QImage inDisplayColours(QImage view, const QByteArray& profile) {
    if (view.isNull() || !describesRgb(profile)) {
        return view;
    }
    const Conversion transform = conversionOf(profile);
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
