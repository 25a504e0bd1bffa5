// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchOptions.h"

#include "CaseNames.h"
#include "FileFormats.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace quorvel::batch {
namespace {

using quorvel::testing::PrintTo;

BatchRequest parse(QStringList options) {
    options.prepend("--batch");
    options.prepend("quorvel");
    return parseBatchArguments(options, 6);
}

TEST(BatchOptionsTest, DefaultsAreTheSaveDialogsAndAllCores) {
    const BatchRequest request = parse({"a.jpg", "b c.png"});
    ASSERT_EQ(request.kind, BatchRequest::Kind::Run);
    const BatchSettings& s = request.settings;
    EXPECT_EQ(s.slider, 20);
    EXPECT_FALSE(s.dynamicRange);
    EXPECT_EQ(s.formatCode, std::nullopt);
    EXPECT_EQ(s.bitsPerPixel, std::nullopt);
    EXPECT_EQ(s.qFactor, 2);
    EXPECT_EQ(s.outputFolder, std::nullopt);
    EXPECT_EQ(s.jobs, 6);
    EXPECT_FALSE(s.overwrite);
    EXPECT_EQ(s.files, QStringList({"a.jpg", "b c.png"}));
}

TEST(BatchOptionsTest, TakesEveryOptionInBothSpellings) {
    const BatchRequest request =
        parse({"--slider=7", "--dynamic", "--format", "PNG", "--bits=8", "--quality", "5",
               "--output", "out", "--jobs=3", "--overwrite", "--", "--odd.jpg"});
    ASSERT_EQ(request.kind, BatchRequest::Kind::Run) << request.error.toStdString();
    const BatchSettings& s = request.settings;
    EXPECT_EQ(s.slider, 7);
    EXPECT_TRUE(s.dynamicRange);
    EXPECT_EQ(s.formatCode, imaging::fileformat::Png);
    EXPECT_EQ(s.bitsPerPixel, 8);
    EXPECT_EQ(s.qFactor, 5);
    EXPECT_EQ(s.outputFolder, "out");
    EXPECT_EQ(s.jobs, 3);
    EXPECT_TRUE(s.overwrite);
    EXPECT_EQ(s.files, QStringList({"--odd.jpg"}));

    const BatchRequest deep = parse({"--format", "png", "--bits", "48", "deep.png"});
    ASSERT_EQ(deep.kind, BatchRequest::Kind::Run) << deep.error.toStdString();
    EXPECT_EQ(deep.settings.bitsPerPixel, 48);
}

struct ExposureCase {
    const char* name;
    const char* exposure;
    int slider;
};

class ExposureOption : public ::testing::TestWithParam<ExposureCase> {};

TEST_P(ExposureOption, PlacesTheSliderAt20Minus10E) {
    const BatchRequest request = parse({"--exposure", GetParam().exposure, "a.jpg"});
    ASSERT_EQ(request.kind, BatchRequest::Kind::Run) << request.error.toStdString();
    EXPECT_EQ(request.settings.slider, GetParam().slider);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExposureOption,
                         ::testing::Values(ExposureCase{"PlusTwo", "+2", 0},
                                           ExposureCase{"MinusSevenTenths", "-0.7", 27}),
                         ::testing::PrintToStringParamName());

struct ErrorCase {
    const char* name;
    QStringList options;
    const char* error;
};

class BatchUsageError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(BatchUsageError, SaysWhatIsWrong) {
    const BatchRequest request = parse(GetParam().options);
    EXPECT_EQ(request.kind, BatchRequest::Kind::UsageError);
    EXPECT_EQ(request.error, QString::fromUtf8(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatchUsageError,
    ::testing::Values(
        ErrorCase{"NoFile", {"--slider", "3"}, "--batch needs at least one file."},
        ErrorCase{"UnknownOption", {"--brighter", "a.jpg"}, "Unknown option 'brighter'."},
        ErrorCase{"MissingValue", {"a.jpg", "--slider"}, "Missing value after '--slider'."},
        ErrorCase{"SliderAboveRange",
                  {"--slider", "41", "a.jpg"},
                  "--slider takes a whole number from 0 to 40, not '41'."},
        ErrorCase{"SliderNotANumber",
                  {"--slider", "ten", "a.jpg"},
                  "--slider takes a whole number from 0 to 40, not 'ten'."},
        ErrorCase{"ExposureBetweenTenths",
                  {"--exposure", "0.35", "a.jpg"},
                  "--exposure takes a value from +2 to -2 in steps of 0.1, not '0.35'."},
        ErrorCase{"SliderAndExposure",
                  {"--slider", "3", "--exposure", "1", "a.jpg"},
                  "--slider and --exposure cannot be given together."},
        ErrorCase{"UnknownFormat",
                  {"--format", "gif", "a.jpg"},
                  "--format takes jpg, bmp, webp, tif, png, wmf, pcx, raw or tga, not 'gif'."},
        ErrorCase{"DepthTheFormatLacks",
                  {"--format", "jpg", "--bits", "32", "a.jpg"},
                  "--bits 32 is not offered for jpg; it offers 24, 8."},
        ErrorCase{"BitsAboveSixtyFour",
                  {"--bits", "96", "a.jpg"},
                  "--bits takes 1, 4, 8, 16, 24, 32, 48 or 64, not '96'."},
        ErrorCase{"QualityBelowTwo",
                  {"--quality", "1", "a.jpg"},
                  "--quality takes a whole number from 2 to 10, not '1'."},
        ErrorCase{"NoJobs",
                  {"--jobs", "0", "a.jpg"},
                  "--jobs takes a whole number from 1 to 1024, not '0'."},
        ErrorCase{"EmptyOutput", {"--output=", "a.jpg"}, "--output needs a folder."}),
    ::testing::PrintToStringParamName());

TEST(BatchOptionsTest, HelpWinsOverWrongValuesButNotOverUnknownOptions) {
    EXPECT_EQ(parse({"--help"}).kind, BatchRequest::Kind::Help);
    EXPECT_EQ(parse({"--slider", "99", "--help"}).kind, BatchRequest::Kind::Help);
    EXPECT_EQ(parse({"--help", "--brighter"}).kind, BatchRequest::Kind::UsageError);
}

}  // namespace
}  // namespace quorvel::batch
