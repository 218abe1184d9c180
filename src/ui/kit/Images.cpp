#include "ui/kit/Images.h"

#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QResource>

#include <algorithm>
#include <cstring>
#include <iterator>

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

// The sizes the icon is drawn in: 16, 32 and 48 pixels, and their doubles.
constexpr int IconSizes[] = {16, 32, 48, 64, 96};

QImage iconImage(int size)
{
    return rawImage(QStringLiteral("icon%1.rgba").arg(size), size, size);
}

// An image drawn at 1x or 2x as a pixmap of the screen's pixels: ratios in
// between (1.25, 1.5, 1.75) take the 2x drawing, scaled down smoothly to the
// device's pixels, so that painting never scales it again.
QPixmap forRatio(QImage image, QSize logicalSize, qreal devicePixelRatio)
{
    const QSize pixels = (QSizeF(logicalSize) * devicePixelRatio).toSize();
    if (image.size() != pixels)
        image = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

// Draws the label's picture again when its screen's density has changed
// since; it looks at each paint, as Qt has no one event for that change.
class PictureFollower final : public QObject
{
    Q_OBJECT
  public:
    PictureFollower(QLabel *label, std::function<QPixmap(qreal)> draw) : QObject(label), m_draw(std::move(draw))
    {
        show(label);
        label->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            show(static_cast<QLabel *>(watched));
        return false;
    }

  private:
    void show(QLabel *label)
    {
        const qreal ratio = label->devicePixelRatioF();
        if (ratio == m_ratio)
            return;
        m_ratio = ratio;
        label->setPixmap(m_draw(ratio));
    }

    std::function<QPixmap(qreal)> m_draw;
    qreal m_ratio = 0;
};

} // namespace

namespace ui
{

QIcon starbondIcon()
{
    QIcon icon;
    for (int size : IconSizes)
        icon.addPixmap(QPixmap::fromImage(iconImage(size)));
    return icon;
}

QPixmap iconPicture(int size, qreal devicePixelRatio)
{
    // The icon's nearest size at or above the pixels wanted, made to fit:
    // only that one image is read.
    const QSize logical(size, size);
    const int pixels = (QSizeF(logical) * devicePixelRatio).toSize().width();
    const int *nearest = std::find_if(std::begin(IconSizes), std::end(IconSizes), [&](int s) { return s >= pixels; });
    return forRatio(iconImage(nearest == std::end(IconSizes) ? IconSizes[std::size(IconSizes) - 1] : *nearest), logical,
                    devicePixelRatio);
}

QPixmap starPicture(qreal devicePixelRatio)
{
    const QSize logical(103, 105);
    if (devicePixelRatio <= 1)
        return QPixmap::fromImage(rawImage(QStringLiteral("picture1.rgba"), 103, 105));
    return forRatio(rawImage(QStringLiteral("picture1@2x.rgba"), 206, 210), logical, devicePixelRatio);
}

void showPicture(QLabel *label, std::function<QPixmap(qreal devicePixelRatio)> draw)
{
    new PictureFollower(label, std::move(draw));
}

} // namespace ui

#include "Images.moc"
