#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

namespace quorvel {

// The strip above the view: the document title on the left and the mode
// button ("Lernansicht" in the learning view, "Übung abbrechen" during an
// exercise or puzzle) on the right.
class TitleBar : public QFrame {
    Q_OBJECT
public:
    explicit TitleBar(QWidget* parent = nullptr);

    void setDocumentTitle(const QString& title);
    QString documentTitle() const;
    void setModus(int modus);
    QToolButton* modeButton() const { return m_modeButton; }

protected:
    void paintEvent(QPaintEvent* event) override;

Q_SIGNALS:
    // The mode button was pressed during an exercise or puzzle.
    void abortRequested();

private:
    QLabel* m_title;
    QToolButton* m_modeButton;
    int m_modus = 2;
};

} // namespace quorvel
