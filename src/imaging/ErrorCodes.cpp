// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorCodes.h"

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
    Range{20000, 20000, "General failure"},
    Range{20001, 20001, "Not enough memory available"},
    Range{20002, 20002, "Invalid bitmap handle"},
    Range{20003, 20003, "Not enough memory available"},
    Range{20004, 20004, "Error seeking to position"},
    Range{20005, 20005, "Error writing file"},
    Range{20006, 20006, "File not present - abort"},
    Range{20007, 20007, "Error reading file"},
    Range{20008, 20008, "Invalid filename specified"},
    Range{20009, 20009, "Invalid file format"},
    Range{20010, 20010, "File not found"},
    Range{20011, 20011, "Invalid width/height"},
    Range{20012, 20012, "Image format recognized, but sub-type not supported"},
    Range{20013, 20013, "Invalid parmameter passed"},
    Range{20014, 20014, "Not able to open file"},
    Range{20015, 20015, "Unknown compression format"},
    Range{20016, 20016, "Not available for file format requested"},
    Range{20017, 20017, "VGA card only supports 256 colors (8 bit)"},
    Range{20018, 20018, "Printer error"},
    Range{20019, 20019, "Data CRC check error"},
    Range{20021, 20021, "Invalid QFactor specified"},
    Range{20022, 20022, "TARGA not installed"},
    Range{20023, 20023, "Invalid compression format"},
    Range{20024, 20024, "X origin specified invalid"},
    Range{20025, 20025, "Y origin specified invalid"},
    Range{20026, 20026, "Invalid video mode"},
    Range{20027, 20027, "Invalid bits/pixel"},
    Range{20028, 20028, "Invalid window size"},
    Range{20029, 20029, "Escape key pressed"},
    Range{20030, 20062, "Internal Error - Call LEAD"},
    Range{20063, 20064, "Fixed palette data not found"},
    Range{20065, 20065, "Stamp not found"},
    Range{20070, 20070, "Invalid group 3 code"},
    Range{20071, 20071, "Group3 code end of file"},
    Range{20072, 20072, "Group3 code end of code"},
    Range{20073, 20073, "Premature EOF at scanline"},
    Range{20074, 20077, "Premature end-of-line code"},
    Range{20078, 20078, "Bad version number"},
    Range{20079, 20079, "Twain source manager not found"},
    Range{20080, 20080, "Twain failure due to unknown causes"},
    Range{20081, 20081, "Twain not enough memory to perform operation"},
    Range{20082, 20082, "Twain no Data Source"},
    Range{20083, 20083, "Twain DS is connected to max possible apps"},
    Range{20084, 20084, "Twain DS or DSM reported error, app shouldn't"},
    Range{20085, 20085, "Twain unknown capability"},
    Range{20086, 20086, "Twain unrecognized MSG DG DAT combination"},
    Range{20087, 20087, "Twain data parameter out of range"},
    Range{20088, 20088, "Twain DG DAT MSG out of expected sequence"},
    Range{20089, 20089, "Twain unknown destination App/Src in DSM_Entry"},
    Range{20090, 20090, "Twain operation was cancelled"},
};

}  // namespace

QString errorText(int code) {
    const auto* hit = std::find_if(kTexts.begin(), kTexts.end(), [code](const Range& r) {
        return code >= r.first && code <= r.last;
    });
    return hit == kTexts.end() ? QString() : QString::fromLatin1(hit->text);
}

}  // namespace quorvel::imaging
