// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/websiterecord.h"

#include <QGroupBox>

class QLineEdit;
class QPlainTextEdit;

/// fraWebsiteIn: the hint, a rule and the title, URL and description boxes of one website.
class WebsiteEditor : public QGroupBox
{
    Q_OBJECT
public:
    explicit WebsiteEditor(QWidget *parent);

    /// What the three boxes hold, the description with CR LF line breaks.
    WebsiteRecord fields() const;
    void setFields(const WebsiteRecord &fields);

    QLineEdit *titleBox() const { return m_titleEdit; }
    QLineEdit *urlBox() const { return m_urlEdit; }
    QPlainTextEdit *descriptionBox() const { return m_descriptionEdit; }

private:
    QLineEdit *m_titleEdit = nullptr;
    QLineEdit *m_urlEdit = nullptr;
    QPlainTextEdit *m_descriptionEdit = nullptr;
};
