#include "Bitmap.h"

#include "ErrorCodes.h"
#include "ImagingError.h"
#include "PixelBudget.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace quorvel::imaging {

struct Bitmap::Data {
    std::shared_ptr<const PixelBuffer> pixels;
    Metadata metadata;
};

namespace {

// 64-byte alignment lets the vector loops read whole cache lines.
std::uint8_t* allocatePixels(std::size_t bytes) {
    constexpr std::size_t kAlignment = 64;
    const std::size_t rounded =
        (std::max<std::size_t>(bytes, 1) + kAlignment - 1) / kAlignment * kAlignment;
    void* memory = std::aligned_alloc(kAlignment, rounded);
    if (memory == nullptr) {
        throw ImagingError(errc::NoMemory, kImageControlSource);
    }
    return static_cast<std::uint8_t*>(memory);
}

}  // namespace

PixelBuffer::PixelBuffer(int width, int height, PixelLayout layout)
    : width_(width), height_(height), layout_(layout) {
    checkPixelBudget(width, height);
    pixels_ = std::unique_ptr<std::uint8_t, Release>(allocatePixels(byteCount()), std::free);
}

PixelBuffer::PixelBuffer(int width, int height, PixelLayout layout, std::uint8_t* pixels,
                         Release release)
    : width_(width), height_(height), layout_(layout), pixels_(pixels, release) {}

Bitmap::Bitmap(PixelBuffer&& pixels, Metadata metadata)
    : data_(std::make_shared<const Data>(
          Data{std::make_shared<const PixelBuffer>(std::move(pixels)), std::move(metadata)})) {}

int Bitmap::width() const {
    return data_ ? data_->pixels->width() : 0;
}
int Bitmap::height() const {
    return data_ ? data_->pixels->height() : 0;
}
PixelLayout Bitmap::layout() const {
    return data_ ? data_->pixels->layout() : PixelLayout::Rgb;
}
std::size_t Bitmap::rowBytes() const {
    return data_ ? data_->pixels->rowBytes() : 0;
}
std::size_t Bitmap::byteCount() const {
    return data_ ? data_->pixels->byteCount() : 0;
}
const std::uint8_t* Bitmap::pixels() const {
    return data_ ? data_->pixels->pixels_.get() : nullptr;
}

const Metadata& Bitmap::metadata() const {
    static const Metadata kNone;
    return data_ ? data_->metadata : kNone;
}

Bitmap Bitmap::withMetadata(Metadata metadata) const {
    Bitmap result;
    if (data_) {
        result.data_ = std::make_shared<const Data>(Data{data_->pixels, std::move(metadata)});
    }
    return result;
}

bool Bitmap::sharesPixelsWith(const Bitmap& other) const {
    return data_ && other.data_ && pixels() == other.pixels();
}

bool samePixels(const Bitmap& a, const Bitmap& b) {
    if (a.isNull() || b.isNull()) {
        return a.isNull() == b.isNull();
    }
    return a.width() == b.width() && a.height() == b.height() && a.layout() == b.layout() &&
           std::memcmp(a.pixels(), b.pixels(), a.byteCount()) == 0;
}

}  // namespace quorvel::imaging
