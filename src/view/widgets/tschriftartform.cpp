// SPDX-License-Identifier: GPL-3.0-or-later
#include "tschriftartform.h"

#include "fontcatalog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

TSchriftartForm::TSchriftartForm(QWidget* parent)
    : DecoratedDialog(parent), m_list(new QListWidget(this)),
      m_preview(new QLabel(u"Beispiel"_s, this)) {
    setObjectName(u"SchriftartForm"_s);
    setWindowTitle(u"Schriftart"_s);

    m_list->setObjectName(u"SchriftartList"_s);
    m_list->addItems(installedFontFamilies());
    m_list->setMinimumWidth(220);
    auto* listLabel = new QLabel(u"&Schriftart:"_s, this);
    listLabel->setBuddy(m_list);

    m_preview->setObjectName(u"BeispielPan"_s);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::Panel);
    m_preview->setFrameShadow(QFrame::Sunken);
    m_preview->setMinimumSize(260, 90);
    m_preview->setAutoFillBackground(true);
    QPalette white = m_preview->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_preview->setPalette(white);
    QFont previewFont = m_preview->font();
    previewFont.setPointSize(20);
    m_preview->setFont(previewFont);
    auto* note = new QLabel(u"Die Schriftart wird im Dokument gespeichert und beim Öffnen des "
                            u"Dokuments eingestellt."_s,
                            this);
    note->setWordWrap(true);
    connect(m_list, &QListWidget::currentRowChanged, this, &TSchriftartForm::showPreview);

    auto* group = new QGroupBox(u" Schriftart für Dokumentendarstellung "_s, this);
    auto* left = new QVBoxLayout;
    left->addWidget(listLabel);
    left->addWidget(m_list, 1);
    auto* right = new QVBoxLayout;
    right->addStretch(1);
    right->addWidget(m_preview);
    right->addWidget(note);
    right->addStretch(1);
    auto* inGroup = new QHBoxLayout(group);
    inGroup->addLayout(left);
    inGroup->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(group, 1);
    layout->addLayout(makeOkCancelRow());
    resize(560, 400);
}

void TSchriftartForm::select(const QString& family) {
    int row = -1;
    for (int i = 0; i < m_list->count() && row < 0; ++i)
        if (m_list->item(i)->text().compare(family, Qt::CaseInsensitive) == 0)
            row = i;
    m_list->setCurrentRow(row);
    if (row >= 0)
        m_list->scrollToItem(m_list->item(row), QAbstractItemView::PositionAtCenter);
    else
        m_list->clearSelection();
}

QString TSchriftartForm::chosen() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TSchriftartForm::showPreview() {
    const QString family = chosen();
    if (family.isEmpty())
        return;
    QFont font = m_preview->font();
    font.setFamily(family);
    m_preview->setFont(font);
    m_preview->setText(family);
}

} // namespace quorvel
