// SPDX-License-Identifier: GPL-3.0-or-later
#include "DisplayColour.h"
#include "ExternalFiles.h"
#include "FileFormats.h"
#include "IccProfiles.h"
#include "ImageControl.h"
#include "ImageFile.h"
#include "QImageConversion.h"

#include <QColor>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorvel::imaging {
namespace {

using testing::fileBytes;

// Strong colours, where Adobe RGB and sRGB numbers differ most.
Bitmap wideGamutPicture(const QByteArray& profile) {
    PixelBuffer buffer(8, 6, PixelLayout::Rgb);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const std::uint8_t values[] = {std::uint8_t(160 + x * 10), std::uint8_t(40 + y * 20),
                                           std::uint8_t(30 + x * 5)};
            std::copy_n(values, 3, buffer.row(y) + x * 3);
        }
    }
    return Bitmap(std::move(buffer), Metadata{{}, profile, {}, {}});
}

class ColourSave : public ::testing::Test {
protected:
    short save(const Bitmap& bitmap, const QString& name, short format, short bits) {
        control.SetBitmap(bitmap);
        return control.SaveImage(path(name), format, bits, 2, false);
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    // The profile embedded in `name`, as ImageMagick extracts it.
    QByteArray embeddedProfile(const QString& name) const {
        const QString icc = path(name + ".icc");
        QProcess::execute("convert", {path(name), icc});
        return fileBytes(icc);
    }

    QTemporaryDir folder;
    ImageControl control;
};

TEST_F(ColourSave, AdobeRgbJpegCarriesItsOwnProfileIntoEveryFormatThatHoldsOne) {
    const QByteArray profile = testing::adobeRgbProfile();
    ASSERT_EQ(save(wideGamutPicture(profile), "source.png", fileformat::Png, 24), 0);
    ASSERT_EQ(
        QProcess::execute("convert", {path("source.png"), "-quality", "97", path("adobe.jpg")}), 0);
    ASSERT_EQ(embeddedProfile("adobe.jpg"), profile);
    control.LoadFile(path("adobe.jpg"), 0, 0, 1);
    const Bitmap loaded = control.Bitmap();
    for (const short format :
         {fileformat::Png, fileformat::Jpeg, fileformat::Tiff, fileformat::Webp}) {
        const QString name = QLatin1String("out.") + fileFormatByCode(format)->extension;
        ASSERT_EQ(save(loaded, name, format, 24), 0) << name.toStdString();
        EXPECT_EQ(embeddedProfile(name), profile) << name.toStdString();
        // The numbers stay those of the source's space.
        const Bitmap back = loadImageFile(path(name), 0, 0);
        EXPECT_NEAR(back.row(3)[3 * 4], loaded.row(3)[3 * 4], 3) << name.toStdString();
    }
    const Bitmap png = loadImageFile(path("out.png"), 0, 0);
    EXPECT_TRUE(samePixels(png, loaded));
}

// BMP, TGA, PCX, RAW and WMF carry no profile: their readers take the numbers for sRGB, so the
// numbers are made sRGB.
TEST_F(ColourSave, FormatsWithoutAProfileGetSrgbPixels) {
    const Bitmap picture = wideGamutPicture(testing::adobeRgbProfile());
    const Bitmap expected = fromQImage(inDisplayColours(toQImage(picture), picture.metadata().icc));
    ASSERT_EQ(save(picture, "out.raw", fileformat::Raw, 24), 0);
    const QByteArray raw = fileBytes(path("out.raw"));
    ASSERT_EQ(raw.size(), qsizetype(expected.byteCount()));
    for (qsizetype i = 0; i < raw.size(); ++i) {
        ASSERT_NEAR(uchar(raw[i]), expected.pixels()[i], 2) << i;
    }
    ASSERT_EQ(save(picture, "out.bmp", fileformat::Bmp, 24), 0);
    EXPECT_TRUE(embeddedProfile("out.bmp").isEmpty());
    const Bitmap bmp = loadImageFile(path("out.bmp"), 0, 0);
    EXPECT_NEAR(bmp.row(2)[9], expected.row(2)[9], 2);
    EXPECT_GT(bmp.row(2)[9], picture.row(2)[9] + 5) << "a stronger red in sRGB numbers";
}

}  // namespace
}  // namespace quorvel::imaging
