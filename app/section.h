#pragma once

#include "platform/services.h"
#include "store/datafile.h"

#include <QGroupBox>
#include <QList>

class ARButton;
class QListWidget;

/// One of the four section frames of the main window: its list of records on the left, its
/// editor on the right. Subclasses own their controls, events and Read/Put procedures.
class Section : public QGroupBox
{
    Q_OBJECT
public:
    /// objectName is the frame's control name ("fraNotes"), listName the list's ("lstNotes").
    Section(const Services &services, const QString &objectName, const QString &caption,
            const QString &listName, const QString &iconKey, QWidget *parent);

    QListWidget *list() const { return m_list; }
    QString iconKey() const { return m_iconKey; }

    /// The records as they stand, in list order.
    QList<Record> records() const;

    /// Fills the (empty) list from the data file and shows the first record, as the loader does.
    void loadRecords(const QList<Record> &records);

    /// The section was chosen while its list is empty: disable what needs a record.
    virtual void disableButtonsIfEmpty() = 0;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    /// Called for every loaded record (the loader makes the editor visible for each).
    virtual void recordLoaded() = 0;
    /// Called once after loading when the list holds at least one record.
    virtual void showFirstLoaded() = 0;

    /// Ends an in-place caption edit of the selected entry, keeping the typed caption.
    void commitCaptionEdit();

    ARButton *addArButton(const QString &name, const QPoint &position, const QString &picture,
                          const QString &toolTip, bool hasDisabledPicture);

    const Services &m_services;

private:
    QListWidget *m_list = nullptr;
    QString m_iconKey;
    bool m_listReachedByKey = false;
};
