// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchFile.h"

#include "ErrorCodes.h"
#include "FileFormats.h"
#include "FileNames.h"
#include "ImageFile.h"
#include "ImageSave.h"
#include "ImagingError.h"
#include "OutputNames.h"
#include "PictureCorrection.h"
#include "PixelBudget.h"
#include "PixelTickets.h"
#include "SaveDepth.h"

#include <QCoreApplication>

#include <new>

namespace quorvel::batch {

using namespace Qt::StringLiterals;

namespace {

const QString kBatchSource = u"Quorvel.Batch"_s;

QString alreadyExists(const QString& output) {
    return QCoreApplication::translate("quorvel::batch",
                                       "%1 already exists (--overwrite replaces it)")
        .arg(output);
}

// Without --bits, the depth the save dialog would propose for this picture and format.
short bitsPerPixelFor(const imaging::Bitmap& picture, const imaging::FileFormat& format,
                      const BatchSettings& settings) {
    if (settings.bitsPerPixel) {
        return short(*settings.bitsPerPixel);
    }
    return imaging::OfferedBitsPerPixel(
        format, imaging::PreselectedBitsPerPixel(24, picture.isSixteenBit(), picture.hasAlpha()));
}

// Without --overwrite a result that appeared meanwhile is kept: the new file only ever takes a
// free name, so a run killed while saving leaves nothing.
void save(const imaging::Bitmap& picture, const QString& output, const imaging::FileFormat& format,
          const BatchSettings& settings) {
    imaging::saveImageFile(
        picture, output, format.code, bitsPerPixelFor(picture, format, settings), settings.qFactor,
        false, settings.overwrite ? imaging::Existing::Replace : imaging::Existing::Keep);
}

}  // namespace

FileOutcome correctFile(const QString& input, const BatchSettings& settings,
                        PixelTickets& tickets) {
    const imaging::FileFormat& format =
        settings.formatCode ? *imaging::fileFormatByCode(*settings.formatCode) : ownFormatOf(input);
    FileOutcome outcome{outputPath(input, format, settings.outputFolder), std::nullopt};
    if (settings.bitsPerPixel && imaging::depthOf(format, *settings.bitsPerPixel) == nullptr) {
        outcome.error = QCoreApplication::translate("quorvel::batch",
                                                    "%1 bits per pixel are not offered for %2")
                            .arg(*settings.bitsPerPixel)
                            .arg(QLatin1String(format.extension));
        return outcome;
    }
    if (!settings.overwrite && imaging::kindOfFile(outcome.output) != imaging::FileKind::Missing) {
        outcome.error = alreadyExists(outcome.output);
        return outcome;
    }
    try {
        const imaging::FileInfo info = imaging::queryFileInfo(input, 0);
        if (info.width <= 0 || info.height <= 0) {
            throw imaging::ImagingError(imaging::errc::InvalidSize, kBatchSource);
        }
        imaging::checkPixelBudget(info.width, info.height);
        const std::int64_t pixels = std::int64_t(info.width) * info.height;
        const PixelTickets::Hold hold(tickets, 2 * pixels);
        const imaging::Bitmap corrected =
            correctedPicture(imaging::loadImageFile(input, 0, 0), info.width, info.height,
                             settings.slider, settings.dynamicRange);
        save(corrected, outcome.output, format, settings);
    } catch (const imaging::ImagingError& error) {
        const bool appeared = !settings.overwrite &&
                              imaging::kindOfFile(outcome.output) != imaging::FileKind::Missing;
        outcome.error = appeared ? alreadyExists(outcome.output) : error.description();
    } catch (const std::bad_alloc&) {
        outcome.error = imaging::errorText(imaging::errc::NoMemory);
    } catch (const std::exception&) {
        outcome.error = imaging::errorText(imaging::errc::GeneralFailure);
    }
    return outcome;
}

}  // namespace quorvel::batch
