// SPDX-License-Identifier: GPL-3.0-or-later
#include "messagepanel.h"

#include <QFontMetrics>

namespace quorvel {

namespace {

constexpr int kLargestPixels = 40;
constexpr int kSmallestPixels = 12;

} // namespace

MessagePanel::MessagePanel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("MeldungPan"));
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kLargestPixels);
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
    fitText();
    show();
    raise();
}

void MessagePanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fitText();
}

void MessagePanel::fitText() {
    const QRect room = contentsRect();
    QFont sized = font();
    for (int pixels = kLargestPixels; pixels >= kSmallestPixels; --pixels) {
        sized.setPixelSize(pixels);
        const QRect needed =
            QFontMetrics(sized).boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text());
        if (needed.width() <= room.width() && needed.height() <= room.height())
            break;
    }
    setFont(sized);
}

} // namespace quorvel
