// SPDX-License-Identifier: GPL-3.0-or-later
#include "TiffSanity.h"

#include "CaseNames.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace quorvel::imaging {
namespace {

using quorvel::testing::PrintTo;

struct Layout {
    const char* name;
    const char* prefix;  // ImageMagick's output format
    QStringList options;
};

// Files as other programs write them must never be refused.
const Layout kLayouts[] = {
    {"Strips", "TIFF", {}},
    {"Tiles", "PTIF", {}},
    {"Deflate", "TIFF", {"-compress", "zip"}},
    {"BigTiff", "TIFF64", {}},
};

class TiffLayouts : public ::testing::TestWithParam<Layout> {};

TEST_P(TiffLayouts, HoldTheirData) {
    QTemporaryDir dir;
    const QString file = dir.filePath("picture.tif");
    const QStringList arguments = QStringList{"-size", "300x200", "xc:", "+noise", "Random"} +
                                  GetParam().options +
                                  QStringList{QString(GetParam().prefix) + ":" + file};
    ASSERT_EQ(QProcess::execute("convert", arguments), 0);
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_TRUE(tiffHoldsItsData(in.readAll()));
}

INSTANTIATE_TEST_SUITE_P(TiffSanity, TiffLayouts, ::testing::ValuesIn(kLayouts),
                         ::testing::PrintToStringParamName());

// A big-endian TIFF whose one strip of `length` bytes starts right after its directory,
// followed by `present` bytes of it.
QByteArray bigEndianStrip(quint32 length, int present) {
    QByteArray bytes(8 + 2 + 2 * 12 + 4, '\0');
    auto* out = reinterpret_cast<uchar*>(bytes.data());
    memcpy(out, "MM\0*", 4);
    qToBigEndian<quint32>(8, out + 4);
    qToBigEndian<quint16>(2, out + 8);
    const quint32 entries[2][2] = {{273, quint32(bytes.size())}, {279, length}};
    for (int i = 0; i < 2; ++i) {
        uchar* entry = out + 10 + 12 * i;
        qToBigEndian<quint16>(quint16(entries[i][0]), entry);
        qToBigEndian<quint16>(4, entry + 2);  // LONG
        qToBigEndian<quint32>(1, entry + 4);
        qToBigEndian<quint32>(entries[i][1], entry + 8);
    }
    return bytes + QByteArray(present, 'x');
}

TEST(TiffSanity, RefusesAStripThatEndsPastTheFile) {
    EXPECT_TRUE(tiffHoldsItsData(bigEndianStrip(100, 100)));
    EXPECT_FALSE(tiffHoldsItsData(bigEndianStrip(100, 99)));
    EXPECT_FALSE(tiffHoldsItsData(bigEndianStrip(0xffffffff, 100)));
}

// What cannot be followed is the reader's to judge; looping directories end the walk.
TEST(TiffSanity, LeavesUnreadableDirectoriesToTheReader) {
    EXPECT_TRUE(tiffHoldsItsData(QByteArray("II*\0", 4)));
    EXPECT_TRUE(tiffHoldsItsData(QByteArray("II*\0\xff\xff\xff\x7f", 8)));
    EXPECT_TRUE(tiffHoldsItsData(QByteArray("not a TIFF")));
    EXPECT_TRUE(tiffHoldsItsData(QByteArray("II*\0\x08\0\0\0\0\0\x08\0\0\0", 14)));
}

}  // namespace
}  // namespace quorvel::imaging

#include "CaseNames.h"