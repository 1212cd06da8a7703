// The game's own artwork, drawn twice by the resource generator: at its
// design size and at double size for high-density screens.
#include "PictureLoader.h"
#include "Shell.h"

#include <QImage>

namespace tilemere {

namespace {

// "BW_logo.jpg" becomes "BW_logo@2x.jpg", the name Qt's own icon lookups use.
QString doubleSizeName(const QString &gfxName)
{
    qsizetype dot = gfxName.lastIndexOf(u'.');
    if (dot < 0)
        dot = gfxName.size();
    return gfxName.left(dot) + QStringLiteral("@2x") + gfxName.mid(dot);
}

} // namespace

QImage loadArtwork(const QString &gfxName, double devicePixelRatio)
{
    return loadArtwork(applicationFolder() + QStringLiteral("/Gfx/"), gfxName, devicePixelRatio);
}

QImage loadArtwork(const QString &gfxFolder, const QString &gfxName, double devicePixelRatio)
{
    // Above ratio 1 the double-size drawing is the sharper one even when the
    // screen reduces it (1.25, 1.5): shrinking keeps detail, enlarging cannot.
    if (devicePixelRatio > 1) {
        QImage doubled = loadPicture(gfxFolder + doubleSizeName(gfxName));
        if (!doubled.isNull()) {
            doubled.setDevicePixelRatio(2);
            return doubled;
        }
    }
    return loadPicture(gfxFolder + gfxName);
}

} // namespace tilemere
