// SPDX-License-Identifier: GPL-3.0-or-later
#include "Benchmarks.h"
#include "Figure.h"
#include "MedianCollector.h"
#include "PeakMemory.h"
#include "TestPicture.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace {

using namespace quorvel::bench;

// Peak memory varies a little with how libvips' threads interleave; the median of a few fresh
// processes is steady.
constexpr int kMemoryRuns = 3;

std::optional<double> ratio(std::optional<double> measured, std::optional<double> baseline) {
    if (!measured || !baseline || *baseline <= 0.0) {
        return std::nullopt;
    }
    return *measured / *baseline;
}

// The memory figures take fresh processes of their own; a filter that names other figures only
// leaves them out.
bool filterSelects(const char* figure) {
    const std::string filter = benchmark::GetBenchmarkFilter();
    return filter.empty() || filter == "all" || std::regex_search(figure, std::regex(filter));
}

std::optional<double> memoryRatio(const char* figure, const QString& picturePath, const char* flag,
                                  double pictureBytes) {
    if (!filterSelects(figure)) {
        return std::nullopt;
    }
    std::vector<double> peaks;
    try {
        for (int run = 0; run < kMemoryRuns; ++run) {
            peaks.push_back(double(peakMemoryInFreshProcess(picturePath, flag)));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "memory: %s\n", error.what());
        return std::nullopt;
    }
    std::nth_element(peaks.begin(), peaks.begin() + peaks.size() / 2, peaks.end());
    const double median = peaks[peaks.size() / 2];
    std::printf("memory (%s): peak %.1f MB above the empty window (median of %d processes)\n", flag,
                median / 1e6, kMemoryRuns);
    return median / pictureBytes;
}

int runPeakMemory(const char* flag, const char* picturePath) {
    try {
        const QString path = QString::fromLocal8Bit(picturePath);
        const std::int64_t peak = std::strcmp(flag, kPeakMemoryGestureFlag) == 0
                                      ? peakMemoryAfterGesture(path)
                                      : peakMemoryOfCorrectedPicture(path);
        std::printf("%lld\n", static_cast<long long>(peak));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}

// Interleaving the repetitions of all benchmarks spreads whatever else the machine is doing over
// subjects and baselines alike; flags given on the command line still win.
std::vector<char*> withDefaultFlags(int argc, char** argv) {
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> arguments(argv, argv + argc);
    arguments.insert(arguments.begin() + 1, interleave);
    arguments.push_back(nullptr);
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc == 3 && (std::strcmp(argv[1], kPeakMemoryFlag) == 0 ||
                      std::strcmp(argv[1], kPeakMemoryGestureFlag) == 0)) {
        return runPeakMemory(argv[1], argv[2]);
    }

    std::vector<char*> arguments = withDefaultFlags(argc, argv);
    int argumentCount = int(arguments.size()) - 1;
    benchmark::Initialize(&argumentCount, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(argumentCount, arguments.data())) {
        return 2;
    }
    benchmark::AddCustomContext("build type", QUORVEL_BUILD_TYPE);

    const QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder: %s\n",
                     qPrintable(folder.errorString()));
        return 1;
    }
    QString picturePath;
    QString largePicturePath;
    try {
        picturePath = writeTestPicture(folder.path());
        largePicturePath = writeLargeTestPicture(folder.path(), picturePath);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cannot write the test picture: %s\n", error.what());
        return 1;
    }

    Benchmarks benchmarks(picturePath, folder.path(), largePicturePath);
    benchmarks.registerAll();
    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    const auto median = [&](const char* name) { return collector.medianSeconds(name); };
    const auto copyRatio = [&](const char* name) {
        return ratio(median(name), median(Benchmarks::kCopyBaseline));
    };
    const auto largeCopyRatio = [&](const char* name) {
        return ratio(median(name), median(Benchmarks::kLargeCopyBaseline));
    };
    const Figure figures[] = {
        {"remap", copyRatio(Benchmarks::kRemap), 1.5},
        {"remap16", ratio(median(Benchmarks::kRemap16), median(Benchmarks::kWideCopyBaseline)),
         1.5},
        {"notification", copyRatio(Benchmarks::kNotification), 2.5},
        {"load", ratio(median(Benchmarks::kLoad), median(Benchmarks::kDecodeBaseline)), 1.5},
        {"notification16",
         ratio(median(Benchmarks::kNotification16), median(Benchmarks::kWideCopyBaseline)), 2.5},
        {"load16", ratio(median(Benchmarks::kLoad16), median(Benchmarks::kVipsCopyBaseline)), 1.5},
        {"rotate90", copyRatio(Benchmarks::kRotate90), 3.0},
        {"flip", copyRatio(Benchmarks::kFlip), 3.0},
        {"mirror", copyRatio(Benchmarks::kMirror), 3.0},
        {"half", copyRatio(Benchmarks::kHalf), 4.0},
        {"fifth", copyRatio(Benchmarks::kFifth), 4.0},
        {"double", copyRatio(Benchmarks::kDouble), 12.0},
        {"rotate30", copyRatio(Benchmarks::kRotate30), 25.0},
        {"batch", ratio(median(Benchmarks::kBatch), median(Benchmarks::kBatchBaseline)), 0.6},
        {"rawload", ratio(median(Benchmarks::kRawLoad), median(Benchmarks::kDevelopBaseline)), 1.3},
        {"memory", memoryRatio("memory", picturePath, kPeakMemoryFlag, kPictureBytes), 4.0},
        {"notification_large", largeCopyRatio(Benchmarks::kNotificationLarge), 0.1},
        {"settle_large", largeCopyRatio(Benchmarks::kSettleLarge), 3.0},
        {"save_after_move",
         ratio(median(Benchmarks::kSaveAfterMove), median(Benchmarks::kSaveSettled)), 1.3},
        {"memory_large",
         memoryRatio("memory_large", largePicturePath, kPeakMemoryGestureFlag, kLargePictureBytes),
         4.0},
    };
    std::printf("\nsummary (ratio to baseline, target, verdict):\n");
    for (const Figure& figure : figures) {
        std::printf("%s\n", figure.summaryLine().c_str());
    }
    return 0;
}
