// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorCodes.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace quorvel::imaging {
namespace {

struct Range {
    int first;
    int last;
    const char* text;
};

// Ascending, without overlaps; numbers in none of the ranges have no text.
constexpr std::array kTexts{
    Range{20000, 20000, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "General failure")},
    Range{20001, 20001,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Not enough memory available")},
    Range{20002, 20002, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Invalid bitmap handle")},
    Range{20003, 20003,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Not enough memory available")},
    Range{20004, 20004,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Error seeking to position")},
    Range{20005, 20005, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Error writing file")},
    Range{20006, 20006,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "File not present - abort")},
    Range{20007, 20007, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Error reading file")},
    Range{20008, 20008,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Invalid filename specified")},
    Range{20009, 20009, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Invalid file format")},
    Range{20010, 20010, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "File not found")},
    Range{20011, 20011, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Invalid width/height")},
    Range{20012, 20012,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes",
                            "Image format recognized, but sub-type not supported")},
    Range{20013, 20013,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Invalid parmameter passed")},
    Range{20014, 20014, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Not able to open file")},
    Range{20015, 20015,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Unknown compression format")},
    Range{20016, 20016,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes",
                            "Not available for file format requested")},
    Range{20017, 20017,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes",
                            "VGA card only supports 256 colors (8 bit)")},
    Range{20018, 20018, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Printer error")},
    Range{20019, 20019, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Data CRC check error")},
    Range{20021, 20021,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Invalid QFactor specified")},
    Range{20022, 20022, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "TARGA not installed")},
    Range{20023, 20023,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Invalid compression format")},
    Range{20024, 20024,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "X origin specified invalid")},
    Range{20025, 20025,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Y origin specified invalid")},
    Range{20026, 20026, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Invalid video mode")},
    Range{20027, 20027, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Invalid bits/pixel")},
    Range{20028, 20028, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Invalid window size")},
    Range{20029, 20029, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Escape key pressed")},
    Range{20030, 20062,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Internal Error - Call LEAD")},
    Range{20063, 20064,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Fixed palette data not found")},
    Range{20065, 20065, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Stamp not found")},
    Range{20070, 20070, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Invalid group 3 code")},
    Range{20071, 20071,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Group3 code end of file")},
    Range{20072, 20072,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Group3 code end of code")},
    Range{20073, 20073,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Premature EOF at scanline")},
    Range{20074, 20077,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Premature end-of-line code")},
    Range{20078, 20078, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Bad version number")},
    Range{20079, 20079,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Twain source manager not found")},
    Range{20080, 20080,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Twain failure due to unknown causes")},
    Range{20081, 20081,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes",
                            "Twain not enough memory to perform operation")},
    Range{20082, 20082, QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Twain no Data Source")},
    Range{20083, 20083,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes",
                            "Twain DS is connected to max possible apps")},
    Range{20084, 20084,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes",
                            "Twain DS or DSM reported error, app shouldn't")},
    Range{20085, 20085,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Twain unknown capability")},
    Range{20086, 20086,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes",
                            "Twain unrecognized MSG DG DAT combination")},
    Range{20087, 20087,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Twain data parameter out of range")},
    Range{20088, 20088,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes",
                            "Twain DG DAT MSG out of expected sequence")},
    Range{20089, 20089,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes",
                            "Twain unknown destination App/Src in DSM_Entry")},
    Range{20090, 20090,
          QT_TRANSLATE_NOOP("quorvel::imaging::ErrorCodes", "Twain operation was cancelled")},
};

}  // namespace

QString errorText(int code) {
    const auto* hit = std::find_if(kTexts.begin(), kTexts.end(), [code](const Range& r) {
        return code >= r.first && code <= r.last;
    });
    return hit == kTexts.end()
               ? QString()
               : QCoreApplication::translate("quorvel::imaging::ErrorCodes", hit->text);
}

}  // namespace quorvel::imaging
