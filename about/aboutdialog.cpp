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

namespace {

QString dataFolderOf(const Services &services)
{
    return services.dataFolder.isEmpty() ? services.folder : services.dataFolder;
}

/// Minimised, and over the data shown now: a login start must not open another folder's.
QStringList startAtLoginCommand(const Services &services)
{
    QStringList command{QCoreApplication::applicationFilePath(), QStringLiteral("--minimized")};
    if (dataFolderOf(services) != services.folder)
        command << QStringLiteral("--data-dir") << dataFolderOf(services);
    return command;
}

} // namespace

AboutDialog::AboutDialog(const Services &services, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
    , m_background(artwork(QStringLiteral("about_background")))
    , Image1(new QLabel(this))
    , Label1(new QLabel(this))
    , Label3(new QLabel(this))
    , m_dataFolder(new QLabel(this))
    , Command1(new QPushButton(QStringLiteral("&Close"), this))
    , m_chkAutostart(new QCheckBox(QStringLiteral("Start Quillet when I log in"), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(450, 289);

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(artwork(QStringLiteral("about_strip")));
    Image1->setGeometry(16, 106, 426, 57);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(look::verdana(8.25, true));
    Label1->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    Label1->setText(programVersionText());
    Label1->move(56, 268);
    Label1->adjustSize();

    // Nothing to see: the badge is part of the background; this only makes it clickable.
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(18, 211, 99, 37);
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->setToolTip(QStringLiteral("Visit the Quillet web site at %1").arg(appinfo::website()));
    Label3->installEventFilter(this);
    // The badge is reached by key through a button lying over it.
    auto *badgeKeys = new OverlayButton(QStringLiteral("Visit the web site"), Label3->toolTip(), this);
    badgeKeys->setObjectName(QStringLiteral("Label3_keys"));
    badgeKeys->setGeometry(Label3->geometry());
    connect(badgeKeys, &QAbstractButton::clicked, this, &AboutDialog::openWebsite);

    // Where the data is kept: the folder can be the program's own or the user's, so say which.
    const QString folder = QDir::toNativeSeparators(dataFolderOf(m_services));
    m_dataFolder->setObjectName(QStringLiteral("lblDataFolder"));
    m_dataFolder->setGeometry(132, 211, 306, 37);
    const QFont folderFont = look::verdana(7.5);
    m_dataFolder->setFont(folderFont);
    m_dataFolder->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    m_dataFolder->setTextFormat(Qt::RichText);
    const QString shown = QFontMetrics(folderFont).elidedText(folder, Qt::ElideMiddle, 300);
    m_dataFolder->setText(QStringLiteral("Your data is kept in<br><a href=\"open\" style=\"color: "
                                         "#f2c46d\">%1</a>")
                              .arg(shown.toHtmlEscaped()));
    m_dataFolder->setToolTip(folder);
    connect(m_dataFolder, &QLabel::linkActivated, this, &AboutDialog::openDataFolder);

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(372, 258, 69, 22);
    Command1->setCursor(Qt::PointingHandCursor);
    connect(Command1, &QPushButton::clicked, this, &AboutDialog::accept);

    m_chkAutostart->setObjectName(QStringLiteral("chkAutostart"));
    m_chkAutostart->setGeometry(20, 180, 300, 20);
    QPalette palette = m_chkAutostart->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    m_chkAutostart->setPalette(palette);
    m_chkAutostart->setChecked(autostart::isOn(autostart::entryPath()));
    connect(m_chkAutostart, &QCheckBox::toggled, this, &AboutDialog::setStartAtLogin);
}

void AboutDialog::setStartAtLogin(bool on)
{
    QString error;
    if (autostart::setOn(autostart::entryPath(), on, startAtLoginCommand(m_services), &error))
        return;
    const QSignalBlocker blocker(m_chkAutostart);
    m_chkAutostart->setChecked(!on);
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
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton
            && Label3->rect().contains(mouse->position().toPoint()))
            openWebsite();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
