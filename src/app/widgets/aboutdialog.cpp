// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutdialog.h"

#include "artwork.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

AboutDialog::AboutDialog(QWidget* parent) : DecoratedDialog(parent) {
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("Info"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(programIcon(96)));
    auto* name = new QLabel(QStringLiteral("Quorvel"), this);
    QFont title = name->font();
    title.setPointSizeF(title.pointSizeF() * 2.0);
    title.setBold(true);
    name->setFont(title);
    auto* version =
        new QLabel(QStringLiteral("Version ") + QCoreApplication::applicationVersion(), this);
    auto* about = new QLabel(
        QStringLiteral("Lerndokumente anzeigen, abfragen und üben:\n"
                       "Beschriftungen, Lückentexte, Fragen, Cluster und Kreuzworträtsel,\n"
                       "als Übung, im Netzwerk, als Arbeitsblatt und an der Tafel."),
        this);

    auto* ok = makeButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addSpacing(10);
    text->addWidget(about);
    auto* top = new QHBoxLayout;
    top->setSpacing(20);
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 28, 28, 18);
    layout->setSpacing(18);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

} // namespace quorvel
