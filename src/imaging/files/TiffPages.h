// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quorvel::imaging {

// Adding a page to an existing TIFF without touching the pages it holds: the file's bytes stay as
// they are, the new page's bytes follow them with every offset moved, and the file's last page
// is linked to the new one.

// True for a BigTIFF, false for a classic TIFF. Throws ImagingError 20009 when `file` is no TIFF,
// 20016 for a big-endian one (pages are written little-endian and one file has one byte order).
bool isBigTiff(const QByteArray& file);

// `file` with the single-page little-endian TIFF `page`, of the same kind (classic or BigTIFF),
// appended as its last page. Throws ImagingError 20009 when either is no readable TIFF, 20016
// when the result would pass the 4 GiB a classic TIFF can address.
QByteArray withAppendedPage(const QByteArray& file, const QByteArray& page);

}  // namespace quorvel::imaging
