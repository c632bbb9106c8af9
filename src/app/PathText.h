#pragma once

#include <QString>

#include <string>

namespace quillax {

// A path's bytes as the file system names them, and as text to show or hand to a dialog.
QString PathText(const std::string& path);
std::string PathBytes(const QString& path);

} // namespace quillax
