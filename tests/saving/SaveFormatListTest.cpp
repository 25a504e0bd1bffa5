// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileFormats.h"
#include "SaveFormatList.h"

#include <gtest/gtest.h>

namespace quorvel::saving {
namespace {

namespace format = imaging::fileformat;

// The format that LastExtension preselects, looked up through the list the dialog is sent; 0 for
// none.
short preselectedFormat(const QString& lastExtension) {
    const std::optional<int> position = PreselectedPosition(lastExtension);
    return position ? imaging::fileFormatById(kSaveFormatList.at(*position - 1).FormatId)->code
                    : short(0);
}

TEST(SaveFormatList, PreselectsOnlyTheThreeSpellingsOfAnExtension) {
    const std::pair<const char*, short> cases[] = {
        {"", 0},    {"JPG", format::Jpeg}, {"Jpg", format::Jpeg},
        {"jPg", 0}, {"tga", format::Tga},  {"webp", 0}};
    for (const auto& [extension, expected] : cases) {
        EXPECT_EQ(preselectedFormat(extension), expected) << extension;
    }
}

// Without a preselection the proposed name is cut at its first dot, even one in a folder name.
TEST(SaveFormatList, ProposesAJpegName) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""}, {"/photos/beach_M", "/photos/beach_M.jpg"}, {"/my.pics/beach.jpeg", "/my.jpg"}};
    for (const auto& [name, proposed] : cases) {
        EXPECT_EQ(ProposedJpegName(name), proposed) << name;
    }
}

// Codes as the image control numbers them; one without an extension of its own gets "bmp".
TEST(SaveFormatList, CompletesAPathWithoutAnyDot) {
    const std::pair<short, const char*> cases[] = {{10, "jpg"}, {200, "webp"}, {2, "bmp"}};
    for (const auto& [code, extension] : cases) {
        EXPECT_EQ(CompletedPath("/out/beach", code), QStringLiteral("/out/beach.") + extension)
            << code;
    }
    EXPECT_EQ(CompletedPath("/my.pics/beach", 75), "/my.pics/beach");
    EXPECT_EQ(ExtensionOfPath("/out/beach.old.tif"), "old");
}

TEST(SaveFormatList, PreselectsSixteenBitsForSixteenBitPictures) {
    EXPECT_EQ(PreselectedBitsPerPixel(24, true, false), 48);
    EXPECT_EQ(PreselectedBitsPerPixel(8, true, true), 64);
    // 8-bit pictures keep the depth chosen last, unless it is a 16-bit one.
    EXPECT_EQ(PreselectedBitsPerPixel(8, false, false), 8);
    EXPECT_EQ(PreselectedBitsPerPixel(32, false, true), 32);
    EXPECT_EQ(PreselectedBitsPerPixel(64, false, false), 24);
}

}  // namespace
}  // namespace quorvel::saving
