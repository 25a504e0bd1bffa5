// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveFormatList.h"

#include "FileFormats.h"

#include <QStringList>

namespace quorvel::saving {

using namespace Qt::StringLiterals;

const std::array<SaveFormatListEntry, 9> kSaveFormatList{{
    {3, 18},
    {75, std::nullopt},
    {73, 3},
    {69, 25609},
    {11, std::nullopt},
    {79, std::nullopt},
    {46, std::nullopt},
    {143, std::nullopt},
    {57, std::nullopt},
}};

std::optional<int> PreselectedPosition(const QString& lastExtension) {
    // Position 3 has no extension of its own here: nothing preselects it.
    struct Row {
        QString lower;
        int position;
    };
    static const std::array kRows{Row{u"jpg"_s, 1}, Row{u"bmp"_s, 2}, Row{u"tif"_s, 4},
                                  Row{u"png"_s, 5}, Row{u"wmf"_s, 6}, Row{u"pcx"_s, 7},
                                  Row{u"raw"_s, 8}, Row{u"tga"_s, 9}};
    using Form = QString (*)(const QString&);
    const Form forms[] = {[](const QString& s) { return s; },
                          [](const QString& s) { return s.toUpper(); },
                          [](const QString& s) { return s.left(1).toUpper() + s.mid(1); }};
    for (const Form form : forms) {
        for (const Row& row : kRows) {
            if (lastExtension == form(row.lower)) {
                return row.position;
            }
        }
    }
    return std::nullopt;
}

QString ProposedJpegName(const QString& fileName) {
    if (fileName.isEmpty()) {
        return fileName;
    }
    return fileName.section(u'.', 0, 0) + u".jpg"_s;
}

QString FormatExtension(short formatCode) {
    const imaging::FileFormat* format = imaging::fileFormatByCode(formatCode);
    return QLatin1String(format != nullptr ? format->extension : "bmp");
}

QString CompletedPath(const QString& path, short formatCode) {
    return path.contains(u'.') ? path : path + u'.' + FormatExtension(formatCode);
}

QString ExtensionOfPath(const QString& path) {
    const QStringList pieces = path.split(u'.');
    return pieces.size() > 1 ? pieces[1] : QString();
}

}  // namespace quorvel::saving
