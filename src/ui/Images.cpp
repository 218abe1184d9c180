#include "ui/Images.h"

#include <QImage>
#include <QResource>

#include <cstring>

// Outside any namespace, as the resource's initialiser is a global symbol;
// naming it keeps the images in the link from the static library.
static void initImages()
{
    Q_INIT_RESOURCE(starbond);
}

namespace
{

// The images are kept as raw RGBA bytes (drawn by tools/make_images.cpp), so
// that start-up spends no time decoding PNG files.
QImage rawImage(const QString &name, int width, int height)
{
    initImages();
    const QByteArray bytes = QResource(QStringLiteral(":/starbond/") + name).uncompressedData();
    if (bytes.size() != qsizetype(width) * height * 4)
        return {};
    QImage image(width, height, QImage::Format_RGBA8888);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), bytes.constData() + qsizetype(y) * width * 4, std::size_t(width) * 4);
    return image;
}

} // namespace

namespace ui
{

QIcon StarbondIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(rawImage(QStringLiteral("icon%1.rgba").arg(size), size, size)));
    return icon;
}

QPixmap StarPicture()
{
    return QPixmap::fromImage(rawImage(QStringLiteral("picture1.rgba"), 103, 105));
}

} // namespace ui
