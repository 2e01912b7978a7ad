#include "gui/kit/PngFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <string_view>

#include "core/FileWrite.h"

namespace zebak::gui {

QString writePngFile(const QImage& image, QString path) {
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw FileWriteError("Das Bild für " + path.toStdString() +
                             " konnte nicht als PNG verschlüsselt werden.");
    writeFileSafely(path.toStdString(),
                    std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return path;
}

}  // namespace zebak::gui
