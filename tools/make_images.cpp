// Draws the program's images: the main window's picture (an eight-pointed
// star ringed by the planets' symbols) and the icon in the hicolor sizes,
// with copies at twice the size for screens of twice the density.
// The output is committed under resources/; run again only to change them.
// starbond.ico carries the icon into the Windows program's resources.
// The program itself reads raw RGBA copies (resources/raw/), which need no
// image format plugin.
//
//   starbond-images <resources dir>

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cstdio>

namespace
{

const QColor Orange(236, 74, 40);
const QColor Night(24, 28, 74);
const QColor Gold(255, 206, 64);
const QColor DeepGold(196, 120, 16);

// Eight points, alternately long and short, around centre c.
QPainterPath star(QPointF c, double outer, double inner)
{
    QPainterPath path;
    for (int k = 0; k < 16; ++k) {
        const double r = k % 2 == 0 ? outer : inner;
        const double angle = qDegreesToRadians(-90.0 + k * 22.5);
        const QPointF p(c.x() + r * std::cos(angle), c.y() + r * std::sin(angle));
        k == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

void drawStar(QPainter &p, QPointF c, double outer, double outline)
{
    QRadialGradient fill(c, outer);
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(0.35, Gold);
    fill.setColorAt(1, DeepGold);
    p.setBrush(fill);
    p.setPen(outline > 0 ? QPen(DeepGold.darker(160), outline) : Qt::NoPen);
    p.drawPath(star(c, outer, outer * 0.45));
}

// At scale 1 the picture is 103 x 105 pixels; at 2 the same drawing with
// twice the pixels each way, for screens of twice the density.
QImage picture(int scale)
{
    QImage image(103 * scale, 105 * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    const QPointF c(51.5, 52.5);

    QRadialGradient sky(c, 51);
    sky.setColorAt(0, Night.lighter(170));
    sky.setColorAt(1, Night);
    p.setBrush(sky);
    p.setPen(QPen(Gold, 1.5));
    p.drawEllipse(c, 50, 50);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 90), 0.8));
    p.drawEllipse(c, 34, 34);

    drawStar(p, c, 31, 0.8);

    // Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto.
    const char16_t glyphs[] = u"\u2609\u263D\u263F\u2640\u2642\u2643\u2644\u2645\u2646\u2647";
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    for (int k = 0; k < 10; ++k) {
        const double angle = qDegreesToRadians(-90.0 + k * 36.0);
        const QPointF at(c.x() + 42 * std::cos(angle), c.y() + 42 * std::sin(angle));
        p.drawText(QRectF(at.x() - 8, at.y() - 8, 16, 16), Qt::AlignCenter, QString(QChar(glyphs[k])));
    }
    return image;
}

QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Orange);
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 5, 5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
    p.drawEllipse(QPointF(16, 16), 12.5, 12.5);
    if (size >= 48) {
        // Small planets on the ring where there is room for them.
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (int k = 0; k < 4; ++k) {
            const double angle = qDegreesToRadians(-67.5 + k * 90.0);
            p.drawEllipse(QPointF(16 + 12.5 * std::cos(angle), 16 + 12.5 * std::sin(angle)), 1.4, 1.4);
        }
    }
    drawStar(p, QPointF(16, 16), 11, size >= 32 ? 0.5 : 0);
    return image;
}

// Rows of RGBA bytes, top to bottom, without padding or header.
bool saveRaw(const QImage &image, const QString &path)
{
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (int y = 0; y < rgba.height(); ++y)
        if (file.write(reinterpret_cast<const char *>(rgba.constScanLine(y)), qint64(rgba.width()) * 4) !=
            qint64(rgba.width()) * 4)
            return false;
    return file.flush();
}

// A Windows icon file holding the images as PNG, as Windows reads them since
// Vista: a header, one directory entry an image, then the images.
bool saveIco(const QList<QImage> &images, const QString &path)
{
    QList<QByteArray> pngs;
    for (const QImage &image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
            return false;
        pngs << png;
    }
    QByteArray ico;
    QDataStream out(&ico, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * quint32(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int size = images[i].width();
        out << quint8(size >= 256 ? 0 : size) << quint8(size >= 256 ? 0 : size) << quint8(0) << quint8(0) << quint16(1)
            << quint16(32) << quint32(pngs[i].size()) << offset;
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray &png : pngs)
        ico += png;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: starbond-images <resources dir>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = out.mkpath(QStringLiteral("raw"));
    const QImage star = picture(1);
    ok = star.save(out.filePath(QStringLiteral("picture1.png"))) && ok;
    ok = saveRaw(star, out.filePath(QStringLiteral("raw/picture1.rgba"))) && ok;
    ok = saveRaw(picture(2), out.filePath(QStringLiteral("raw/picture1@2x.rgba"))) && ok;
    QList<QImage> windowsIcon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("icons/hicolor/%1x%1/apps").arg(size);
        const QImage image = icon(size);
        if (size != 64 && size != 128)
            windowsIcon << image;
        ok = out.mkpath(dir) && image.save(out.filePath(dir + QStringLiteral("/starbond.png"))) && ok;
    }
    // The window's icon sizes (16, 32, 48) and their doubles.
    for (int size : {16, 32, 48, 64, 96})
        ok = saveRaw(icon(size), out.filePath(QStringLiteral("raw/icon%1.rgba").arg(size))) && ok;
    ok = saveIco(windowsIcon, out.filePath(QStringLiteral("starbond.ico"))) && ok;
    return ok ? 0 : 1;
}
