// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageFile.h"
#include "ImagingError.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <new>

namespace {

// A valid picture may legitimately need its width x height x 4 bytes and more while decoding;
// above this size that alone would pass the fuzzer's memory limit, so only the header is read.
constexpr std::int64_t kLargestDecodedPixels = 16'000'000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel::imaging;
    // No copy: a read past the fuzzer's buffer is one that AddressSanitizer reports.
    const QByteArray contents =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const FileInfo info = queryImageData(contents, 0);
        if (std::int64_t(info.width) * info.height <= kLargestDecodedPixels) {
            loadImageData(contents, 0, 0);
        }
    } catch (const ImagingError&) {
        // Refusing a broken file is the expected outcome.
    } catch (const std::bad_alloc&) {
        // As the window does: "Not enough memory available".
    }
    return 0;
}
