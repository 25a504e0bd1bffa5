// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quorvel::imaging {

// The channels of a pixel, interleaved, rows packed without padding.
enum class PixelLayout { Grey = 1, Rgb = 3, Rgba = 4 };

inline int channelCount(PixelLayout layout) {
    return static_cast<int>(layout);
}

// Bits per channel value. Sixteen-bit values are native-endian std::uint16_t, 0..65535.
enum class SampleDepth { Eight = 8, Sixteen = 16 };

inline int bytesPerSample(SampleDepth depth) {
    return depth == SampleDepth::Sixteen ? 2 : 1;
}

// Metadata of a loaded picture that a saver may carry over.
struct Metadata {
    QByteArray exif;
    QByteArray icc;
    QByteArray xmp;
    // IPTC records (the 0x1C datasets), whatever block the file held them in.
    QByteArray iptc;
};

// A writable picture under construction; it becomes an immutable Bitmap when finished.
class PixelBuffer {
public:
    using Release = void (*)(void*);

    // Allocates uninitialised pixels; refuses sizes over the pixel budget with ImagingError 20001.
    // Large pixel blocks are recycled: the block of the picture released last is handed out again
    // for the next picture of the same byte size.
    PixelBuffer(int width, int height, PixelLayout layout, SampleDepth depth = SampleDepth::Eight);
    // Takes ownership of pixels allocated elsewhere (libvips hands over g_malloc'd memory).
    PixelBuffer(int width, int height, PixelLayout layout, SampleDepth depth, std::uint8_t* pixels,
                Release release);

    PixelBuffer(PixelBuffer&&) noexcept = default;
    PixelBuffer& operator=(PixelBuffer&&) noexcept = default;

    int width() const { return width_; }
    int height() const { return height_; }
    PixelLayout layout() const { return layout_; }
    SampleDepth depth() const { return depth_; }
    std::size_t rowBytes() const {
        return std::size_t(width_) * std::size_t(channelCount(layout_)) *
               std::size_t(bytesPerSample(depth_));
    }
    std::size_t byteCount() const { return rowBytes() * std::size_t(height_); }
    std::uint8_t* data() { return pixels_.get(); }
    std::uint8_t* row(int y) { return pixels_.get() + rowBytes() * std::size_t(y); }

private:
    friend class Bitmap;
    // Hands the pixels to `release` when they came from elsewhere, else back to the recycler.
    struct Releaser {
        Release release;
        std::size_t allocatedBytes;
        void operator()(std::uint8_t* pixels) const;
    };
    int width_ = 0;
    int height_ = 0;
    PixelLayout layout_ = PixelLayout::Rgb;
    SampleDepth depth_ = SampleDepth::Eight;
    std::unique_ptr<std::uint8_t, Releaser> pixels_{nullptr, Releaser{nullptr, 0}};
};

// A picture as a value. The null Bitmap means "no picture". Pixels are immutable and shared, so
// copying a Bitmap is O(1) and every copy is independent: operations return new Bitmaps.
class Bitmap {
public:
    Bitmap() = default;
    explicit Bitmap(PixelBuffer&& pixels, Metadata metadata = {});

    bool isNull() const { return !data_; }
    explicit operator bool() const { return !isNull(); }

    int width() const;
    int height() const;
    PixelLayout layout() const;
    int channels() const { return channelCount(layout()); }
    SampleDepth depth() const;
    int bitsPerSample() const { return static_cast<int>(depth()); }
    bool isSixteenBit() const { return depth() == SampleDepth::Sixteen; }
    // Bytes of one pixel: channels times bytes per sample.
    int pixelBytes() const { return channels() * bytesPerSample(depth()); }
    bool hasAlpha() const { return !isNull() && layout() == PixelLayout::Rgba; }
    std::size_t rowBytes() const;
    std::size_t byteCount() const;
    const std::uint8_t* pixels() const;
    const std::uint8_t* row(int y) const { return pixels() + rowBytes() * std::size_t(y); }
    // The samples of a sixteen-bit picture (64-byte aligned when allocated here).
    const std::uint16_t* samples16() const {
        return reinterpret_cast<const std::uint16_t*>(pixels());
    }
    const Metadata& metadata() const;

    // The same pixels with other metadata.
    Bitmap withMetadata(Metadata metadata) const;
    // True when both hold the very same pixel storage (not merely equal pixels).
    bool sharesPixelsWith(const Bitmap& other) const;

    // One image derived from the pixels, kept with the shared storage so that every holder of the
    // same pixels can reuse it. keptView answers the image kept last if it has `size`, else a null
    // image. The kept image must not share the pixels, or each would keep the other alive.
    QImage keptView(QSize size) const;
    void keepView(const QImage& view) const;

private:
    struct Storage;
    struct Data;
    std::shared_ptr<const Data> data_;
};

// Equal size, layout, depth and pixel bytes; metadata is not compared.
bool samePixels(const Bitmap& a, const Bitmap& b);

}  // namespace quorvel::imaging
