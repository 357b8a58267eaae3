// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace quorvel {

// The right/wrong message over the exercise panel: the text centred in
// "Arial" at 40 pixels in the given colour. An empty text hides the panel.
// The exercise places it over its panel.
class MessagePanel : public QLabel {
    Q_OBJECT
public:
    explicit MessagePanel(QWidget* parent = nullptr);

    void showMessage(const QString& text, const QColor& colour);
};

} // namespace quorvel
