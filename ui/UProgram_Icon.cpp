#include "ui/UProgram_Icon.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIconEngine>
#include <QList>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace {

// The sides the pictures were rendered at, from cmake/icons.cmake.
constexpr int Sides[] = {VELMORA_ICON_SIDES};

QString Picture_Path(const QString &name, int side, bool doubleDensity)
{
    return QStringLiteral(":/icons/%1-%2%3.png")
        .arg(name, QString::number(side),
             doubleDensity ? QStringLiteral("@2x") : QString());
}

// Qt's own icon engine decodes every file it is given, the side it is told
// included, to check the picture's size; at start that was every picture of
// every button. This one knows the pictures by their names and decodes one
// only when it is drawn. A disabled button's picture is greyed as the style
// greys icons, so a switched-off Start or Cancel does not look ready to press;
// the other modes and states draw the picture as it is.
class TProgram_Icon_Engine : public QIconEngine
{
public:
    explicit TProgram_Icon_Engine(const QString &name)
    {
        // Smallest first, the single-density picture before the double one of
        // the same pixel size.
        for (const int side : Sides)
            m_pictures.append({Picture_Path(name, side, false), side});
        for (const int side : Sides)
            m_pictures.append({Picture_Path(name, side, true), 2 * side});
        std::stable_sort(m_pictures.begin(), m_pictures.end(),
                         [](const TPicture &a, const TPicture &b) { return a.Pixels < b.Pixels; });
    }

    QIconEngine *clone() const override { return new TProgram_Icon_Engine(*this); }
    QString key() const override { return QStringLiteral("TProgram_Icon_Engine"); }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = qMin(size.width(), size.height());
        return QSize(side, side);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const TPicture &picture : m_pictures)
            sizes.append(QSize(picture.Pixels, picture.Pixels));
        return sizes;
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // size is in device pixels.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal) override
    {
        const int pixels = qMin(size.width(), size.height());
        if (pixels <= 0)
            return QPixmap();
        // The smallest picture that is large enough, else the largest; scaled
        // only at a density no picture was rendered for.
        const TPicture *chosen = &m_pictures.constLast();
        for (const TPicture &picture : m_pictures) {
            if (picture.Pixels >= pixels) {
                chosen = &picture;
                break;
            }
        }
        QPixmap pixmap;
        if (!QPixmapCache::find(chosen->File, &pixmap)) {
            if (!pixmap.load(chosen->File))
                return QPixmap();
            QPixmapCache::insert(chosen->File, pixmap);
        }
        if (pixmap.width() != pixels)
            pixmap = pixmap.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode != QIcon::Disabled)
            return pixmap;
        const QString key = chosen->File + QStringLiteral("#disabled-") + QString::number(pixels);
        QPixmap greyed;
        if (!QPixmapCache::find(key, &greyed)) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            greyed = QApplication::style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option);
            QPixmapCache::insert(key, greyed);
        }
        return greyed;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap pixmap = scaledPixmap(rect.size() * ratio, mode, state, ratio);
        pixmap.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pixmap);
    }

private:
    struct TPicture
    {
        QString File;
        int Pixels;
    };
    QList<TPicture> m_pictures;
};

} // namespace

QIcon Program_Icon(const QString &source)
{
    static QHash<QString, QIcon> made;
    const QString name = QFileInfo(source).completeBaseName();
    const auto found = made.constFind(name);
    if (found != made.cend())
        return *found;
    QIcon icon;
    if (QFile::exists(Picture_Path(name, Sides[0], false)))
        icon = QIcon(new TProgram_Icon_Engine(name));
    made.insert(name, icon);
    return icon;
}
