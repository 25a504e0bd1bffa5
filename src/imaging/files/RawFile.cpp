// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawFile.h"

#include "ErrorCodes.h"
#include "ImagingError.h"
#include "PixelBudget.h"

#include <libraw/libraw.h>

#include <utility>

namespace quorvel::imaging {
namespace {

[[noreturn]] void fail(int code) {
    throw ImagingError(code, kImageControlSource);
}

bool outOfMemory(int status) {
    return status == LIBRAW_UNSUFFICIENT_MEMORY || status == LIBRAW_MEMPOOL_OVERFLOW ||
           status == LIBRAW_TOO_BIG;
}

}  // namespace

RawFile::RawFile(std::unique_ptr<LibRaw> processor) : processor_(std::move(processor)) {
    // LibRaw reports damaged data here and goes on; a picture made of it is refused.
    processor_->set_dataerror_handler(
        [](void* self, const char*, int) { static_cast<RawFile*>(self)->damaged_ = true; }, this);
}

RawFile::~RawFile() = default;

std::unique_ptr<RawFile> RawFile::open(const QByteArray& localPath) {
    auto processor = std::make_unique<LibRaw>(LIBRAW_OPIONS_NO_MEMERR_CALLBACK |
                                              LIBRAW_OPIONS_NO_DATAERR_CALLBACK);
    if (processor->open_file(localPath.constData()) != LIBRAW_SUCCESS) {
        // A DNG whose sensor data LibRaw cannot find is damaged; what else it holds is a preview,
        // which must not pass for the photo.
        if (processor->imgdata.idata.dng_version != 0) {
            fail(errc::ReadFailed);
        }
        return nullptr;
    }
    // LibRaw refuses files without sensor data of their own (plain TIFFs, JPEGs); a header
    // without a size is no picture either.
    if (processor->imgdata.sizes.width <= 0 || processor->imgdata.sizes.height <= 0) {
        return nullptr;
    }
    return std::unique_ptr<RawFile>(new RawFile(std::move(processor)));
}

int RawFile::width() const {
    return processor_->imgdata.sizes.width;
}

int RawFile::height() const {
    return processor_->imgdata.sizes.height;
}

Bitmap RawFile::develop() {
    const libraw_image_sizes_t& sizes = processor_->imgdata.sizes;
    // Before a byte of raw data is read: a tiny file may declare an enormous sensor.
    checkPixelBudget(sizes.raw_width, sizes.raw_height);
    checkPixelBudget(sizes.width, sizes.height);
    libraw_output_params_t& params = processor_->imgdata.params;
    params.use_camera_wb = 1;
    params.output_color = 1;  // sRGB primaries
    params.output_bps = 16;
    // The sRGB tone curve: a power of 1 / 2.4 with a linear toe of slope 12.92.
    params.gamm[0] = 1.0 / 2.4;
    params.gamm[1] = 12.92;
    int status = processor_->unpack();
    if (status == LIBRAW_SUCCESS) {
        status = processor_->dcraw_process();
    }
    if (outOfMemory(status)) {
        fail(errc::NoMemory);
    }
    if (status != LIBRAW_SUCCESS || damaged_) {
        fail(errc::ReadFailed);
    }
    int width = 0;
    int height = 0;
    int colours = 0;
    int bits = 0;
    processor_->get_mem_image_format(&width, &height, &colours, &bits);
    if (bits != 16 || (colours != 1 && colours != 3)) {
        fail(errc::ReadFailed);
    }
    const PixelLayout layout = colours == 1 ? PixelLayout::Grey : PixelLayout::Rgb;
    PixelBuffer buffer(width, height, layout, SampleDepth::Sixteen);
    status = processor_->copy_mem_image(buffer.data(), int(buffer.rowBytes()), 0);
    if (status != LIBRAW_SUCCESS) {
        fail(outOfMemory(status) ? errc::NoMemory : errc::ReadFailed);
    }
    processor_->recycle();
    return Bitmap(std::move(buffer));
}

}  // namespace quorvel::imaging
