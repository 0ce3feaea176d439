#pragma once

#include "platform/services.h"
#include "store/datafile.h"

#include <QGroupBox>
#include <QList>

class ARButton;
class RecordListModel;
class RecordListView;

/// One of the four section frames of the main window: its list of records on the left, its
/// editor on the right. Subclasses own their controls, events and Read/Put procedures.
class Section : public QGroupBox
{
    Q_OBJECT
public:
    /// objectName is the frame's control name ("fraNotes"), listName the list's ("lstNotes");
    /// the section takes the model of its records.
    Section(const Services &services, const QString &objectName, const QString &caption,
            const QString &listName, const QString &iconKey, RecordListModel *model, QWidget *parent);

    RecordListView *list() const { return m_list; }
    RecordListModel *model() const { return m_model; }

    /// The records as they stand, in list order (shared, not copied).
    QList<Record> records() const;

    /// Fills the (empty) list from the data file and shows the first record, as the loader does.
    void loadRecords(QList<Record> records);

    /// The section was chosen while its list is empty: disable what needs a record.
    virtual void disableButtonsIfEmpty() = 0;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    /// Called once after loading when records were loaded (the editor becomes visible).
    virtual void recordLoaded() = 0;
    /// Called once after loading when the list holds at least one record.
    virtual void showFirstLoaded() = 0;

    /// Ends an in-place caption edit of the selected entry, keeping the typed caption.
    void commitCaptionEdit();

    ARButton *addArButton(const QString &name, const QPoint &position, const QString &picture,
                          const QString &toolTip, bool hasDisabledPicture);

    const Services &m_services;

private:
    RecordListModel *m_model = nullptr;
    RecordListView *m_list = nullptr;
    bool m_listReachedByKey = false;
};
