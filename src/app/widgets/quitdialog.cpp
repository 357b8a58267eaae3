// SPDX-License-Identifier: GPL-3.0-or-later
#include "quitdialog.h"

#include "artwork.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

QuitDialog::QuitDialog(QWidget* parent) : DecoratedDialog(parent) {
    setObjectName(QStringLiteral("BeendenForm"));
    setWindowTitle(QStringLiteral("Beenden"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(programIcon(48)));
    auto* question = new QLabel(QStringLiteral("Programm beenden?"), this);
    QFont bigger = question->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.25);
    question->setFont(bigger);

    JaBtn = makeButton(QStringLiteral("Ja, beenden"));
    NeinBtn = makeButton(QStringLiteral("Nein, weiter arbeiten"));
    JaBtn->setDefault(true);
    connect(JaBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(NeinBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(icon);
    top->addWidget(question, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(JaBtn);
    buttons->addWidget(NeinBtn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 18);
    layout->setSpacing(20);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

} // namespace quorvel
