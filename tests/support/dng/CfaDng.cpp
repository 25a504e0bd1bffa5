// SPDX-License-Identifier: GPL-3.0-or-later
#include "CfaDng.h"

#include <QFile>

#include <tiffio.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace quorvel::testing {
namespace {

constexpr int kWhiteLevel = 16383;

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

double linear(int level) {
    const double v = level / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// Tags every DNG reader needs in the first directory.
void setCameraTags(TIFF* tiff, int orientation, const AsShotNeutral& neutral) {
    static const std::uint8_t version[4] = {1, 4, 0, 0};
    TIFFSetField(tiff, TIFFTAG_DNGVERSION, version);
    TIFFSetField(tiff, TIFFTAG_DNGBACKWARDVERSION, version);
    TIFFSetField(tiff, TIFFTAG_MAKE, "Quorvel");
    TIFFSetField(tiff, TIFFTAG_MODEL, "Test Sensor");
    TIFFSetField(tiff, TIFFTAG_UNIQUECAMERAMODEL, "Quorvel Test Sensor");
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, std::uint16_t(orientation));
    // XYZ (D65) to linear sRGB: the camera's colours are linear sRGB.
    static const float xyzToCamera[9] = {3.2406f, -1.5372f, -0.4986f, -0.9689f, 1.8758f,
                                         0.0415f, 0.0557f,  -0.2040f, 1.0570f};
    TIFFSetField(tiff, TIFFTAG_COLORMATRIX1, 9, xyzToCamera);
    TIFFSetField(tiff, TIFFTAG_CALIBRATIONILLUMINANT1, std::uint16_t(21));  // D65
    TIFFSetField(tiff, TIFFTAG_ASSHOTNEUTRAL, 3, neutral.data());
}

bool writeSensor(TIFF* tiff, const QImage& scene, const AsShotNeutral& neutral) {
    const int width = scene.width();
    const int height = scene.height();
    TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, 0);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, 32803);  // colour filter array
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, std::min(height, 64));
    static const std::uint16_t repeat[2] = {2, 2};
    TIFFSetField(tiff, TIFFTAG_CFAREPEATPATTERNDIM, repeat);
    static const std::uint8_t rggb[4] = {0, 1, 1, 2};
    TIFFSetField(tiff, TIFFTAG_CFAPATTERN, 4, rggb);
    const std::uint32_t white = kWhiteLevel;
    TIFFSetField(tiff, TIFFTAG_WHITELEVEL, 1, &white);
    std::array<std::array<std::uint16_t, 256>, 3> levels{};
    for (std::size_t channel = 0; channel < 3; ++channel) {
        for (int i = 0; i < 256; ++i) {
            levels[channel][std::size_t(i)] =
                std::uint16_t(std::lround(linear(i) * neutral[channel] * kWhiteLevel));
        }
    }
    const QImage rgb = scene.convertToFormat(QImage::Format_RGB888);
    std::vector<std::uint16_t> row(std::size_t(width), 0);
    for (int y = 0; y < height; ++y) {
        const uchar* pixels = rgb.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            // R G on even rows, G B on odd ones.
            const int channel = (y % 2) + (x % 2);
            row[std::size_t(x)] = levels[std::size_t(channel)][pixels[x * 3 + channel]];
        }
        if (TIFFWriteScanline(tiff, row.data(), std::uint32_t(y), 0) < 0) {
            return false;
        }
    }
    return TIFFWriteDirectory(tiff) != 0;
}

bool writePreview(TIFF* tiff, const QImage& scene) {
    const QImage preview = scene.scaled(160, 120, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                               .convertToFormat(QImage::Format_RGB888);
    TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_REDUCEDIMAGE);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, preview.width());
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, preview.height());
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, preview.height());
    std::uint64_t subIfd = 0;
    TIFFSetField(tiff, TIFFTAG_SUBIFD, 1, &subIfd);
    for (int y = 0; y < preview.height(); ++y) {
        if (TIFFWriteScanline(tiff, const_cast<uchar*>(preview.constScanLine(y)), std::uint32_t(y),
                              0) < 0) {
            return false;
        }
    }
    return TIFFWriteDirectory(tiff) != 0;
}

}  // namespace

bool writeCfaDng(const QString& path, const QImage& scene, DngLayout layout, int orientation,
                 const AsShotNeutral& neutral) {
    const std::unique_ptr<TIFF, TiffCloser> tiff(
        TIFFOpen(QFile::encodeName(path).constData(), "w"));
    if (!tiff) {
        return false;
    }
    setCameraTags(tiff.get(), orientation, neutral);
    if (layout == DngLayout::PreviewFirst && !writePreview(tiff.get(), scene)) {
        return false;
    }
    return writeSensor(tiff.get(), scene, neutral);
}

}  // namespace quorvel::testing
