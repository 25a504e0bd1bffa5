// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

namespace quorvel::imaging {

// A failure of an imaging component: a number from the imaging error table, the component that
// reported it, and a description for the user.
class ImagingError : public std::runtime_error {
public:
    ImagingError(int number, QString source, QString description);
    // An error whose description is the table text of its number.
    ImagingError(int number, QString source);

    int number() const { return number_; }
    const QString& source() const { return source_; }
    const QString& description() const { return description_; }

private:
    int number_;
    QString source_;
    QString description_;
};

// Names under which the components report their errors.
inline const QString kImageControlSource = QStringLiteral("Quorvel.ImageControl");
inline const QString kImageDialogSource = QStringLiteral("Quorvel.ImageDialog");

}  // namespace quorvel::imaging
