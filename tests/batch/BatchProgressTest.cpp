// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchProgress.h"

#include "QtPrinters.h"

#include <QTextStream>

#include <gtest/gtest.h>

namespace quorvel::batch {
namespace {

TEST(ProgressBarTest, ShowsDoneTotalRateAndTimeLeft) {
    EXPECT_EQ(progressBar(0, 24, 0.0), "[..............................] 0/24");
    EXPECT_EQ(progressBar(6, 24, 2.0),
              "[#######.......................] 6/24  3.0 files/s  0:06 left");
    EXPECT_EQ(progressBar(1, 3, 50.0),
              "[##########....................] 1/3  0.0 files/s  1:40 left");
    EXPECT_EQ(progressBar(24, 24, 8.0),
              "[##############################] 24/24  3.0 files/s  0:00 left");
}

TEST(BatchProgressTest, OnATerminalRedrawsTheBarWithFailuresAboveIt) {
    QString text;
    QTextStream err(&text);
    BatchProgress progress(err, 2, true);
    progress.start();
    progress.fileDone("b.jpg", {"b_M.jpg", QString("File not found")});
    progress.finish();
    err.flush();
    EXPECT_TRUE(text.startsWith("\r\x1b[K[..............................] 0/2"));
    EXPECT_TRUE(text.contains("\r\x1b[Kb.jpg: File not found\n\r\x1b[K[###############"));
    EXPECT_TRUE(text.endsWith("left\n"));
}

}  // namespace
}  // namespace quorvel::batch
