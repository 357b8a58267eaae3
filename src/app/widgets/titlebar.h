// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindowstate.h"
#include "titlestrip.h"

#include <QFrame>

class QLabel;
class QToolButton;

namespace quorvel {

// The strip above the view: the document title on the left and the mode
// button ("Lernansicht" in the learning view, "Übung abbrechen" during an
// exercise or puzzle) on the right.
class TitleBar : public QFrame, public TitleStrip {
    Q_OBJECT
public:
    explicit TitleBar(QWidget* parent = nullptr);

    void setDocumentTitle(const QString& title) override;
    QString documentTitle() const override;
    void setModus(Modus modus);
    QToolButton* modeButton() const { return m_modeButton; }
    // The two buttons that step through the topic list (learning view only).
    QToolButton* previousButton() const { return m_previousButton; }
    QToolButton* nextButton() const { return m_nextButton; }
    void setTitleHint(const QString& hint) override;
    QString titleHint() const;
    void onTitleClicked(QObject* context, std::function<void()> handler) override;
    // Puts `section` (a part of another subsystem, such as the status of a
    // running exercise) left of the mode button.
    void addSection(QWidget* section);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    // The mode button was pressed during an exercise or puzzle.
    void abortRequested();
    // The document title was clicked (it toggles between the title and "?").
    void titleClicked();
    void previousRequested();
    void nextRequested();

private:
    QLabel* m_title;
    QToolButton* m_modeButton;
    QToolButton* m_previousButton;
    QToolButton* m_nextButton;
    Modus m_modus = Modus::LearningView;
};

} // namespace quorvel
