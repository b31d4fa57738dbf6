#include "qt/program_icon.hpp"

#include <QDir>

namespace comet {

QIcon programIcon() {
    QIcon icon;
    const QDir folder(QStringLiteral(":/icons"));
    for (const QString& name : folder.entryList(QDir::Files)) icon.addFile(folder.filePath(name));
    return icon;
}

}  // namespace comet
