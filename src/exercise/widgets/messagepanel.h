// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace quorvel {

// The right/wrong message over the exercise panel: the text centred in
// "Arial" at 40 pixels in the given colour. A text that does not fit the
// panel (the card column can be narrow, "Fehlend: 2" long) wraps at its blanks
// and is set smaller until it fits, never below 12 pixels. An empty text
// hides the panel. The exercise places it over its panel.
class MessagePanel : public QLabel {
    Q_OBJECT
public:
    explicit MessagePanel(QWidget* parent = nullptr);

    void showMessage(const QString& text, const QColor& colour);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitText();
};

} // namespace quorvel
