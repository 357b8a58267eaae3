// SPDX-License-Identifier: GPL-3.0-or-later
#include "messagepanel.h"

namespace quorvel {

MessagePanel::MessagePanel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("MeldungPan"));
    setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(40);
    setFont(font);
    setAutoFillBackground(true);
    hide();
}

void MessagePanel::showMessage(const QString& text, const QColor& colour) {
    if (text.isEmpty()) {
        clear();
        hide();
        return;
    }
    QPalette look = palette();
    look.setColor(QPalette::WindowText, colour);
    setPalette(look);
    setText(text);
    show();
    raise();
}

} // namespace quorvel
