// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reportwindow.h"

class QLabel;
class QScrollArea;

namespace quorvel {

// The info box "Information": a non-modal window showing an info text as a
// picture rendered by the markup renderer, scrolled by bar, PageUp/PageDown,
// wheel and dragging. Print, save and copy use the text without style tags
// in 11 point.
class InfoBox : public ReportWindow {
    Q_OBJECT
public:
    InfoBox(Shell& shell, QWidget* parent);

    // Shows `text` in `fontFamily` and places the box 6 pixels inside the
    // top right corner of `mainWindow`; with its frame it is at most 566
    // pixels high.
    void showText(const QString& text, const QString& fontFamily, QWidget* mainWindow);

    const QString& text() const { return m_text; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void fillDocument(QTextDocument& document) const override;
    QByteArray richText() const override;

private:
    QString m_text;
    QString m_font;
    QScrollArea* m_area;
    QLabel* m_picture;
    QPoint m_dragPoint;
    bool m_dragging = false;
};

} // namespace quorvel
