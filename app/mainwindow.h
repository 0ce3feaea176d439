#pragma once

#include "app/imagebutton.h"
#include "platform/services.h"
#include "store/datastore.h"
#include "store/sectionmodels.h"

#include <QHash>
#include <QPixmap>
#include <QPoint>
#include <QWidget>

class QAbstractButton;
class QKeySequence;
class QLabel;
class QTimer;
class QuoteBox;
class RecoveryCopy;
class SaveFeedback;
class Section;
class TimerPause;

/// frmMain: the borderless main window with its picture buttons, the four sections, the clock,
/// the quote and the Save feedback.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MainWindow(const Services &services, QWidget *parent = nullptr);

    /// The load step: clock text, quotes, data file, first quote change, in this order.
    void load();
    /// Loaded and not yet closed: it holds what the user has.
    bool isOpen() const { return m_loaded && !m_closed; }

    /// Writes the four lists to the data file; false (after the error box) when it failed.
    bool saveData();
    /// Fills the four empty lists from the data file.
    void loadData();

    /// Hides the hover pictures: with a section name those of the other three sections, with ""
    /// every one (and the quote's underline), with any other text none.
    void hideHoverPictures(const QString &exceptSection);
    /// Shows every section button raised again.
    void releaseSectionButtons();
    /// Hides the four sections.
    void hideSections();

    Section *section(SectionId id) const { return m_sections[int(id)]; }
    QuoteBox *quoteBox() const { return m_quoteBox; }

    /// Shows the current time in the clock; tmrTime calls it every second.
    void updateClock();

    /// One tmrRecovery tick: the lists as they stand, with what is typed in the box being
    /// edited, go to the recovery copy in the background.
    void writeRecoveryCopy();
    RecoveryCopy *recoveryCopy() const { return m_recoveryCopy; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Command { Say, Save, About, Exit, Min, Close };

    void createSectionButtons();
    void createCommandButtons();
    /// The key clicks the button, from anywhere in the window.
    void addShortcut(const QKeySequence &key, QAbstractButton *button);
    void selectSection(SectionId id);
    void deselectSection();
    void runCommand(Command command);
    void exitWithConfirmation();
    void sayTime();
    void playClick();
    void reportLoadProblem();
    /// Asks whether to restore a copy left by a run that did not end properly; the content to load.
    DataFileContent recoverOrKeepAside(DataFileContent loaded);
    void watchForChanges();
    void noteChange();
    /// The four sections' models, in file order.
    SectionModels models() const;
    /// The four lists as they stand; quietly commits the box being typed in when asked.
    DataFileContent content(bool withTypedText);
    bool save(bool closing);
    void startDrag(const QPoint &position);
    void dragTo(QMouseEvent *event, const QPoint &position);

    const Services &m_services;
    DataStore m_store;
    QPixmap m_background;
    Section *m_sections[kSectionCount] = {};
    ImageButton m_sectionButtons[kSectionCount];
    QHash<int, ImageButton> m_commandButtons;
    QHash<QString, QWidget *> m_hoverPictures;
    QLabel *m_clockLabel = nullptr;
    QTimer *m_clockTimer = nullptr;
    TimerPause *m_timerPause = nullptr;
    QuoteBox *m_quoteBox = nullptr;
    SaveFeedback *m_saveFeedback = nullptr;
    RecoveryCopy *m_recoveryCopy = nullptr;
    QTimer *m_recoveryTimer = nullptr;
    QString m_loadProblem;
    bool m_loadUnreadable = false;
    bool m_loaded = false;
    bool m_closed = false;
    QPoint m_dragAnchor;
    bool m_systemMoveStarted = false;
};
