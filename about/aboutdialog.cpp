// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/aboutdialog.h"

#include "about/versiontext.h"
#include "platform/appinfo.h"
#include "platform/autostart.h"
#include "platform/messageboxes.h"
#include "platform/shell.h"
#include "widgets/artwork.h"
#include "widgets/overlaybutton.h"
#include "widgets/look.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>

#include <version.h>

namespace {

QString dataFolderOf(const Services &services)
{
    return services.dataFolder.isEmpty() ? services.folder : services.dataFolder;
}

/// Minimised, and over the data shown now: a login start must not open another folder's.
QStringList startAtLoginCommand(const Services &services)
{
    const QString program = autostart::programToStart(QCoreApplication::applicationFilePath(),
                                                      QStandardPaths::findExecutable(QStringLiteral("quillet")),
                                                      QStringLiteral(QUILLET_LAUNCHER_TARGET));
    QStringList command{program, QStringLiteral("--minimized")};
    if (dataFolderOf(services) != services.folder)
        command << QStringLiteral("--data-dir") << dataFolderOf(services);
    return command;
}

} // namespace

AboutDialog::AboutDialog(const Services &services, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
    , m_background(artwork(QStringLiteral("about_background")))
{
    look::applyPalette(this);
    // Made in tab order.
    auto *strip = new QLabel(this);
    auto *versionLabel = new QLabel(this);
    m_websiteBadge = new QLabel(this);
    auto *dataFolderLabel = new QLabel(this);
    auto *syncButton = new QPushButton(QStringLiteral("S&ync…"), this);
    auto *closeButton = new QPushButton(QStringLiteral("&Close"), this);
    m_startAtLoginBox = new QCheckBox(QStringLiteral("Start Quillet when I log in"), this);

    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(450, 289);

    strip->setObjectName(QStringLiteral("Image1"));
    strip->setPixmap(artwork(QStringLiteral("about_strip")));
    strip->setGeometry(16, 106, 426, 57);

    versionLabel->setObjectName(QStringLiteral("Label1"));
    versionLabel->setFont(look::verdana(8.25, true));
    versionLabel->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    versionLabel->setText(programVersionText());
    versionLabel->move(56, 268);
    versionLabel->adjustSize();

    // Nothing to see: the badge is part of the background; this only makes it clickable.
    m_websiteBadge->setObjectName(QStringLiteral("Label3"));
    m_websiteBadge->setGeometry(18, 211, 99, 37);
    m_websiteBadge->setCursor(Qt::PointingHandCursor);
    m_websiteBadge->setToolTip(QStringLiteral("Visit the Quillet web site at %1").arg(appinfo::website()));
    m_websiteBadge->installEventFilter(this);
    // The badge is reached by key through a button lying over it.
    auto *badgeKeys = new OverlayButton(QStringLiteral("Visit the web site"), m_websiteBadge->toolTip(), this);
    badgeKeys->setObjectName(QStringLiteral("Label3_keys"));
    badgeKeys->setGeometry(m_websiteBadge->geometry());
    connect(badgeKeys, &QAbstractButton::clicked, this, &AboutDialog::openWebsite);

    // Where the data is kept: the folder can be the program's own or the user's, so say which.
    const QString folder = QDir::toNativeSeparators(dataFolderOf(m_services));
    dataFolderLabel->setObjectName(QStringLiteral("lblDataFolder"));
    dataFolderLabel->setGeometry(132, 211, 306, 37);
    const QFont folderFont = look::verdana(7.5);
    dataFolderLabel->setFont(folderFont);
    dataFolderLabel->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    dataFolderLabel->setTextFormat(Qt::RichText);
    const QString shown = QFontMetrics(folderFont).elidedText(folder, Qt::ElideMiddle, 300);
    dataFolderLabel->setText(QStringLiteral("Your data is kept in<br><a href=\"open\" style=\"color: "
                                            "#f2c46d\">%1</a>")
                                 .arg(shown.toHtmlEscaped()));
    dataFolderLabel->setToolTip(folder);
    connect(dataFolderLabel, &QLabel::linkActivated, this, &AboutDialog::openDataFolder);

    syncButton->setObjectName(QStringLiteral("cmdSync"));
    syncButton->setGeometry(296, 258, 69, 22);
    syncButton->setCursor(Qt::PointingHandCursor);
    syncButton->setToolTip(QStringLiteral("Sync your to-dos and contacts with a server"));
    connect(syncButton, &QPushButton::clicked, this, [this] {
        accept();
        emit syncWanted();
    });

    closeButton->setObjectName(QStringLiteral("Command1"));
    closeButton->setGeometry(372, 258, 69, 22);
    closeButton->setCursor(Qt::PointingHandCursor);
    connect(closeButton, &QPushButton::clicked, this, &AboutDialog::accept);

    m_startAtLoginBox->setObjectName(QStringLiteral("chkAutostart"));
    m_startAtLoginBox->setGeometry(20, 180, 300, 20);
    QPalette palette = m_startAtLoginBox->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    m_startAtLoginBox->setPalette(palette);
    m_startAtLoginBox->setChecked(autostart::isOn(autostart::entryPath()));
    connect(m_startAtLoginBox, &QCheckBox::toggled, this, &AboutDialog::setStartAtLogin);
}

void AboutDialog::setStartAtLogin(bool on)
{
    QString error;
    if (autostart::setOn(autostart::entryPath(), on, startAtLoginCommand(m_services), &error))
        return;
    const QSignalBlocker blocker(m_startAtLoginBox);
    m_startAtLoginBox->setChecked(!on);
    m_services.messages->show(this, QStringLiteral("The start at login could not be changed.\n%1").arg(error),
                              QString(), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
}

void AboutDialog::openWebsite()
{
    // A browser that fails to start is not reported: the address is in the tooltip.
    m_services.shell->open(appinfo::website());
}

void AboutDialog::openDataFolder()
{
    m_services.shell->open(dataFolderOf(m_services));
}

void AboutDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform); // screen ratios such as 1.5
    if (m_background.isNull())
        painter.fillRect(rect(), QColor(0, 59, 99));
    else
        painter.drawPixmap(0, 0, m_background);
}

bool AboutDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_websiteBadge && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton
            && m_websiteBadge->rect().contains(mouse->position().toPoint()))
            openWebsite();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
