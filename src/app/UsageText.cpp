// SPDX-License-Identifier: GPL-3.0-or-later
#include "UsageText.h"

#include "AppInfo.h"

#include <QCoreApplication>

namespace quorvel::app {

using namespace Qt::StringLiterals;

QString usageText() {
    return QCoreApplication::translate("quorvel::app::UsageText", R"(Usage: quorvel [PICTURE]
       quorvel --batch [OPTIONS] FILE...
       quorvel --help | --version

Corrects the exposure of a photograph. Without an option the window opens; the whole argument
text is the path of the picture to open, with or without double quotes around it.

  --help           print this text and exit
  --version        print the name and version and exit
  --batch          correct every FILE as the window would and save the result beside it (or in
                   --output), named after it with "_M" and the extension of its format

Batch options:
  --slider V       the exposure slider's position, 0 (brightest) .. 40 (darkest); default 20
  --exposure E     the exposure value instead, +2 .. -2 in steps of 0.1 (slider 20 - 10 E)
  --dynamic        dynamic range mode (the "D" button)
  --format F       jpg, bmp, webp, tif, png, wmf, pcx, raw or tga; default: each file's own
                   format where it is one of these, else jpg
  --bits N         bits per pixel, as the save dialog offers them for the format; default 24
  --quality Q      the quality factor of jpg and webp, 2 (best) .. 10 (smallest); default 2
  --output DIR     the folder for the results (made when missing); default: beside each file
  --jobs N         files corrected at once; default: one per processor core
  --overwrite      replace existing results, which are never replaced otherwise

Exit status: 0 success, 1 some files failed (each is named on standard error with the reason),
2 a wrong option.
)");
}

QString versionLine() {
    return u"%1 %2.%3.%4"_s.arg(kAppTitle)
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

}  // namespace quorvel::app
