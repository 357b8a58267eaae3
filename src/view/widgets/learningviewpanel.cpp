// SPDX-License-Identifier: GPL-3.0-or-later
#include "learningviewpanel.h"

#include "learningviewwidget.h"
#include "toolbar.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>

namespace quorvel {

LearningViewPanel::LearningViewPanel(Document& document, const ViewLayouts& layouts,
                                     QWidget* parent)
    : QWidget(parent), m_view(new LearningViewWidget(document, layouts, this)),
      m_toolBar(new ToolBar), m_toolBarArea(new QScrollArea(this)), m_row(new QHBoxLayout(this)) {
    setObjectName(QStringLiteral("LernansichtBereich"));
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(0);
    m_row->addWidget(m_view, 1);
    m_toolBarArea->setObjectName(QStringLiteral("WerkzeugScrollBox"));
    m_toolBarArea->setFrameShape(QFrame::NoFrame);
    m_toolBarArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_toolBarArea->setWidgetResizable(true);
    m_toolBarArea->setWidget(m_toolBar);
    m_row->addWidget(m_toolBarArea);
    fitToolBarWidth();
}

void LearningViewPanel::setSide(int werkzeugPos) {
    const int wanted = werkzeugPos == 1 ? 0 : 1;
    if (m_row->indexOf(m_toolBarArea) == wanted)
        return;
    m_row->removeWidget(m_toolBarArea);
    m_row->insertWidget(wanted, m_toolBarArea);
    m_row->activate();
}

bool LearningViewPanel::toolBarOnLeft() const {
    return m_row->indexOf(m_toolBarArea) == 0;
}

void LearningViewPanel::addToolBarSection(QWidget* section) {
    m_toolBar->addSection(section);
    fitToolBarWidth();
}

void LearningViewPanel::toggleCollapsed() {
    m_toolBar->setCollapsed(!m_toolBar->folded());
    fitToolBarWidth();
}

void LearningViewPanel::fitToolBarWidth() {
    m_toolBar->adjustSize();
    m_toolBarArea->setFixedWidth(m_toolBar->sizeHint().width() +
                                 m_toolBarArea->verticalScrollBar()->sizeHint().width());
}

} // namespace quorvel
