#pragma once

#include <QImage>
#include <QString>

namespace zebak::gui {

/// Writes `image` as a PNG file at `path` through the atomic writer, so a failure never
/// leaves half a file. A path without a suffix gets ".png". Returns the path written;
/// throws FileWriteError (the text names the file and the reason) when writing fails.
QString writePngFile(const QImage& image, QString path);

}  // namespace zebak::gui
