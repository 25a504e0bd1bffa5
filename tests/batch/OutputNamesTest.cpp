// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputNames.h"

#include "CaseNames.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace quorvel::batch {
namespace {

using quorvel::testing::PrintTo;

struct NameCase {
    const char* name;
    QString input;
    const char* format;  // none: the input's own
    std::optional<QString> folder;
    QString output;
};

class OutputNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(OutputNameTest, AddsMAndTheFormatsExtension) {
    const NameCase& c = GetParam();
    const imaging::FileFormat& format =
        c.format != nullptr ? *formatNamed(QString::fromLatin1(c.format)) : ownFormatOf(c.input);
    EXPECT_EQ(outputPath(c.input, format, c.folder), c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputNameTest,
    ::testing::Values(
        NameCase{"UpperCaseExtension", "/p/BEACH.JPG", nullptr, {}, "/p/BEACH_M.jpg"},
        NameCase{"JpegSpelling", "/p/beach.jpeg", nullptr, {}, "/p/beach_M.jpg"},
        NameCase{"TiffSpelling", "/p/scan.tiff", nullptr, {}, "/p/scan_M.tif"},
        NameCase{"UnwritableFormatBecomesJpeg", "/p/anim.gif", nullptr, {}, "/p/anim_M.jpg"},
        NameCase{"NoExtension", "/p/beach", nullptr, {}, "/p/beach_M.jpg"},
        NameCase{"OnlyTheLastExtensionGoes",
                 "/p/holiday.2024.png",
                 nullptr,
                 {},
                 "/p/holiday.2024_M.png"},
        NameCase{
            "DottedFolderIsNoExtension", "/my.pics/beach", nullptr, {}, "/my.pics/beach_M.jpg"},
        NameCase{"HiddenFile", "/p/.beach", nullptr, {}, "/p/.beach_M.jpg"},
        NameCase{"IntoAFolderWithSlash", "beach.jpg", nullptr, "out/", "out/beach_M.jpg"}),
    ::testing::PrintToStringParamName());

TEST(FormatNamedTest, KnowsTheNineFormatsAndNothingElse) {
    for (const char* name : {"jpg", "bmp", "webp", "tif", "png", "wmf", "pcx", "raw", "tga"}) {
        const imaging::FileFormat* format = formatNamed(QString::fromLatin1(name));
        ASSERT_NE(format, nullptr) << name;
        EXPECT_STREQ(format->extension, name);
    }
    for (const char* name : {"gif", "", "jp", "jpgx", "heic"}) {
        EXPECT_EQ(formatNamed(QString::fromLatin1(name)), nullptr) << name;
    }
}

}  // namespace
}  // namespace quorvel::batch
