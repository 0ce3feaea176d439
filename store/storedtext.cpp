// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/storedtext.h"

namespace storedtext {

namespace {

// Any of CR LF, CR and LF as one "\n": a text box breaks its lines on each of them.
QString normalised(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

QString toBox(const QString &stored)
{
    return QString(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString fromBox(const QString &boxText)
{
    return QString(boxText).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

bool sameText(const QString &stored, const QString &boxText)
{
    return normalised(stored) == normalised(boxText);
}

} // namespace storedtext
