#include "about/aboutdialog.h"

#include "about/versiontext.h"
#include "app/appinfo.h"
#include "platform/shell.h"
#include "widgets/artwork.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

AboutDialog::AboutDialog(const Services &services, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
    , m_background(artwork(QStringLiteral("about_background")))
    , Image1(new QLabel(this))
    , Label1(new QLabel(this))
    , Label3(new QLabel(this))
    , Command1(new QPushButton(QStringLiteral("&Close"), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(450, 289);

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(artwork(QStringLiteral("about_strip")));
    Image1->setGeometry(16, 106, 426, 57);

    Label1->setObjectName(QStringLiteral("Label1"));
    QFont versionFont(QStringLiteral("Verdana"));
    versionFont.setPointSizeF(8.25);
    versionFont.setBold(true);
    Label1->setFont(versionFont);
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

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(372, 258, 69, 22);
    Command1->setCursor(Qt::PointingHandCursor);
    connect(Command1, &QPushButton::clicked, this, &AboutDialog::accept);
}

void AboutDialog::openWebsite()
{
    // A browser that fails to start is not reported: the address is in the tooltip.
    m_services.shell->open(appinfo::website());
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
