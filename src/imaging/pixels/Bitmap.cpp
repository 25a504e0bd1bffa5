// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bitmap.h"

#include "ErrorCodes.h"
#include "ImagingError.h"
#include "PixelBudget.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <type_traits>
#include <utility>

namespace quorvel::imaging {

struct Bitmap::Storage {
    explicit Storage(PixelBuffer&& buffer) : pixels(std::move(buffer)) {}
    const PixelBuffer pixels;
    mutable std::mutex viewMutex;
    mutable QImage view;
};

struct Bitmap::Data {
    std::shared_ptr<const Storage> storage;
    Metadata metadata;
};

namespace {

// glibc serves blocks this large straight from mmap and unmaps them on free, so a fresh one costs
// a page fault per page on first write: during a slider drag, one per page of every picture.
constexpr std::size_t kRecycledBytes = std::size_t(1) << 20;

// The last large block released, kept for the next picture of the same size. One block at most,
// so memory stays within one picture of what is alive. Trivially destructible: pictures released
// during static destruction still find it intact.
struct Recycler {
    std::mutex mutex;
    std::uint8_t* block = nullptr;
    std::size_t blockBytes = 0;
};
static_assert(std::is_trivially_destructible_v<Recycler>);
constinit Recycler recycler;

std::uint8_t* takeRecycled(std::size_t bytes) {
    std::uint8_t* unfit = nullptr;
    {
        const std::lock_guard lock(recycler.mutex);
        if (recycler.block != nullptr && recycler.blockBytes == bytes) {
            return std::exchange(recycler.block, nullptr);
        }
        // A block of another size is unlikely to be asked for soon; it goes before the new one
        // comes.
        unfit = std::exchange(recycler.block, nullptr);
    }
    std::free(unfit);
    return nullptr;
}

void recycle(std::uint8_t* block, std::size_t bytes) {
    std::uint8_t* older = nullptr;
    {
        const std::lock_guard lock(recycler.mutex);
        older = std::exchange(recycler.block, block);
        recycler.blockBytes = bytes;
    }
    std::free(older);
}

// 64-byte alignment lets the vector loops read whole cache lines.
constexpr std::size_t kAlignment = 64;

std::size_t allocationSize(std::size_t bytes) {
    return (std::max<std::size_t>(bytes, 1) + kAlignment - 1) / kAlignment * kAlignment;
}

std::uint8_t* allocatePixels(std::size_t allocatedBytes) {
    if (allocatedBytes >= kRecycledBytes) {
        if (std::uint8_t* block = takeRecycled(allocatedBytes)) {
            return block;
        }
    }
    void* memory = std::aligned_alloc(kAlignment, allocatedBytes);
    if (memory == nullptr) {
        throw ImagingError(errc::NoMemory, kImageControlSource);
    }
    return static_cast<std::uint8_t*>(memory);
}

}  // namespace

void PixelBuffer::Releaser::operator()(std::uint8_t* pixels) const {
    if (release != nullptr) {
        release(pixels);
    } else if (allocatedBytes >= kRecycledBytes) {
        recycle(pixels, allocatedBytes);
    } else {
        std::free(pixels);
    }
}

PixelBuffer::PixelBuffer(int width, int height, PixelLayout layout, SampleDepth depth)
    : width_(width), height_(height), layout_(layout), depth_(depth) {
    checkPixelBudget(width, height);
    const std::size_t allocatedBytes = allocationSize(byteCount());
    pixels_ = std::unique_ptr<std::uint8_t, Releaser>(allocatePixels(allocatedBytes),
                                                      Releaser{nullptr, allocatedBytes});
}

PixelBuffer::PixelBuffer(int width, int height, PixelLayout layout, SampleDepth depth,
                         std::uint8_t* pixels, Release release)
    : width_(width),
      height_(height),
      layout_(layout),
      depth_(depth),
      pixels_(pixels, Releaser{release, 0}) {}

Bitmap::Bitmap(PixelBuffer&& pixels, Metadata metadata)
    : data_(std::make_shared<const Data>(
          Data{std::make_shared<const Storage>(std::move(pixels)), std::move(metadata)})) {}

int Bitmap::width() const {
    return data_ ? data_->storage->pixels.width() : 0;
}
int Bitmap::height() const {
    return data_ ? data_->storage->pixels.height() : 0;
}
PixelLayout Bitmap::layout() const {
    return data_ ? data_->storage->pixels.layout() : PixelLayout::Rgb;
}
SampleDepth Bitmap::depth() const {
    return data_ ? data_->storage->pixels.depth() : SampleDepth::Eight;
}
std::size_t Bitmap::rowBytes() const {
    return data_ ? data_->storage->pixels.rowBytes() : 0;
}
std::size_t Bitmap::byteCount() const {
    return data_ ? data_->storage->pixels.byteCount() : 0;
}
const std::uint8_t* Bitmap::pixels() const {
    return data_ ? data_->storage->pixels.pixels_.get() : nullptr;
}

const Metadata& Bitmap::metadata() const {
    static const Metadata kNone;
    return data_ ? data_->metadata : kNone;
}

Bitmap Bitmap::withMetadata(Metadata metadata) const {
    Bitmap result;
    if (data_) {
        result.data_ = std::make_shared<const Data>(Data{data_->storage, std::move(metadata)});
    }
    return result;
}

bool Bitmap::sharesPixelsWith(const Bitmap& other) const {
    return data_ && other.data_ && pixels() == other.pixels();
}

QImage Bitmap::keptView(QSize size) const {
    if (!data_) {
        return {};
    }
    const std::lock_guard lock(data_->storage->viewMutex);
    return data_->storage->view.size() == size ? data_->storage->view : QImage();
}

void Bitmap::keepView(const QImage& view) const {
    if (data_) {
        const std::lock_guard lock(data_->storage->viewMutex);
        data_->storage->view = view;
    }
}

bool samePixels(const Bitmap& a, const Bitmap& b) {
    if (a.isNull() || b.isNull()) {
        return a.isNull() == b.isNull();
    }
    return a.width() == b.width() && a.height() == b.height() && a.layout() == b.layout() &&
           a.depth() == b.depth() && std::memcmp(a.pixels(), b.pixels(), a.byteCount()) == 0;
}

}  // namespace quorvel::imaging
