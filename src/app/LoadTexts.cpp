// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoadTexts.h"

#include <QCoreApplication>

namespace quorvel::app {
namespace {

QString translated(const char* english) {
    return QCoreApplication::translate("quorvel::app::LoadTexts", english);
}

// The open dialog's "All formats" also lists the modern formats and camera RAW files.
const QString kMoreFormats = QStringLiteral(
    "*.webp;*.heic;*.heif;*.avif;*.jxl;*.dng;*.cr2;*.cr3;*.crw;*.nef;*.nrw;*.arw;*.srf;*.sr2;"
    "*.raf;*.orf;*.rw2;*.rwl;*.pef;*.srw;*.x3f;*.3fr;*.iiq;*.mrw;*.mos;*.kdc;*.dcr;*.erf");
}  // namespace

// Users see these lists verbatim, the first pattern "*jpeg" without its dot included.
// The more modern formats and camera RAW files are added to "All formats" in place of %1.
QString loadImageFilter() {
    return translated(
               QT_TRANSLATE_NOOP(
                   "quorvel::app::LoadTexts",
                   "Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|Png "
                   "(*.png)|*.png|All formats (*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;"
                   "*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur;%1)|"
                   "*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;"
                   "*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur;%1|All (*.*)|*.*"))
        .arg(kMoreFormats);
}

QString commandLineFilter() {
    return translated(QT_TRANSLATE_NOOP(
        "quorvel::app::LoadTexts",
        "Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|"
        "All formats (*.img;*.gif;*.jpg;*.jpeg;*.png;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;"
        "*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur)|*.img;*.gif;*.jpg;*.jpeg;*.png;*.raw;*.jff;"
        "*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur|All (*.*)|*.*"));
}

QString openDialogTitle() {
    return translated(QT_TRANSLATE_NOOP("quorvel::app::LoadTexts", "Open File"));
}

QString loadErrorTitle() {
    return translated(QT_TRANSLATE_NOOP("quorvel::app::LoadTexts", "Load Error"));
}

QString unknownFormatText() {
    return translated(QT_TRANSLATE_NOOP("quorvel::app::LoadTexts", "Don't know the file format!"));
}

QString commandLineLoadErrorText(int number, const QString& description) {
    return translated(QT_TRANSLATE_NOOP("quorvel::app::LoadTexts", "VB Error: '%1' - %2."))
        .arg(QString::number(number), description);
}

QString windowTitleShowing(const QString& path) {
    // A doubled placeholder is shown as one, literally.
    return QString(path).replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

}  // namespace quorvel::app
