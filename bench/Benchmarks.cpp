// SPDX-License-Identifier: GPL-3.0-or-later
#include "Benchmarks.h"

#include "CfaDng.h"
#include "DepthConversion.h"
#include "Geometry.h"
#include "ImageFile.h"
#include "JpegDecode.h"
#include "PixelOps.h"
#include "QImageConversion.h"
#include "RawDevelop.h"
#include "TestPicture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <vips/vips.h>
#include <cmath>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <vector>

namespace quorvel::bench {
namespace {

// Enough repetitions for a steady median on a shared machine, short enough for the whole run to
// stay within a few minutes.
constexpr int kRepetitions = 7;
constexpr double kMinSecondsPerRepetition = 0.3;
// A batch takes seconds; three runs of each side give a median.
constexpr int kBatchRepetitions = 3;
// Developing a 24-megapixel RAW file takes seconds; fewer repetitions keep the run short.
constexpr int kRawRepetitions = 5;
// A PNG of the large picture takes many seconds: one save per repetition, two repetitions.
constexpr int kSaveRepetitions = 2;

// The baseline of most figures: a copy of `bytes` bytes at memory speed. Both buffers are
// allocated and touched before timing, so only the copy itself is timed.
void timeCopy(benchmark::State& state, const std::uint8_t* source, std::size_t bytes) {
    std::vector<std::uint8_t> destination(bytes, 2);
    for (auto _ : state) {
        std::memcpy(destination.data(), source, bytes);
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
}

// A brightening curve, as the exposure slider makes: every level but black and white changes.
imaging::RemapTable brighteningTable() {
    imaging::RemapTable table{};
    for (std::size_t v = 0; v < table.size(); ++v) {
        table[v] = std::uint8_t(std::lround(255.0 * std::pow(double(v) / 255.0, 0.8)));
    }
    return table;
}

// Times `operation` applied to the picture; the result is released within the iteration, as a
// command's result replaces the picture before it.
template <typename Operation>
void timeGeometry(benchmark::State& state, const imaging::Bitmap& source, Operation&& operation) {
    for (auto _ : state) {
        const imaging::Bitmap result = operation(source);
        benchmark::DoNotOptimize(result.pixels());
    }
}

// A benchmark that cannot set itself up ends as an error in the report, not as a crash.
template <typename Work>
void reportingFailure(benchmark::State& state, Work&& work) {
    try {
        work();
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

// Lets the window handle what piled up (repaints, timers) between timed iterations, as it would
// between a user's actions.
void settleBetweenIterations(benchmark::State& state) {
    state.PauseTiming();
    QCoreApplication::processEvents();
    state.ResumeTiming();
}

// Slider moves alternating between two positions, each a new correction of the same base. The
// first move after a load also takes the base picture; the moves after it are timed.
void timeMoves(benchmark::State& state, MainWindowDriver& driver) {
    driver.moveSlider(12);
    benchmark::DoNotOptimize(driver.workingView());
    int position = 10;
    for (auto _ : state) {
        driver.moveSlider(position);
        benchmark::DoNotOptimize(driver.workingView());
        position = position == 10 ? 12 : 10;
        settleBetweenIterations(state);
    }
}

// Loading `path` until both panels' views are ready to paint.
void timeLoads(benchmark::State& state, MainWindowDriver& driver, const QString& path) {
    for (auto _ : state) {
        driver.load(path);
        benchmark::DoNotOptimize(driver.workingView());
        benchmark::DoNotOptimize(driver.originalView());
        settleBetweenIterations(state);
    }
}

// Runs `program` to its end with its output discarded; throws when it fails.
void runToEnd(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        throw std::runtime_error(
            QStringLiteral("%1 failed: %2")
                .arg(program, QString::fromLocal8Bit(process.readAllStandardError()))
                .toStdString());
    }
}

}  // namespace

Benchmarks::Benchmarks(QString picturePath, QString folder, QString largePicturePath)
    : picturePath_(std::move(picturePath)),
      folder_(std::move(folder)),
      largePicturePath_(std::move(largePicturePath)) {}

void Benchmarks::registerAll() {
    const auto add = [this](const char* name, void (Benchmarks::*run)(benchmark::State&),
                            int repetitions = kRepetitions) {
        benchmark::RegisterBenchmark(name,
                                     [this, run](benchmark::State& state) {
                                         reportingFailure(state, [&] { (this->*run)(state); });
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(kMinSecondsPerRepetition)
            ->Repetitions(repetitions)
            ->ReportAggregatesOnly(true);
    };
    add(kCopyBaseline, &Benchmarks::copyBaseline);
    add(kRemap, &Benchmarks::remap);
    add(kWideCopyBaseline, &Benchmarks::copyWideBaseline);
    add(kRemap16, &Benchmarks::remap16);
    add(kNotification, &Benchmarks::notification);
    add(kDecodeBaseline, &Benchmarks::decodeBaseline);
    add(kLoad, &Benchmarks::load);
    add(kNotification16, &Benchmarks::notification16);
    add(kVipsCopyBaseline, &Benchmarks::vipsCopyBaseline);
    add(kLoad16, &Benchmarks::load16);
    add(kRotate90, &Benchmarks::rotate90);
    add(kFlip, &Benchmarks::flip);
    add(kMirror, &Benchmarks::mirror);
    add(kHalf, &Benchmarks::half);
    add(kFifth, &Benchmarks::fifth);
    add(kDouble, &Benchmarks::doubled);
    add(kRotate30, &Benchmarks::rotate30);
    for (const auto& [name, run] : {std::pair{kBatchBaseline, &Benchmarks::batchBaseline},
                                    std::pair{kBatch, &Benchmarks::batch}}) {
        benchmark::RegisterBenchmark(name,
                                     [this, run](benchmark::State& state) {
                                         reportingFailure(state, [&] { (this->*run)(state); });
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1)
            ->Repetitions(kBatchRepetitions)
            ->ReportAggregatesOnly(true);
    }
    add(kDevelopBaseline, &Benchmarks::developBaseline, kRawRepetitions);
    add(kRawLoad, &Benchmarks::rawLoad, kRawRepetitions);
    add(kLargeCopyBaseline, &Benchmarks::copyLargeBaseline);
    add(kNotificationLarge, &Benchmarks::notificationLarge);
    add(kSettleLarge, &Benchmarks::settleLarge);
    for (const auto& [name, run] : {std::pair{kSaveAfterMove, &Benchmarks::saveAfterMove},
                                    std::pair{kSaveSettled, &Benchmarks::saveSettled}}) {
        benchmark::RegisterBenchmark(name,
                                     [this, run = run](benchmark::State& state) {
                                         reportingFailure(state, [&] { (this->*run)(state); });
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1)
            ->Repetitions(kSaveRepetitions)
            ->ReportAggregatesOnly(true);
    }
}

const imaging::Bitmap& Benchmarks::picture() {
    if (picture_.isNull()) {
        picture_ = imaging::loadImageFile(picturePath_, 0, 0);
    }
    return picture_;
}

MainWindowDriver& Benchmarks::loadedWindow() {
    if (!window_) {
        window_ = std::make_unique<MainWindowDriver>();
        window_->load(picturePath_);
    }
    return *window_;
}

const QString& Benchmarks::rawPath() {
    if (rawPath_.isEmpty()) {
        const QString path = QDir(folder_).filePath(QStringLiteral("camera.dng"));
        if (!testing::writeCfaDng(path, imaging::toQImage(picture()),
                                  testing::DngLayout::PreviewFirst)) {
            throw std::runtime_error("cannot write the DNG");
        }
        rawPath_ = path;
    }
    return rawPath_;
}

MainWindowDriver& Benchmarks::largeWindow() {
    if (!largeWindow_) {
        largeWindow_ = std::make_unique<MainWindowDriver>();
        largeWindow_->load(largePicturePath_);
        // The first move takes the base; the figures time the moves after it.
        largeWindow_->moveSlider(12);
        largeWindow_->waitUntilSettled();
    }
    return *largeWindow_;
}

void Benchmarks::copyBaseline(benchmark::State& state) {
    timeCopy(state, picture().pixels(), picture().byteCount());
}

void Benchmarks::remap(benchmark::State& state) {
    const imaging::Bitmap& source = picture();
    const imaging::RemapTable table = brighteningTable();
    for (auto _ : state) {
        const imaging::Bitmap corrected = imaging::remapped(source, table, imaging::kAllChannels);
        benchmark::DoNotOptimize(corrected.pixels());
    }
}

const imaging::Bitmap& Benchmarks::widePicture() {
    if (widePicture_.isNull()) {
        widePicture_ = imaging::toSixteenBits(picture());
    }
    return widePicture_;
}

void Benchmarks::copyWideBaseline(benchmark::State& state) {
    timeCopy(state, widePicture().pixels(), widePicture().byteCount());
}

void Benchmarks::remap16(benchmark::State& state) {
    const imaging::Bitmap& source = widePicture();
    const imaging::RemapCurve curve = imaging::curveOf(brighteningTable());
    for (auto _ : state) {
        const imaging::Bitmap corrected = imaging::remapped(source, curve, imaging::kAllChannels);
        benchmark::DoNotOptimize(corrected.pixels());
    }
}

void Benchmarks::notification(benchmark::State& state) {
    timeMoves(state, loadedWindow());
}

void Benchmarks::decodeBaseline(benchmark::State& state) {
    const QByteArray path = QFile::encodeName(picturePath_);
    for (auto _ : state) {
        const DecodedJpeg decoded = decodeJpeg(path.constData());
        benchmark::DoNotOptimize(decoded.pixels.get());
    }
}

void Benchmarks::load(benchmark::State& state) {
    timeLoads(state, loadedWindow(), picturePath_);
}

const QString& Benchmarks::widePngPath() {
    if (widePngPath_.isEmpty()) {
        widePngPath_ = writeWideTestPicture(folder_, picturePath_);
    }
    return widePngPath_;
}

MainWindowDriver& Benchmarks::wideWindow() {
    if (!wideWindow_) {
        wideWindow_ = std::make_unique<MainWindowDriver>();
        wideWindow_->load(widePngPath());
    }
    return *wideWindow_;
}

void Benchmarks::notification16(benchmark::State& state) {
    MainWindowDriver& driver = wideWindow();
    timeMoves(state, driver);
    // The exact picture of the last move is made in the background; the figures after this one
    // do not share the processor with it.
    driver.waitUntilSettled();
}

// What `vips copy picture.png picture.v` does: a sequential decode of the PNG into libvips' own
// uncompressed format.
void Benchmarks::vipsCopyBaseline(benchmark::State& state) {
    const QByteArray path = QFile::encodeName(widePngPath());
    const QByteArray copy = QFile::encodeName(QDir(folder_).filePath(QStringLiteral("copy.v")));
    for (auto _ : state) {
        VipsImage* image =
            vips_image_new_from_file(path.constData(), "access", VIPS_ACCESS_SEQUENTIAL, nullptr);
        if (image == nullptr) {
            throw std::runtime_error(vips_error_buffer());
        }
        const int failed = vips_image_write_to_file(image, copy.constData(), nullptr);
        g_object_unref(image);
        if (failed != 0) {
            throw std::runtime_error(vips_error_buffer());
        }
    }
    QFile::remove(QString::fromLocal8Bit(copy));
}

void Benchmarks::load16(benchmark::State& state) {
    timeLoads(state, wideWindow(), widePngPath());
}

void Benchmarks::rotate90(benchmark::State& state) {
    timeGeometry(state, picture(), [](const imaging::Bitmap& source) {
        return imaging::rotated(source, 9000, false, Qt::white);
    });
}

void Benchmarks::flip(benchmark::State& state) {
    timeGeometry(state, picture(), &imaging::flipped);
}

void Benchmarks::mirror(benchmark::State& state) {
    timeGeometry(state, picture(), &imaging::mirrored);
}

// The resize commands' sizes with their default, high-quality resampling.
void Benchmarks::half(benchmark::State& state) {
    timeGeometry(state, picture(), [](const imaging::Bitmap& source) {
        return imaging::resized(source, source.width() / 2, source.height() / 2,
                                imaging::Resampling::HighQuality);
    });
}

void Benchmarks::fifth(benchmark::State& state) {
    timeGeometry(state, picture(), [](const imaging::Bitmap& source) {
        return imaging::resized(source, source.width() / 5, source.height() / 5,
                                imaging::Resampling::HighQuality);
    });
}

void Benchmarks::doubled(benchmark::State& state) {
    timeGeometry(state, picture(), [](const imaging::Bitmap& source) {
        return imaging::resized(source, source.width() * 2, source.height() * 2,
                                imaging::Resampling::HighQuality);
    });
}

// As the rotate dialog does it: the whole picture kept on a grown canvas, white around it.
void Benchmarks::rotate30(benchmark::State& state) {
    timeGeometry(state, picture(), [](const imaging::Bitmap& source) {
        return imaging::rotated(source, 3000, true, Qt::white);
    });
}

const BatchPictures& Benchmarks::batchPictures() {
    if (batchPictures_.files.isEmpty()) {
        const QString pictures = QDir(folder_).filePath(QStringLiteral("batch"));
        QDir().mkpath(pictures);
        batchPictures_ = writeBatchPictures(picturePath_, pictures);
    }
    return batchPictures_;
}

// The same quality as the program's JPEGs at its default quality factor (95, Huffman tables
// optimised), so that both sides encode alike.
void Benchmarks::batchBaseline(benchmark::State& state) {
    const BatchPictures& pictures = batchPictures();
    const QDir results(QDir(folder_).filePath(QStringLiteral("maplut")));
    QDir().mkpath(results.path());
    for (auto _ : state) {
        for (const QString& file : pictures.files) {
            const QString result = results.filePath(QFileInfo(file).fileName());
            runToEnd(QStringLiteral("vips"),
                     {QStringLiteral("maplut"), file,
                      result + QStringLiteral("[Q=95,optimize_coding]"), pictures.table});
        }
    }
}

void Benchmarks::batch(benchmark::State& state) {
    const BatchPictures& pictures = batchPictures();
    const QStringList arguments =
        QStringList{
            QStringLiteral("--batch"),  QStringLiteral("--exposure"),
            QStringLiteral("1"),        QStringLiteral("--format"),
            QStringLiteral("jpg"),      QStringLiteral("--overwrite"),
            QStringLiteral("--output"), QDir(folder_).filePath(QStringLiteral("corrected"))} +
        pictures.files;
    for (auto _ : state) {
        runToEnd(QStringLiteral(QUORVEL_PROGRAM), arguments);
    }
}

void Benchmarks::developBaseline(benchmark::State& state) {
    const QByteArray path = QFile::encodeName(rawPath());
    for (auto _ : state) {
        benchmark::DoNotOptimize(developRaw(path.constData()));
    }
}

void Benchmarks::rawLoad(benchmark::State& state) {
    const QString& path = rawPath();
    if (!rawWindow_) {
        rawWindow_ = std::make_unique<MainWindowDriver>();
    }
    for (auto _ : state) {
        rawWindow_->load(path);
        benchmark::DoNotOptimize(rawWindow_->workingView());
        benchmark::DoNotOptimize(rawWindow_->originalView());
        settleBetweenIterations(state);
    }
}

void Benchmarks::copyLargeBaseline(benchmark::State& state) {
    // The baseline is the large picture's byte count, whatever holds those bytes.
    const std::vector<std::uint8_t> source(std::size_t(kLargePictureBytes), 1);
    timeCopy(state, source.data(), source.size());
}

// Moves alternate between two positions, each a new correction of the same base.
void Benchmarks::notificationLarge(benchmark::State& state) {
    MainWindowDriver& driver = largeWindow();
    for (auto _ : state) {
        largePosition_ = largePosition_ == 10 ? 12 : 10;
        driver.moveSlider(largePosition_);
        benchmark::DoNotOptimize(driver.workingView());
        settleBetweenIterations(state);
    }
    driver.waitUntilSettled();
}

void Benchmarks::settleLarge(benchmark::State& state) {
    MainWindowDriver& driver = largeWindow();
    for (auto _ : state) {
        largePosition_ = largePosition_ == 10 ? 12 : 10;
        driver.moveSlider(largePosition_);
        driver.waitUntilSettled();
        benchmark::DoNotOptimize(driver.workingView());
    }
}

void Benchmarks::timeSave(benchmark::State& state, bool settleFirst) {
    MainWindowDriver& driver = largeWindow();
    const QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("saved.png"));
    for (auto _ : state) {
        state.PauseTiming();
        largePosition_ = largePosition_ == 10 ? 12 : 10;
        driver.moveSlider(largePosition_);
        if (settleFirst) {
            driver.waitUntilSettled();
        }
        state.ResumeTiming();
        driver.savePng(path);
    }
    driver.waitUntilSettled();
}

void Benchmarks::saveAfterMove(benchmark::State& state) {
    timeSave(state, false);
}

void Benchmarks::saveSettled(benchmark::State& state) {
    timeSave(state, true);
}

}  // namespace quorvel::bench
