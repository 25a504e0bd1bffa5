// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageFile.h"
#include "ImagingError.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <new>

namespace quorvel::imaging {
namespace {

// The error number loading gives, 0 when the picture loads.
int verdictOf(const std::function<void()>& load) {
    try {
        load();
    } catch (const ImagingError& error) {
        return error.number();
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return 0;
}

// Every input `make fuzz` ever found (it leaves them in tests/data/fuzz) loads or is refused
// with an error, from memory as from its file and the same way each time; under the sanitizers
// (`make sanitize`) this also replays what they caught.
TEST(FuzzFindings, LoadOrAreRefusedTheSameWayEveryTime) {
    const QDir findings(QStringLiteral(QUORVEL_FUZZ_FINDINGS));
    const QStringList names = findings.entryList(QDir::Files);
    for (const QString& name : names) {
        const QString path = findings.filePath(name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray contents = file.readAll();
        const int verdict = verdictOf([&] { loadImageData(contents, 0, 0); });
        EXPECT_NE(verdict, -1) << name.toStdString();
        EXPECT_EQ(verdictOf([&] { loadImageData(contents, 0, 0); }), verdict)
            << name.toStdString();
        EXPECT_EQ(verdictOf([&] { loadImageFile(path, 0, 0); }), verdict) << name.toStdString();
    }
}

}  // namespace
}  // namespace quorvel::imaging
