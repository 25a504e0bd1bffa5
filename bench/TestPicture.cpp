// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestPicture.h"

#include <QDir>
#include <QFile>

#include <stdexcept>
#include <vector>
#include <vips/vips8>

namespace quorvel::bench {
namespace {

using vips::VImage;

// Gaussian noise at a coarse grid enlarged to the full picture: blotches `cell` pixels across.
VImage smoothNoise(int cell, double sigma, int seed) {
    const VImage coarse = VImage::gaussnoise(
        kPictureWidth / cell, kPictureHeight / cell,
        VImage::option()->set("mean", 0.0)->set("sigma", sigma)->set("seed", seed));
    return coarse.resize(double(cell), VImage::option()->set("kernel", VIPS_KERNEL_CUBIC));
}

VImage fineNoise(double sigma, int seed) {
    return VImage::gaussnoise(
        kPictureWidth, kPictureHeight,
        VImage::option()->set("mean", 0.0)->set("sigma", sigma)->set("seed", seed));
}

}  // namespace

QString writeTestPicture(const QString& folder) {
    if (VIPS_INIT("quorvel_bench") != 0) {
        throw std::runtime_error(vips_error_buffer());
    }
    const QString path = QDir(folder).filePath(QStringLiteral("picture-6000x4000.jpg"));
    try {
        const VImage coordinates = VImage::xyz(kPictureWidth, kPictureHeight);
        const VImage x = coordinates[0].cast(VIPS_FORMAT_FLOAT) / double(kPictureWidth);
        const VImage y = coordinates[1].cast(VIPS_FORMAT_FLOAT) / double(kPictureHeight);
        // Bright sky at the top, darker ground below, tinted across the frame; large soft shapes,
        // finer texture and sensor noise on top, so that the JPEG compresses as a photograph does
        // rather than as a flat test card. Texture and noise are shared by the three channels
        // (as luminance mostly is): generating noise is the slow part.
        const VImage light = 190.0 - 110.0 * y + smoothNoise(500, 25.0, 1) +
                             smoothNoise(8, 10.0, 2) + fineNoise(5.0, 3);
        std::vector<VImage> channels;
        for (int c = 0; c < 3; ++c) {
            channels.push_back(light + (c - 1) * 30.0 * x + smoothNoise(200, 12.0, 10 + c));
        }
        const VImage picture =
            VImage::bandjoin(channels)
                .cast(VIPS_FORMAT_UCHAR)
                .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
        picture.jpegsave(QFile::encodeName(path).constData(),
                         VImage::option()->set("Q", 90)->set("strip", true));
    } catch (const vips::VError& error) {
        throw std::runtime_error(error.what());
    }
    return path;
}

QString writeLargeTestPicture(const QString& folder, const QString& testPicturePath) {
    const QString path = QDir(folder).filePath(QStringLiteral("picture-12000x8000.jpg"));
    try {
        // Enlarging keeps the photograph's look (and its noise) at a fraction of the cost of
        // making new noise for four times the pixels.
        const VImage picture =
            VImage::new_from_file(QFile::encodeName(testPicturePath).constData())
                .resize(2.0, VImage::option()->set("kernel", VIPS_KERNEL_LINEAR));
        picture.jpegsave(QFile::encodeName(path).constData(),
                         VImage::option()->set("Q", 90)->set("strip", true));
    } catch (const vips::VError& error) {
        throw std::runtime_error(error.what());
    }
    return path;
}

QString writeWideTestPicture(const QString& folder, const QString& testPicturePath) {
    const QString path = QDir(folder).filePath(QStringLiteral("picture-6000x4000-16bit.png"));
    try {
        const VImage eightBit =
            VImage::new_from_file(QFile::encodeName(testPicturePath).constData());
        const VImage picture =
            (eightBit.cast(VIPS_FORMAT_FLOAT) * 257.0 + fineNoise(60.0, 4))
                .cast(VIPS_FORMAT_USHORT)
                .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_RGB16));
        picture.pngsave(QFile::encodeName(path).constData(),
                        VImage::option()->set("bitdepth", 16)->set("strip", true));
    } catch (const vips::VError& error) {
        throw std::runtime_error(error.what());
    }
    return path;
}

}  // namespace quorvel::bench
