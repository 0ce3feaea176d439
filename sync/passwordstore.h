// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QUrl;

/// The sync password of an account: from the environment (QUILLET_SYNC_PASSWORD, for scripts),
/// from what this run was told, or from the desktop's keyring (Secret Service, through
/// QtKeychain). The keyring's answers come asynchronously, as its jobs do. Where there is no
/// keyring the password lives in this object's memory for the run and is never written anywhere.
/// One store serves the whole run, so that a password asked for once is not asked for again.
class PasswordStore : public QObject
{
    Q_OBJECT
public:
    /// Where a password came from, or why there is none.
    enum class Source {
        Environment,
        Memory,
        Keyring,
        /// The keyring answered and holds none for the account: ask the user, then store().
        NotStored,
        /// No keyring on this desktop (or it refused): ask once, store() keeps it for the run.
        NoKeyring,
    };
    Q_ENUM(Source)

    explicit PasswordStore(QObject *parent = nullptr);
    ~PasswordStore() override;

    /// The key a password is kept under: the user at the server, "alice@https://dav.example.org/".
    static QString keyFor(const QUrl &server, const QString &user);
    /// The password scripts pass in the environment, or an empty text.
    static QString fromEnvironment();

    /// Looks the password up and answers with found(), never before the event loop runs again.
    void fetch(const QString &key);
    /// Keeps the password for the run at once, and in the keyring where there is one; stored()
    /// says which. An empty password forgets the account's, in the keyring too.
    void store(const QString &key, const QString &password);

    /// False once the keyring failed: later look-ups go to memory alone.
    bool hasKeyring() const { return m_keyringUsable; }
    /// Tests and desktops without a keyring: never asks it.
    void setKeyringUsable(bool usable) { m_keyringUsable = usable; }

signals:
    /// source says where the password came from, or why it is empty.
    void found(const QString &key, const QString &password, PasswordStore::Source source);
    /// inKeyring: the keyring holds it now; otherwise only this run knows it, and problem says
    /// why in plain words (empty when there is simply no keyring).
    void stored(const QString &key, bool inKeyring, const QString &problem);

private:
    void readKeyring(const QString &key);
    void writeKeyring(const QString &key, const QString &password);

    QHash<QString, QString> m_remembered;
    bool m_keyringUsable = true;
};
