// SPDX-License-Identifier: GPL-3.0-or-later
#include "syncwindow/accountinput.h"

#include <QUrl>

AccountInput AccountInput::read(const QString &serverText, const QString &userText)
{
    AccountInput input;
    const QString typed = serverText.trimmed();
    if (typed.isEmpty()) {
        input.problem = QStringLiteral("Type the address of your server, for example https://dav.example.org/");
        input.problemBox = QStringLiteral("server");
        return input;
    }
    // People type "dav.example.org"; the scheme is what they mean.
    QUrl url = QUrl::fromUserInput(typed.contains(QLatin1String("://")) ? typed : QStringLiteral("https://") + typed);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("https") && scheme != QLatin1String("http"))) {
        input.problem = QStringLiteral("\"%1\" is not a server address. It looks like https://dav.example.org/").arg(typed);
        input.problemBox = QStringLiteral("server");
        return input;
    }
    QString user = userText.trimmed();
    if (user.isEmpty())
        user = url.userName();
    if (user.isEmpty()) {
        input.problem = QStringLiteral("Type your user name on the server.");
        input.problemBox = QStringLiteral("user");
        return input;
    }
    input.account.server = url.adjusted(QUrl::RemoveUserInfo);
    input.account.user = user;
    return input;
}
