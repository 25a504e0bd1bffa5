#include "FileFormats.h"
#include "SaveFormatList.h"

#include <gtest/gtest.h>

namespace quorvel::saving {
namespace {

struct Preselection {
    const char* name;
    QString lastExtension;
    std::optional<int> position;
};

void PrintTo(const Preselection& c, std::ostream* out) {
    *out << c.name;
}

class PreselectionFromExtension : public ::testing::TestWithParam<Preselection> {};

TEST_P(PreselectionFromExtension, FindsTheListPosition) {
    EXPECT_EQ(PreselectedPosition(GetParam().lastExtension), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreselectionFromExtension,
    ::testing::Values(Preselection{"Empty", "", std::nullopt}, Preselection{"LowerJpg", "jpg", 1},
                      Preselection{"UpperJpg", "JPG", 1}, Preselection{"CapitalisedJpg", "Jpg", 1},
                      Preselection{"MixedJpg", "jPg", std::nullopt},
                      Preselection{"Jpeg", "jpeg", std::nullopt},
                      Preselection{"Gif", "gif", std::nullopt}, Preselection{"Tif", "Tif", 4},
                      Preselection{"Tiff", "tiff", std::nullopt}, Preselection{"Tga", "TGA", 9},
                      Preselection{"Webp", "webp", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProposedJpegName, ReplacesEverythingFromTheFirstDot) {
    EXPECT_EQ(ProposedJpegName(""), "");
    EXPECT_EQ(ProposedJpegName("/photos/beach_M"), "/photos/beach_M.jpg");
    EXPECT_EQ(ProposedJpegName("/photos/beach_M.jpeg"), "/photos/beach_M.jpg");
    EXPECT_EQ(ProposedJpegName("/photos/beach_M.gif"), "/photos/beach_M.jpg");
    EXPECT_EQ(ProposedJpegName("/my.pics/beach.jpeg"), "/my.jpg");
}

TEST(CompletedPath, AppendsTheFormatsExtensionOnlyWithoutAnyDot) {
    const std::pair<short, const char*> expected[] = {
        {10, "jpg"},  {6, "bmp"}, {3, "tif"},    {75, "png"}, {15, "wmf"}, {1, "pcx"},
        {153, "raw"}, {4, "tga"}, {200, "webp"}, {2, "bmp"},  {-1, "bmp"}, {0, "bmp"}};
    for (const auto& [code, extension] : expected) {
        EXPECT_EQ(CompletedPath("/out/beach", code), QStringLiteral("/out/beach.") + extension)
            << code;
    }
    EXPECT_EQ(CompletedPath("/my.pics/beach", 75), "/my.pics/beach");
    EXPECT_EQ(CompletedPath("/out/beach.", 75), "/out/beach.");
}

TEST(ExtensionOfPath, IsTheSecondPieceBetweenDots) {
    EXPECT_EQ(ExtensionOfPath("/out/beach.png"), "png");
    EXPECT_EQ(ExtensionOfPath("/my.pics/beach"), "pics/beach");
    EXPECT_EQ(ExtensionOfPath("/out/beach.old.tif"), "old");
    EXPECT_EQ(ExtensionOfPath("/out/beach."), "");
}

// The dialog offers what the list names, so every identifier must be one it knows, in the order
// the preselection counts.
TEST(SaveFormatList, NamesTheFormatsThePreselectionCounts) {
    const short byPosition[] = {
        imaging::fileformat::Jpeg, imaging::fileformat::Bmp, imaging::fileformat::Webp,
        imaging::fileformat::Tiff, imaging::fileformat::Png, imaging::fileformat::Wmf,
        imaging::fileformat::Pcx,  imaging::fileformat::Raw, imaging::fileformat::Tga};
    for (std::size_t i = 0; i < kSaveFormatList.size(); ++i) {
        const imaging::FileFormat* format = imaging::fileFormatById(kSaveFormatList[i].FormatId);
        ASSERT_NE(format, nullptr) << i;
        EXPECT_EQ(format->code, byPosition[i]) << i;
        if (i != 2) {
            EXPECT_EQ(PreselectedPosition(QLatin1String(format->extension)), int(i) + 1);
        }
    }
}

}  // namespace
}  // namespace quorvel::saving
