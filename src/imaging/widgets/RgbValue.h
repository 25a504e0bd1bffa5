// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

#include <cstdint>

namespace quorvel::imaging {

// Colours as the 32-bit values the commands pass around: 0x00BBGGRR (red in the low byte).
inline QColor colorFromRgbValue(std::uint32_t value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

inline std::uint32_t rgbValueFromColor(const QColor& color) {
    return std::uint32_t(color.red()) | (std::uint32_t(color.green()) << 8) |
           (std::uint32_t(color.blue()) << 16);
}

}  // namespace quorvel::imaging
