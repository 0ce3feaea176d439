// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

/// frmRename: changes one address of the selected contact. Fixed size, modal, centred on its
/// parent. The caller writes entryText() back when the dialog is accepted.
class RenameDialog : public QDialog
{
    Q_OBJECT
public:
    RenameDialog(const Services &services, QWidget *parent);

    /// The address without the default marker, and whether the entry is the default.
    void setAddress(const QString &address, bool isDefault);
    /// The new entry text: the typed address, with the marker when the entry was the default.
    QString entryText() const;

private:
    /// OK: an address failing the check is kept only when the user says so.
    void acceptIfWanted();

    const Services &m_services;
    QLineEdit *m_addressEdit = nullptr;
    bool m_isDefault = false;
};
