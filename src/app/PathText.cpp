#include "app/PathText.h"

#include <QFile>

namespace quillax {

QString PathText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace quillax
