#include "ReadBack.h"

#include <QFile>
#include <QProcess>

#include <cmath>
#include <limits>

namespace quorvel::testing {

QByteArray runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    return process.readAllStandardOutput();
}

Decoded decodeWithImageMagick(const QString& path, int page) {
    const QString one = QStringLiteral("%1[%2]").arg(path).arg(page);
    const QStringList info =
        QString::fromLatin1(runTool("identify", {"-format", "%w %h %[channels]", one})).split(' ');
    if (info.size() != 3) {
        return {};
    }
    return {info[0].toInt(), info[1].toInt(), info[2],
            runTool("convert", {one, "-depth", "8", "rgba:-"})};
}

QByteArray rgbaOf(const imaging::Bitmap& bitmap) {
    QByteArray out;
    const int channels = bitmap.channels();
    for (int y = 0; y < bitmap.height(); ++y) {
        for (const std::uint8_t* p = bitmap.row(y); p < bitmap.row(y) + bitmap.rowBytes();
             p += channels) {
            const char rgba[] = {char(p[0]), char(p[channels > 1 ? 1 : 0]),
                                 char(p[channels > 1 ? 2 : 0]), char(channels == 4 ? p[3] : 255)};
            out.append(rgba, 4);
        }
    }
    return out;
}

double psnrRgb(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size() || a.isEmpty()) {
        return 0.0;
    }
    double squares = 0.0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const double d = i % 4 == 3 ? 0.0 : double(uchar(a[i])) - double(uchar(b[i]));
        squares += d * d;
    }
    const double mean = squares / double(a.size() / 4 * 3);
    return mean == 0.0 ? std::numeric_limits<double>::infinity()
                       : 10.0 * std::log10(255.0 * 255.0 / mean);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace quorvel::testing
