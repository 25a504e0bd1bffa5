// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExternalFiles.h"
#include "ImageFile.h"
#include "TestImages.h"

#include <QDir>

#include <gtest/gtest.h>

namespace quorvel::imaging {
namespace {

using testing::errorOf;

// Every input `make fuzz` ever found (it leaves them in tests/data/fuzz) loads or is refused
// with an error, from memory as from its file and the same way each time; under the sanitizers
// (`make sanitize`) this also replays what they caught. Any other exception fails the test.
TEST(FuzzFindings, LoadOrAreRefusedTheSameWayEveryTime) {
    const QDir findings(QStringLiteral(QUORVEL_FUZZ_FINDINGS));
    // A folder moved away would otherwise pass with nothing replayed.
    ASSERT_TRUE(findings.exists()) << QUORVEL_FUZZ_FINDINGS;
    for (const QString& name : findings.entryList(QDir::Files)) {
        const QString path = findings.filePath(name);
        const QByteArray contents = testing::fileBytes(path);
        const int verdict = errorOf([&] { loadImageData(contents, 0, 0); });
        EXPECT_EQ(errorOf([&] { loadImageData(contents, 0, 0); }), verdict) << name.toStdString();
        EXPECT_EQ(errorOf([&] { loadImageFile(path, 0, 0); }), verdict) << name.toStdString();
    }
}

}  // namespace
}  // namespace quorvel::imaging
