// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegDecode.h"

#include <csetjmp>
#include <cstdio>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace quorvel::bench {
namespace {

struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf recover;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jumpToRecovery(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, errors->message);
    std::longjmp(errors->recover, 1);
}

// libjpeg reports errors by longjmp, which must not cross anything with a destructor: everything
// this function holds is plain C state, released by hand on both ways out.
bool decodeInto(std::FILE* file, int& width, int& height, std::uint8_t*& pixels,
                ErrorManager& errors) {
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = jumpToRecovery;
    pixels = nullptr;
    if (setjmp(errors.recover) != 0) {
        jpeg_destroy_decompress(&info);
        std::free(pixels);
        pixels = nullptr;
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    width = int(info.output_width);
    height = int(info.output_height);
    const std::size_t rowBytes = std::size_t(info.output_width) * info.output_components;
    pixels = static_cast<std::uint8_t*>(std::malloc(rowBytes * info.output_height));
    if (pixels == nullptr) {
        jpeg_destroy_decompress(&info);
        std::snprintf(errors.message, sizeof errors.message, "out of memory");
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + rowBytes * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

DecodedJpeg decodeJpeg(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        throw std::runtime_error(std::string("cannot open ") + path);
    }
    DecodedJpeg decoded;
    ErrorManager errors{};
    std::uint8_t* pixels = nullptr;
    const bool done = decodeInto(file, decoded.width, decoded.height, pixels, errors);
    std::fclose(file);
    if (!done) {
        throw std::runtime_error(errors.message);
    }
    decoded.pixels.reset(pixels);
    return decoded;
}

}  // namespace quorvel::bench
