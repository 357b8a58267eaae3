#pragma once

#include <QDialog>

class QLabel;
class QScrollArea;

namespace quorvel {

// The info box "Information": a non-modal window showing an info text as a
// picture rendered by the markup renderer, scrolled by bar, PageUp/PageDown,
// wheel and dragging. Print, save and copy use the text without style tags.
class InfoBox : public QDialog {
    Q_OBJECT
public:
    explicit InfoBox(QWidget* parent = nullptr);

    // Shows `text` in `fontFamily` and places the box 6 pixels inside the
    // top right corner of `hauptfenster`, at most 566 pixels high.
    void zeige(const QString& text, const QString& fontFamily, QWidget* hauptfenster);

    const QString& text() const { return m_text; }
    QScrollArea* bereich() const { return m_bereich; }

    void drucken();
    void speichern();
    void toClipboard();

protected:
    bool eventFilter(QObject* objekt, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_text;
    QString m_font;
    QScrollArea* m_bereich;
    QLabel* m_bild;
    QPoint m_ziehPunkt;
    bool m_ziehen = false;
};

} // namespace quorvel
