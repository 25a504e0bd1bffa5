// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoadTexts.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

// The "All formats" entry of a filter string: its description's list and its patterns.
struct AllFormats {
    QStringList described;
    QStringList patterns;
};

AllFormats allFormatsOf(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].startsWith(QLatin1String("All formats ("))) {
            QString described = parts[i].mid(13);
            described.chop(1);
            return {described.split(QLatin1Char(';')), parts[i + 1].split(QLatin1Char(';'))};
        }
    }
    return {};
}

TEST(LoadTexts, OpenDialogListsModernAndCameraRawFormatsAfterTheFirstOnes) {
    const AllFormats all = allFormatsOf(loadImageFilter());
    EXPECT_EQ(all.described, all.patterns);
    EXPECT_EQ(all.patterns.first(), "*.img");
    for (const char* added :
         {"*.webp", "*.heic", "*.heif", "*.avif", "*.jxl", "*.dng", "*.cr2", "*.cr3", "*.nef",
          "*.arw", "*.raf", "*.orf", "*.rw2", "*.pef", "*.srw"}) {
        EXPECT_TRUE(all.patterns.contains(QLatin1String(added))) << added;
    }
}

TEST(LoadTexts, DesktopEntryOffersCameraRawAndModernTypes) {
    QFile entry(QStringLiteral(QUORVEL_SOURCE_DIR "/packaging/quorvel.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    for (const char* type :
         {"image/jpeg;", "image/x-portable-pixmap;", "image/webp;", "image/heic;", "image/heif;",
          "image/avif;", "image/jxl;", "image/x-adobe-dng;", "image/x-canon-cr2;",
          "image/x-canon-cr3;", "image/x-nikon-nef;", "image/x-sony-arw;", "image/x-fuji-raf;",
          "image/x-olympus-orf;", "image/x-panasonic-rw2;", "image/x-pentax-pef;",
          "image/x-samsung-srw;"}) {
        EXPECT_TRUE(text.contains(type)) << type;
    }
}

}  // namespace
}  // namespace quorvel::app
