// SPDX-License-Identifier: GPL-3.0-or-later
#include "decorateddialog.h"

#include "artwork.h"
#include "nineslice.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>

namespace quorvel {

namespace {

const QImage& decorationPicture() {
    static const QImage picture = dialogDecoration();
    return picture;
}

} // namespace

const QColor& DecoratedDialog::buttonColour() {
    static const QColor colour(205, 208, 226);
    return colour;
}

DecoratedDialog::DecoratedDialog(QWidget* parent) : QDialog(parent) {
    // Children inherit the palette, so every button, including those added
    // by derived dialogs, takes the button colour.
    QPalette look = palette();
    look.setColor(QPalette::Button, buttonColour());
    setPalette(look);
}

QPushButton* DecoratedDialog::makeButton(const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setMinimumHeight(30);
    button->setMinimumWidth(110);
    return button;
}

QHBoxLayout* DecoratedDialog::makeOkCancelRow(QPushButton** ok) {
    QPushButton* okButton = makeButton(QStringLiteral("OK"));
    QPushButton* cancel = makeButton(QStringLiteral("Abbrechen"));
    okButton->setObjectName(QStringLiteral("OKBtn"));
    okButton->setDefault(true);
    if (ok)
        *ok = okButton;
    else
        connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(okButton);
    row->addWidget(cancel);
    return row;
}

void DecoratedDialog::resizeEvent(QResizeEvent* event) {
    MainBackImg = nineSliced(decorationPicture(), size(), kDecorationCorner);
    QDialog::resizeEvent(event);
}

void DecoratedDialog::paintEvent(QPaintEvent* event) {
    if (MainBackImg.size() != size())
        MainBackImg = nineSliced(decorationPicture(), size(), kDecorationCorner);
    QPainter painter(this);
    painter.drawImage(0, 0, MainBackImg);
    QDialog::paintEvent(event);
}

} // namespace quorvel
