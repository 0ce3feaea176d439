#include "widgets/artwork.h"

#include <QHash>

QPixmap artwork(const QString &name)
{
    return QPixmap(QStringLiteral(":/images/%1.png").arg(name));
}

QIcon recordIcon(const QString &iconKey)
{
    // One shared icon per key keeps 30,000 list entries cheap.
    static QHash<QString, QIcon> icons;
    if (iconKey.isEmpty())
        return {};
    auto it = icons.find(iconKey);
    if (it == icons.end())
        it = icons.insert(iconKey, QIcon(artwork(QStringLiteral("icon_") + iconKey.toLower())));
    return *it;
}
