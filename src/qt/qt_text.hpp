// The workbench's texts (UTF-16) as Qt strings and back, unit for unit; file paths as
// the core's file functions take them.
#pragma once

#include <QFile>
#include <QString>
#include <QStringView>

#include <string>

#include "machine/charset.hpp"

namespace comet {

inline QString toQString(TextView text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline Text toText(QStringView text) { return Text(text.utf16(), static_cast<size_t>(text.size())); }

// A path in the file system's own encoding, as the core opens it, and back.
inline std::string nativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }
inline QString pathOf(const std::string& native) { return QFile::decodeName(QByteArray::fromStdString(native)); }

// Window sizes: the logic counts twips (1/1440 inch), the widgets pixels at the screen's logical dpi.
inline int pixelsFromTwips(int twips, int dpi) { return (twips * dpi + 720) / 1440; }
inline int twipsFromPixels(int pixels, int dpi) { return (pixels * 1440 + dpi / 2) / dpi; }

}  // namespace comet
