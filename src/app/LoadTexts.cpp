// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoadTexts.h"

namespace quorvel::app {

namespace {
// The open dialog's "All formats" also lists the modern formats and camera RAW files.
const QString kMoreFormats = QStringLiteral(
    "*.webp;*.heic;*.heif;*.avif;*.jxl;*.dng;*.cr2;*.cr3;*.crw;*.nef;*.nrw;*.arw;*.srf;*.sr2;"
    "*.raf;*.orf;*.rw2;*.rwl;*.pef;*.srw;*.x3f;*.3fr;*.iiq;*.mrw;*.mos;*.kdc;*.dcr;*.erf");
}  // namespace

// Users see these lists verbatim, the first pattern "*jpeg" without its dot included.
const QString kLoadImageFilter =
    QStringLiteral(
        "Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|Png (*.png)|*.png|"
        "All formats (*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;"
        "*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur;") +
    kMoreFormats +
    QStringLiteral(
        ")|*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;"
        "*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur;") +
    kMoreFormats + QStringLiteral("|All (*.*)|*.*");

const QString kCommandLineFilter = QStringLiteral(
    "Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|"
    "All formats (*.img;*.gif;*.jpg;*.jpeg;*.png;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;"
    "*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur)|*.img;*.gif;*.jpg;*.jpeg;*.png;*.raw;*.jff;*.jtf;*.pct;"
    "*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur|All (*.*)|*.*");

QString commandLineLoadErrorText(int number, const QString& description) {
    return QStringLiteral("VB Error: '%1' - %2.").arg(number).arg(description);
}

}  // namespace quorvel::app
