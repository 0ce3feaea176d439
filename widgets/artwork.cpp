// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/artwork.h"

#include "widgets/look.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleOption>
#include <QHash>

namespace {

QString picturePath(const QString &name, bool doubleSize)
{
    return QStringLiteral(":/images/%1%2.png").arg(name, doubleSize ? QStringLiteral("@2x") : QString());
}

} // namespace

QPixmap artwork(const QString &name)
{
    // The highest ratio of any screen: the double picture scaled down on a plain screen still
    // looks better than a plain one scaled up on a dense screen (and 1.25 or 1.5 round up).
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
        QPixmap sharp(picturePath(name, true));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(picturePath(name, false));
}

QIcon artworkIcon(const QString &name)
{
    QIcon icon;
    QStyleOption own;
    own.palette = look::palette();
    const QStyle *style = qobject_cast<QApplication *>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
    for (const bool doubleSize : {false, true}) {
        const QString path = picturePath(name, doubleSize);
        icon.addFile(path);
        QPixmap pixmap(path);
        if (!style || pixmap.isNull())
            continue;
        pixmap.setDevicePixelRatio(doubleSize ? 2.0 : 1.0);
        // Greyed and highlighted from the program's own colours: the style would take the
        // desktop theme's, and a selected entry's icon would change with it.
        for (const QIcon::Mode mode : {QIcon::Disabled, QIcon::Selected})
            icon.addPixmap(style->generatedIconPixmap(mode, pixmap, &own), mode);
    }
    return icon;
}

QIcon recordIcon(const QString &iconKey)
{
    // One shared icon per key keeps 30,000 list entries cheap.
    static QHash<QString, QIcon> icons;
    if (iconKey.isEmpty())
        return {};
    auto it = icons.find(iconKey);
    if (it == icons.end())
        it = icons.insert(iconKey, artworkIcon(QStringLiteral("icon_") + iconKey.toLower()));
    return *it;
}
