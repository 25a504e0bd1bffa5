// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchPictures.h"

#include "TestPicture.h"

#include <QDir>
#include <QFile>

#include <array>
#include <cmath>
#include <stdexcept>
#include <vips/vips8>

namespace quorvel::bench {

using vips::VImage;

BatchPictures writeBatchPictures(const QString& testPicture, const QString& folder) {
    constexpr int kWidth = kPictureWidth / 2;
    constexpr int kHeight = kPictureHeight / 2;
    constexpr int kLightsPerQuarter = kBatchPictureCount / 4;
    BatchPictures pictures;
    try {
        const VImage whole = VImage::new_from_file(QFile::encodeName(testPicture).constData());
        for (int quarter = 0; quarter < 4; ++quarter) {
            const VImage cut = whole.extract_area((quarter % 2) * kWidth, (quarter / 2) * kHeight,
                                                  kWidth, kHeight);
            for (int light = 0; light < kLightsPerQuarter; ++light) {
                // From a dim 0.6 to a full exposure, the way a set of photos of one day varies.
                const VImage lit =
                    cut.linear(0.6 + 0.08 * light, -10.0 + 4.0 * light)
                        .cast(VIPS_FORMAT_UCHAR)
                        .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
                const QString path = QDir(folder).filePath(
                    QStringLiteral("photo-%1-%2.jpg").arg(quarter).arg(light));
                lit.jpegsave(QFile::encodeName(path).constData(),
                             VImage::option()->set("Q", 90)->set("strip", true));
                pictures.files.append(path);
            }
        }
        std::array<unsigned char, 256> table{};
        for (std::size_t v = 0; v < table.size(); ++v) {
            table[v] =
                static_cast<unsigned char>(std::lround(255.0 * std::pow(double(v) / 255.0, 0.8)));
        }
        pictures.table = QDir(folder).filePath(QStringLiteral("table.v"));
        VImage::new_from_memory(table.data(), table.size(), int(table.size()), 1, 1,
                                VIPS_FORMAT_UCHAR)
            .write_to_file(QFile::encodeName(pictures.table).constData());
    } catch (const vips::VError& error) {
        throw std::runtime_error(error.what());
    }
    return pictures;
}

}  // namespace quorvel::bench
