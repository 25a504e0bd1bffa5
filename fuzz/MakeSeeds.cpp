// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a small picture in each format the loader has a decoder or a check for into the folder
// given as the only argument: the fuzzer's starting points.
#include <vips/vips8>

#include <cstdio>
#include <string>
#include <vector>

using vips::VImage;

int main(int argc, char** argv) {
    if (argc != 2 || VIPS_INIT(argv[0]) != 0) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    try {
        // Every pixel differs from its neighbours, so that no codec can say it in a few bytes.
        const VImage xy = VImage::xyz(13, 9);
        const VImage rgb = VImage::bandjoin({xy[0] * 19, xy[1] * 27, (xy[0] + xy[1]) * 11})
                               .cast(VIPS_FORMAT_UCHAR);
        const VImage rgba = rgb.bandjoin_const({200});
        const VImage grey = rgb[1];
        const auto write = [&](const VImage& image, const std::string& name,
                               vips::VOption* options = nullptr) {
            image.write_to_file((folder + "/" + name).c_str(), options);
        };
        write(rgb, "baseline.jpg");
        write(rgb, "progressive.jpg", VImage::option()->set("interlace", true));
        write(grey, "grey.jpg");
        write(rgba, "rgba.png");
        write(rgb, "interlaced.png", VImage::option()->set("interlace", true));
        write(rgb, "palette.png", VImage::option()->set("palette", true));
        write(grey.cast(VIPS_FORMAT_USHORT) * 256, "grey16.png");
        write(rgb, "plain.gif");
        write(rgb, "plain.tif");
        write(rgb, "lzw.tif",
              VImage::option()->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_LZW));
        write(rgb, "lossy.webp");
        write(rgba, "lossless.webp", VImage::option()->set("lossless", true));
        for (const char* format : {"bmp", "tga", "pcx"}) {
            rgb.magicksave((folder + "/plain." + format).c_str(),
                           VImage::option()->set("format", format));
        }
    } catch (const vips::VError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
