// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchOptions.h"

#include "FileFormats.h"
#include "OutputNames.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cmath>

namespace quorvel::batch {

using namespace Qt::StringLiterals;

namespace {

constexpr int kSliderMin = 0;
constexpr int kSliderMax = 40;
constexpr int kNeutralSlider = 20;
constexpr int kQFactorMin = 2;
constexpr int kQFactorMax = 10;

BatchRequest usageError(const QString& error) {
    BatchRequest request;
    request.kind = BatchRequest::Kind::UsageError;
    request.error = error;
    return request;
}

// A whole number within [low, high], or none.
std::optional<int> integerIn(const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

// The slider position of an exposure value: +2..-2 in steps of 0.1 give 0..40.
std::optional<int> sliderOfExposure(const QString& text) {
    bool ok = false;
    const double exposure = text.toDouble(&ok);
    if (!ok || !(exposure >= -2.0 && exposure <= 2.0)) {
        return std::nullopt;
    }
    const double position = kNeutralSlider - 10.0 * exposure;
    const double whole = std::round(position);
    // Decimal tenths are not exact in binary; anything closer than this is the tenth itself.
    if (std::abs(position - whole) > 1e-6) {
        return std::nullopt;
    }
    return int(whole);
}

QString depthList(const imaging::FileFormat& format) {
    QStringList depths;
    for (const imaging::Depth& depth : format.depths) {
        depths.append(QString::number(depth.bitsPerPixel));
    }
    return depths.join(u", "_s);
}

}  // namespace

BatchRequest parseBatchArguments(const QStringList& arguments, int defaultJobs) {
    const QCommandLineOption batch(u"batch"_s);
    const QCommandLineOption help(u"help"_s);
    const QCommandLineOption slider(u"slider"_s, {}, u"V"_s);
    const QCommandLineOption exposure(u"exposure"_s, {}, u"E"_s);
    const QCommandLineOption dynamic(u"dynamic"_s);
    const QCommandLineOption format(u"format"_s, {}, u"F"_s);
    const QCommandLineOption bits(u"bits"_s, {}, u"N"_s);
    const QCommandLineOption quality(u"quality"_s, {}, u"Q"_s);
    const QCommandLineOption output(u"output"_s, {}, u"DIR"_s);
    const QCommandLineOption jobs(u"jobs"_s, {}, u"N"_s);
    const QCommandLineOption overwrite(u"overwrite"_s);
    QCommandLineParser parser;
    parser.addOptions(
        {batch, help, slider, exposure, dynamic, format, bits, quality, output, jobs, overwrite});
    if (!parser.parse(arguments)) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(help)) {
        BatchRequest request;
        request.kind = BatchRequest::Kind::Help;
        return request;
    }

    BatchSettings settings;
    settings.jobs = std::max(1, defaultJobs);
    if (parser.isSet(slider) && parser.isSet(exposure)) {
        return usageError(QCoreApplication::translate(
            "quorvel::batch", "--slider and --exposure cannot be given together."));
    }
    if (parser.isSet(slider)) {
        const std::optional<int> value = integerIn(parser.value(slider), kSliderMin, kSliderMax);
        if (!value) {
            return usageError(
                QCoreApplication::translate("quorvel::batch",
                                            "--slider takes a whole number from 0 to 40, not '%1'.")
                    .arg(parser.value(slider)));
        }
        settings.slider = *value;
    }
    if (parser.isSet(exposure)) {
        const std::optional<int> value = sliderOfExposure(parser.value(exposure));
        if (!value) {
            return usageError(
                QCoreApplication::translate(
                    "quorvel::batch",
                    "--exposure takes a value from +2 to -2 in steps of 0.1, not '%1'.")
                    .arg(parser.value(exposure)));
        }
        settings.slider = *value;
    }
    settings.dynamicRange = parser.isSet(dynamic);

    const imaging::FileFormat* chosenFormat = nullptr;
    if (parser.isSet(format)) {
        chosenFormat = formatNamed(parser.value(format));
        if (chosenFormat == nullptr) {
            return usageError(
                QCoreApplication::translate(
                    "quorvel::batch",
                    "--format takes jpg, bmp, webp, tif, png, wmf, pcx, raw or tga, not '%1'.")
                    .arg(parser.value(format)));
        }
        settings.formatCode = chosenFormat->code;
    }
    if (parser.isSet(bits)) {
        const std::optional<int> value = integerIn(parser.value(bits), 1, 64);
        if (!value) {
            return usageError(
                QCoreApplication::translate("quorvel::batch",
                                            "--bits takes 1, 4, 8, 16, 24, 32, 48 or 64, not '%1'.")
                    .arg(parser.value(bits)));
        }
        if (chosenFormat != nullptr && imaging::depthOf(*chosenFormat, *value) == nullptr) {
            return usageError(
                QCoreApplication::translate("quorvel::batch",
                                            "--bits %1 is not offered for %2; it offers %3.")
                    .arg(parser.value(bits), QLatin1String(chosenFormat->extension),
                         depthList(*chosenFormat)));
        }
        settings.bitsPerPixel = *value;
    }
    if (parser.isSet(quality)) {
        const std::optional<int> value = integerIn(parser.value(quality), kQFactorMin, kQFactorMax);
        if (!value) {
            return usageError(
                QCoreApplication::translate(
                    "quorvel::batch", "--quality takes a whole number from 2 to 10, not '%1'.")
                    .arg(parser.value(quality)));
        }
        settings.qFactor = *value;
    }
    if (parser.isSet(output)) {
        if (parser.value(output).isEmpty()) {
            return usageError(
                QCoreApplication::translate("quorvel::batch", "--output needs a folder."));
        }
        settings.outputFolder = parser.value(output);
    }
    if (parser.isSet(jobs)) {
        const std::optional<int> value = integerIn(parser.value(jobs), 1, 1024);
        if (!value) {
            return usageError(
                QCoreApplication::translate("quorvel::batch",
                                            "--jobs takes a whole number from 1 to 1024, not '%1'.")
                    .arg(parser.value(jobs)));
        }
        settings.jobs = *value;
    }
    settings.overwrite = parser.isSet(overwrite);
    settings.files = parser.positionalArguments();
    if (settings.files.isEmpty()) {
        return usageError(
            QCoreApplication::translate("quorvel::batch", "--batch needs at least one file."));
    }

    BatchRequest request;
    request.kind = BatchRequest::Kind::Run;
    request.settings = settings;
    return request;
}

}  // namespace quorvel::batch
