// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SystemAccess.h"

#include <QString>

#include <cstdint>

namespace quorvel::help {

// Reads the value `SubKeyRef` of the key `KeyName` under `KeyRoot` through a 1024-byte buffer.
// A string value gives its text (without a terminating zero), a 32-bit number its decimal text;
// a value of another type leaves `KeyVal` as it was. Returns false with `KeyVal` empty when the
// key cannot be opened or the value cannot be read (a value over 1024 bytes cannot). Throws
// std::out_of_range for a value whose data size is 0. The key is always closed again.
bool GetKeyValue(SystemAccess& system, const std::uint32_t& KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal);

}  // namespace quorvel::help
