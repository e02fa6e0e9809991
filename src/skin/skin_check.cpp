#include "skin/skin_check.h"

#include "skin/skin_files.h"
#include "skin/window_outline.h"
#include "support/controls/twips.h"

#include <QFileInfo>

SkinCandidate readSkinCandidate(const QString& folder,
                                const std::array<QRect, kSkinElementCount>& current) {
    SkinCandidate skin;
    const QString base = findSkinFile(folder, QString::fromUtf16(kSkinBaseBitmapName));
    skin.baseFileFound = !base.isEmpty();
    if (skin.baseFileFound)
        skin.base = QImage(base);
    skin.descriptionFound =
        !findSkinFile(folder, QString::fromUtf16(kSkinDescriptionFileName)).isEmpty();
    skin.description = readSkinDescription(folder);
    skin.current = current;
    return skin;
}

QRect placedRect(QRect rect, const TwipsGeometry& geometry) {
    if (geometry.topTwips)
        rect.moveTop(twipsToPixels(*geometry.topTwips));
    if (geometry.leftTwips)
        rect.moveLeft(twipsToPixels(*geometry.leftTwips));
    if (geometry.heightTwips)
        rect.setHeight(twipsToPixels(*geometry.heightTwips));
    if (geometry.widthTwips)
        rect.setWidth(twipsToPixels(*geometry.widthTwips));
    return rect;
}

namespace {

bool placesAnything(const SkinDescription& d) {
    for (const TwipsGeometry& g : d.geometry)
        if (g != TwipsGeometry{})
            return true;
    return false;
}

// A control the user must always reach: whole, inside the window, and not
// cut out of it by the key colour.
QString unreachable(const SkinCandidate& skin, SkinElement element, const char* what) {
    const QRect rect =
        placedRect(skin.current[std::size_t(element)], skin.description.element(element));
    const QRect window(QPoint(0, 0), skin.base.size());
    if (rect.isEmpty() || !window.contains(rect))
        return QStringLiteral("its %1 button lies outside the window").arg(QLatin1String(what));
    if (!windowOutlineRegion(skin.base).contains(rect.center()))
        return QStringLiteral("its %1 button is cut out of the window").arg(QLatin1String(what));
    return {};
}

} // namespace

QString skinProblem(const SkinCandidate& skin, QSize screen) {
    const QString base = QString::fromUtf16(kSkinBaseBitmapName);
    if (!skin.baseFileFound)
        return QStringLiteral("its picture %1 is missing").arg(base);
    if (skin.base.isNull())
        return QStringLiteral("its picture %1 cannot be read").arg(base);
    if (skin.base.width() > screen.width() || skin.base.height() > screen.height())
        return QStringLiteral("its window (%1x%2) is larger than the screen")
            .arg(skin.base.width())
            .arg(skin.base.height());
    // A description that places nothing leaves the controls away from the
    // buttons the picture draws.
    if (skin.descriptionFound && !placesAnything(skin.description))
        return QStringLiteral("its %1 places none of the controls")
            .arg(QString::fromUtf16(kSkinDescriptionFileName));
    for (const auto& [element, what] : {std::pair{SkinElement::ClosePlayer, "close"},
                                        std::pair{SkinElement::Config, "configuration"}})
        if (const QString problem = unreachable(skin, element, what); !problem.isEmpty())
            return problem;
    // Any other control the file places must at least touch the window.
    const QRect window(QPoint(0, 0), skin.base.size());
    for (int i = 0; i < kSkinElementCount; ++i) {
        const TwipsGeometry& given = skin.description.geometry[std::size_t(i)];
        if (given == TwipsGeometry{})
            continue;
        const QRect rect = placedRect(skin.current[std::size_t(i)], given);
        if (!rect.isEmpty() && !window.intersects(rect))
            return QStringLiteral("its control \"%1\" lies outside the window")
                .arg(skinElementName(SkinElement(i)));
    }
    return {};
}
