// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImagingError.h"

#include "ErrorCodes.h"

namespace quorvel::imaging {

ImagingError::ImagingError(int number, QString source, QString description)
    : std::runtime_error(description.toStdString()),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

ImagingError::ImagingError(int number, QString source)
    : ImagingError(number, std::move(source), errorText(number)) {}

}  // namespace quorvel::imaging
