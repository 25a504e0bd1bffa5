// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel::imaging {

// Error numbers of the imaging components. The texts belong to the numbers (errorText).
namespace errc {
inline constexpr int GeneralFailure = 20000;
inline constexpr int NoMemory = 20001;
inline constexpr int InvalidBitmap = 20002;
inline constexpr int WriteFailed = 20005;
inline constexpr int ReadFailed = 20007;
inline constexpr int InvalidFileName = 20008;
inline constexpr int InvalidFileFormat = 20009;
inline constexpr int FileNotFound = 20010;
inline constexpr int InvalidSize = 20011;
inline constexpr int SubTypeNotSupported = 20012;
inline constexpr int InvalidParameter = 20013;
inline constexpr int CannotOpenFile = 20014;
inline constexpr int FormatNotAvailable = 20016;
inline constexpr int InvalidQFactor = 20021;
inline constexpr int InvalidBitsPerPixel = 20027;
// A dialog the user cancelled: every command ends silently on it.
inline constexpr int Cancelled = 20150;
}  // namespace errc

// The short text of an imaging error number, in the user's language (English where there is no
// translation); empty for a number without a text.
QString errorText(int code);

}  // namespace quorvel::imaging
