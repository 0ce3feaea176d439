// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/contactrecord.h"
#include "platform/services.h"

#include <QGroupBox>
#include <QHash>

class QLabel;

class AddressEditor;
class QLineEdit;

/// fraemailIn: the selected contact's name boxes and address list.
class ContactEditor : public QGroupBox
{
    Q_OBJECT
public:
    ContactEditor(const Services &services, QWidget *parent);

    QLineEdit *firstNameBox() const { return m_firstNameEdit; }
    QLineEdit *lastNameBox() const { return m_lastNameEdit; }
    QLineEdit *titleBox() const { return m_titleEdit; }
    QLineEdit *displayBox() const { return m_displayEdit; }
    AddressEditor *addresses() const { return m_addresses; }

    /// What the boxes and the address list hold now.
    ContactRecord record() const;
    /// Shows a record (the display box is set apart, from the caption).
    void showRecord(const ContactRecord &record);
    /// Empties the five boxes and the address list.
    void clear();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLineEdit *addBox(const QString &name, const QString &label, int y);

    QLineEdit *m_firstNameEdit = nullptr;
    QLineEdit *m_lastNameEdit = nullptr;
    QLineEdit *m_titleEdit = nullptr;
    QLineEdit *m_displayEdit = nullptr;
    QHash<QLineEdit *, QLabel *> m_labels;
    AddressEditor *m_addresses = nullptr;
    /// Kept from the shown record: no box shows it, and an edit must not lose it.
    QString m_uid;
};
