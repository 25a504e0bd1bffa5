// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputNames.h"

namespace quorvel::batch {

using namespace Qt::StringLiterals;

const imaging::FileFormat* formatNamed(const QString& name) {
    const QString lower = name.toLower();
    const QString canonical = lower == u"jpeg"_s || lower == u"jpe"_s ? u"jpg"_s
                              : lower == u"tiff"_s                    ? u"tif"_s
                                                                      : lower;
    for (const imaging::FileFormat& format : imaging::fileFormats()) {
        if (canonical == QLatin1String(format.extension)) {
            return &format;
        }
    }
    return nullptr;
}

namespace {

qsizetype nameStart(const QString& path) {
    return path.lastIndexOf(u'/') + 1;
}

// The position of the dot before the last extension; -1 when the name has none (a name that
// only starts with a dot is hidden, not an extension).
qsizetype extensionDot(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > nameStart(path) ? dot : -1;
}

}  // namespace

const imaging::FileFormat& ownFormatOf(const QString& path) {
    const qsizetype dot = extensionDot(path);
    const imaging::FileFormat* format = dot < 0 ? nullptr : formatNamed(path.mid(dot + 1));
    return format != nullptr ? *format : *imaging::fileFormatByCode(imaging::fileformat::Jpeg);
}

QString outputPath(const QString& input, const imaging::FileFormat& format,
                   const std::optional<QString>& folder) {
    const qsizetype start = nameStart(input);
    const qsizetype dot = extensionDot(input);
    const QString base = input.mid(start, dot < 0 ? -1 : dot - start);
    const QString name = base + u"_M."_s + QLatin1String(format.extension);
    if (!folder) {
        return input.left(start) + name;
    }
    return folder->endsWith(u'/') ? *folder + name : *folder + u'/' + name;
}

}  // namespace quorvel::batch
