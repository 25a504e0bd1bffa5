// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchProgress.h"
#include "BatchRun.h"

#include "ExternalFiles.h"
#include "FileFormats.h"
#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace quorvel::batch {
namespace {

class BatchRunTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const QString& name) const { return dir_.filePath(name); }

    // A small picture with a spread of levels, written by Qt in the format its name says.
    void makePicture(const QString& name) const {
        QImage picture(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                picture.setPixelColor(x, y, QColor(x * 3, y * 4, (x + y) * 2));
            }
        }
        ASSERT_TRUE(picture.save(path(name)));
    }

    void writeFile(const QString& name, const QByteArray& bytes) const {
        ASSERT_TRUE(testing::writeFileBytes(path(name), bytes));
    }

    QByteArray readFile(const QString& name) const { return testing::fileBytes(path(name)); }

    // Runs a batch over `names` in the test folder; keeps what it reported in `report_`.
    int run(BatchSettings settings, const QStringList& names) {
        for (const QString& name : names) {
            settings.files.append(path(name));
        }
        report_.clear();
        QTextStream err(&report_);
        BatchProgress progress(err, int(settings.files.size()), false);
        const int status = runBatch(settings, progress);
        err.flush();
        return status;
    }

    // What ImageMagick, not the program's own reader, says a file is: "PNG 40x30".
    QByteArray identify(const QString& name) const {
        return testing::toolOutput("identify", {"-format", "%m %wx%h", path(name)});
    }

    QStringList stagingLeftovers() const {
        return QDir(dir_.path()).entryList({".quorvel-*"}, QDir::Files | QDir::Hidden);
    }

    QTemporaryDir dir_;
    QString report_;
};

TEST_F(BatchRunTest, AFailedFileIsReportedAndTheOthersGoOn) {
    makePicture("first.png");
    writeFile("junk.jpg", "no picture at all");
    makePicture("last.bmp");
    BatchSettings settings;
    settings.slider = 12;
    settings.jobs = 1;
    EXPECT_EQ(run(settings, {"first.png", "missing.jpg", "junk.jpg", "last.bmp"}), 1);

    EXPECT_EQ(report_, QString("[1/4] %1 -> %2\n%3: File not found\n%4: Invalid file format\n"
                               "[4/4] %5 -> %6\n")
                           .arg(path("first.png"), path("first_M.png"), path("missing.jpg"),
                                path("junk.jpg"), path("last.bmp"), path("last_M.bmp")));
    EXPECT_EQ(identify("first_M.png"), "PNG 40x30");
    EXPECT_EQ(identify("last_M.bmp"), "BMP 40x30");
    EXPECT_FALSE(QFile::exists(path("junk_M.jpg")));
    EXPECT_TRUE(stagingLeftovers().isEmpty());
}

TEST_F(BatchRunTest, AnExistingResultIsReplacedOnlyWithOverwrite) {
    makePicture("beach.jpg");
    writeFile("beach_M.jpg", "keep me");
    BatchSettings settings;
    settings.slider = 8;
    EXPECT_EQ(run(settings, {"beach.jpg"}), 1);
    EXPECT_EQ(report_, QString("%1: %2 already exists (--overwrite replaces it)\n")
                           .arg(path("beach.jpg"), path("beach_M.jpg")));
    EXPECT_EQ(readFile("beach_M.jpg"), "keep me");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"beach.jpg", "beach_M.jpg"}));

    settings.overwrite = true;
    EXPECT_EQ(run(settings, {"beach.jpg"}), 0);
    EXPECT_EQ(identify("beach_M.jpg"), "JPEG 40x30");
    EXPECT_TRUE(stagingLeftovers().isEmpty());
}

TEST_F(BatchRunTest, TwoFilesWithOneResultNameWriteItOnce) {
    makePicture("beach.png");
    makePicture("beach.bmp");
    BatchSettings settings;
    settings.formatCode = imaging::fileformat::Tiff;
    settings.jobs = 2;
    EXPECT_EQ(run(settings, {"beach.png", "beach.bmp"}), 1);
    EXPECT_EQ(report_.count("already exists"), 1) << report_.toStdString();
    EXPECT_EQ(identify("beach_M.tif"), "TIFF 40x30");
    EXPECT_TRUE(stagingLeftovers().isEmpty());
}

TEST_F(BatchRunTest, ParallelJobsWriteWhatOneJobWrites) {
    QStringList names;
    for (int i = 0; i < 6; ++i) {
        names.append(QString("p%1.png").arg(i));
        makePicture(names.last());
    }
    BatchSettings settings;
    settings.slider = 4;
    settings.dynamicRange = true;
    settings.outputFolder = path("one");
    settings.jobs = 1;
    EXPECT_EQ(run(settings, names), 0);
    settings.outputFolder = path("four");
    settings.jobs = 4;
    EXPECT_EQ(run(settings, names), 0);
    for (int i = 0; i < 6; ++i) {
        const QString result = QString("p%1_M.png").arg(i);
        EXPECT_FALSE(readFile("one/" + result).isEmpty());
        EXPECT_EQ(readFile("one/" + result), readFile("four/" + result)) << i;
    }
}

TEST_F(BatchRunTest, ADepthTheOwnFormatLacksFailsThatFileOnly) {
    makePicture("beach.jpg");
    makePicture("dusk.bmp");
    BatchSettings settings;
    settings.bitsPerPixel = 4;
    EXPECT_EQ(run(settings, {"beach.jpg", "dusk.bmp"}), 1);
    EXPECT_TRUE(
        report_.contains(path("beach.jpg") + ": 4 bits per pixel are not offered for jpg\n"));
    EXPECT_EQ(identify("dusk_M.bmp"), "BMP 40x30");
}

TEST_F(BatchRunTest, AMissingOutputFolderIsMadeAndAFileInItsPlaceFailsEveryFile) {
    makePicture("beach.png");
    BatchSettings settings;
    settings.outputFolder = path("results");
    EXPECT_EQ(run(settings, {"beach.png"}), 0);
    EXPECT_EQ(identify("results/beach_M.png"), "PNG 40x30");

    writeFile("plain", "a file");
    settings.outputFolder = path("plain");
    EXPECT_EQ(run(settings, {"beach.png", "beach.png"}), 1);
    EXPECT_EQ(report_.count(QString(": the output folder %1 is a file\n").arg(path("plain"))), 2);
}

}  // namespace
}  // namespace quorvel::batch
