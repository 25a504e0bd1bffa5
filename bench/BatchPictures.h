// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvel::bench {

// What the batch figure works on: kBatchPictureCount photo-like JPEGs of 3000 x 2000 pixels and
// the brightening table that `vips maplut` applies to them in the baseline.
inline constexpr int kBatchPictureCount = 24;

struct BatchPictures {
    QStringList files;
    QString table;
};

// Cuts the quarters of the test picture (TestPicture.h) and gives each of them six different
// lights, written as JPEGs of quality 90 into `folder`, with the table as a VIPS image beside
// them. The same bytes every run. Throws std::runtime_error when libvips fails.
BatchPictures writeBatchPictures(const QString& testPicture, const QString& folder);

}  // namespace quorvel::bench
