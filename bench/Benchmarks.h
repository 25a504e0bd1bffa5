// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BatchPictures.h"
#include "Bitmap.h"
#include "MainWindowDriver.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <memory>

namespace quorvel::bench {

// The timed benchmarks, each subject next to the baseline its figure is a ratio to. They share
// the picture, loaded once, and one main window; both are made when first needed.
class Benchmarks {
public:
    static constexpr const char* kCopyBaseline = "memcpy_72MB";
    static constexpr const char* kRemap = "remap";
    static constexpr const char* kWideCopyBaseline = "memcpy_144MB";
    static constexpr const char* kRemap16 = "remap16";
    static constexpr const char* kNotification = "notification";
    static constexpr const char* kDecodeBaseline = "libjpeg_decode";
    static constexpr const char* kLoad = "load";
    static constexpr const char* kNotification16 = "notification16";
    static constexpr const char* kVipsCopyBaseline = "vips_copy_png16";
    static constexpr const char* kLoad16 = "load16";
    static constexpr const char* kRotate90 = "rotate90";
    static constexpr const char* kFlip = "flip";
    static constexpr const char* kMirror = "mirror";
    static constexpr const char* kHalf = "half";
    static constexpr const char* kFifth = "fifth";
    static constexpr const char* kDouble = "double";
    static constexpr const char* kRotate30 = "rotate30";
    static constexpr const char* kBatchBaseline = "vips_maplut_files";
    static constexpr const char* kBatch = "batch";
    static constexpr const char* kDevelopBaseline = "libraw_develop";
    static constexpr const char* kRawLoad = "rawload";
    static constexpr const char* kLargeCopyBaseline = "memcpy_288MB";
    static constexpr const char* kNotificationLarge = "notification_large";
    static constexpr const char* kSettleLarge = "settle_large";
    static constexpr const char* kSaveAfterMove = "save_after_move";
    static constexpr const char* kSaveSettled = "save_settled";

    // `folder` takes the batch figure's pictures and results, and the DNG; `largePicturePath` is
    // the 96-megapixel picture of the "_large" figures.
    Benchmarks(QString picturePath, QString folder, QString largePicturePath);

    // Registers every benchmark with Google Benchmark; this object must outlive the run.
    void registerAll();

private:
    const imaging::Bitmap& picture();
    MainWindowDriver& loadedWindow();
    // A camera-layout DNG (preview first, sensor data in a SubIFD) of the picture's scene,
    // written into the folder when first needed.
    const QString& rawPath();
    MainWindowDriver& largeWindow();

    void copyBaseline(benchmark::State& state);
    void remap(benchmark::State& state);
    // The same picture at 16 bits per channel (144 MB), remapped through the curve.
    const imaging::Bitmap& widePicture();
    void copyWideBaseline(benchmark::State& state);
    void remap16(benchmark::State& state);
    void notification(benchmark::State& state);
    void decodeBaseline(benchmark::State& state);
    void load(benchmark::State& state);
    // The same picture as a 16-bit PNG, written into the folder when first needed, in a window
    // of its own.
    const QString& widePngPath();
    MainWindowDriver& wideWindow();
    void notification16(benchmark::State& state);
    void vipsCopyBaseline(benchmark::State& state);
    void load16(benchmark::State& state);
    // The geometry commands on the full-resolution picture, each making a new picture.
    void rotate90(benchmark::State& state);
    void flip(benchmark::State& state);
    void mirror(benchmark::State& state);
    void half(benchmark::State& state);
    void fifth(benchmark::State& state);
    void doubled(benchmark::State& state);
    void rotate30(benchmark::State& state);
    // The slider on the large picture: the panel's feedback, the exact result after the last
    // move, and a save made right after a move against one made once all is settled.
    void copyLargeBaseline(benchmark::State& state);
    void notificationLarge(benchmark::State& state);
    void settleLarge(benchmark::State& state);
    void saveAfterMove(benchmark::State& state);
    void saveSettled(benchmark::State& state);
    void timeSave(benchmark::State& state, bool settleFirst);

    // Many files, each corrected and saved as a JPEG: one `vips maplut` process per file, one
    // after the other, against one batch run of the program.
    void batchBaseline(benchmark::State& state);
    void batch(benchmark::State& state);
    const BatchPictures& batchPictures();
    void developBaseline(benchmark::State& state);
    // In a window of its own, so that the other window-level figures keep their JPEG.
    void rawLoad(benchmark::State& state);

    QString picturePath_;
    QString folder_;
    BatchPictures batchPictures_;
    imaging::Bitmap picture_;
    imaging::Bitmap widePicture_;
    std::unique_ptr<MainWindowDriver> window_;
    QString widePngPath_;
    std::unique_ptr<MainWindowDriver> wideWindow_;
    QString rawPath_;
    std::unique_ptr<MainWindowDriver> rawWindow_;
    QString largePicturePath_;
    std::unique_ptr<MainWindowDriver> largeWindow_;
    int largePosition_ = 10;
};

}  // namespace quorvel::bench
