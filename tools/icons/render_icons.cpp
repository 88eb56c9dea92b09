// Host build tool: renders the program's SVG icons to PNG, so that programs
// built against a Qt without its SVG module (the Windows build) draw the
// same pictures, and makes the Windows program icon.
//
//   velmora_icon_render png OUT_DIR SIDES SVG...   OUT_DIR/<name>-<side>.png and <name>-<side>@2x.png
//   velmora_icon_render ico OUT_FILE SVG           one .ico holding the usual Windows icon sizes

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <cstdio>

namespace {

QImage Render(QSvgRenderer &renderer, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // The same hints the windows draw with, so the pictures match.
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image;
}

bool Fail(const QString &text)
{
    std::fprintf(stderr, "velmora_icon_render: %s\n", qPrintable(text));
    return false;
}

bool Save(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

QByteArray Png_Bytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool Write_Pngs(const QString &folder, const QStringList &sides, const QStringList &sources)
{
    QDir().mkpath(folder);
    for (const QString &source : sources) {
        QSvgRenderer renderer(source);
        if (!renderer.isValid())
            return Fail(QStringLiteral("cannot read %1").arg(source));
        const QString name = QFileInfo(source).completeBaseName();
        for (const QString &sideText : sides) {
            const int side = sideText.toInt();
            if (side <= 0)
                return Fail(QStringLiteral("not a side: %1").arg(sideText));
            const QString base = QStringLiteral("%1/%2-%3").arg(folder, name).arg(side);
            if (!Save(base + QStringLiteral(".png"), Png_Bytes(Render(renderer, side)))
                || !Save(base + QStringLiteral("@2x.png"), Png_Bytes(Render(renderer, 2 * side))))
                return false;
        }
    }
    return true;
}

// An .ico of PNG-compressed images, which every Windows since Vista reads.
bool Write_Ico(const QString &path, const QString &source)
{
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return Fail(QStringLiteral("cannot read %1").arg(source));
    const int sides[] = {16, 24, 32, 48, 64, 256};
    const int count = int(sizeof(sides) / sizeof(sides[0]));
    QList<QByteArray> images;
    for (const int side : sides)
        images.append(Png_Bytes(Render(renderer, side)));

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(count);
    quint32 offset = 6 + 16 * quint32(count);
    for (int i = 0; i < count; ++i) {
        // A side of 256 is written as 0.
        out << quint8(sides[i] & 0xFF) << quint8(sides[i] & 0xFF) << quint8(0) << quint8(0)
            << quint16(1) << quint16(32) << quint32(images[i].size()) << offset;
        offset += quint32(images[i].size());
    }
    for (const QByteArray &image : images)
        bytes.append(image);
    return Save(path, bytes);
}

} // namespace

int main(int argc, char *argv[])
{
    // Runs during builds without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool done = false;
    if (args.size() >= 4 && args[0] == QLatin1String("png"))
        done = Write_Pngs(args[1], args[2].split(QLatin1Char(',')), args.mid(3));
    else if (args.size() == 3 && args[0] == QLatin1String("ico"))
        done = Write_Ico(args[1], args[2]);
    else
        Fail(QStringLiteral("usage: velmora_icon_render png OUT_DIR SIDES SVG... | ico OUT_FILE SVG"));
    return done ? 0 : 1;
}
