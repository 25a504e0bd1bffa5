// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawDevelop.h"

#include <libraw/libraw.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace quorvel::bench {
namespace {

void check(int status) {
    if (status != LIBRAW_SUCCESS) {
        throw std::runtime_error(std::string("LibRaw: ") + libraw_strerror(status));
    }
}

}  // namespace

std::size_t developRaw(const char* path) {
    const auto processor = std::make_unique<LibRaw>();
    libraw_output_params_t& params = processor->imgdata.params;
    params.use_camera_wb = 1;
    params.output_color = 1;
    params.output_bps = 16;
    params.gamm[0] = 1.0 / 2.4;
    params.gamm[1] = 12.92;
    check(processor->open_file(path));
    check(processor->unpack());
    check(processor->dcraw_process());
    int status = LIBRAW_SUCCESS;
    libraw_processed_image_t* image = processor->dcraw_make_mem_image(&status);
    check(image != nullptr ? status : LIBRAW_UNSUFFICIENT_MEMORY);
    const std::size_t bytes = image->data_size;
    LibRaw::dcraw_clear_mem(image);
    return bytes;
}

}  // namespace quorvel::bench
