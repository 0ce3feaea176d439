// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/mailto.h"

#include <QUrl>

QString mailtoText(const QString &address)
{
    // Besides the unreserved characters, the delimiters a mailto address may hold as they are;
    // "," is encoded since it would part one address into two.
    static const QByteArray keep = QByteArrayLiteral("!$'()*+;:@");
    return QStringLiteral("mailto:") + QString::fromLatin1(QUrl::toPercentEncoding(address, keep));
}
