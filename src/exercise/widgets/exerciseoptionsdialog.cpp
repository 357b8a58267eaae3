// SPDX-License-Identifier: GPL-3.0-or-later
#include "exerciseoptionsdialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

TimeLimitGroup::TimeLimitGroup(QWidget* parent)
    : RadioGroup(
          QString(),
          {u" Ohne Zeitlimit, mit Uhr "_s, u" Mit Zeitlimit: "_s, u" Ohne Zeitlimit, ohne Uhr "_s},
          parent),
      m_minutes(new QLineEdit(this)), m_seconds(new QLineEdit(this)) {
    setObjectName(u"ZeitlimitGroup"_s);
    m_minutes->setObjectName(u"ZLimitMin"_s);
    m_seconds->setObjectName(u"ZLimitSek"_s);
    // The limit's row: the radio button, then minutes and seconds.
    auto* row = new QHBoxLayout;
    itemLayout()->removeWidget(button(1));
    row->addWidget(button(1));
    for (auto [edit, unit] : {std::pair{m_minutes, u"Min."_s}, std::pair{m_seconds, u"Sek."_s}}) {
        edit->setValidator(new QIntValidator(0, 59, edit));
        edit->setMaxLength(2);
        edit->setFixedWidth(40);
        edit->setAlignment(Qt::AlignRight);
        row->addWidget(edit);
        row->addWidget(new QLabel(unit, this));
        connect(edit, &QLineEdit::textEdited, this, [this] {
            if (index() != 1) {
                setIndex(1);
                Q_EMIT chosen(1);
            }
        });
    }
    row->addStretch(1);
    itemLayout()->insertLayout(1, row);
}

void TimeLimitGroup::setTime(int zeitlimit, const QString& minutes, const QString& seconds) {
    setIndex(zeitlimit >= 0 && zeitlimit <= 2 ? zeitlimit : 0);
    m_minutes->setText(minutes);
    m_seconds->setText(seconds);
}

namespace {

QWidget* networkInitiationPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(u"NetzUebInitPan"_s);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(panel);
    auto* text = new QLabel(u"Klicken Sie auf \"Übung starten\" um die Netzwerk-Übung zu "
                            u"initiieren.        Alle getätigten Einstellungen werden an die "
                            u"Übungsteilnehmer übermittelt."_s,
                            panel);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    return panel;
}

} // namespace

ExerciseOptionsDialog::ExerciseOptionsDialog(const QString& name, const QString& caption,
                                             ExerciseOptionsDialog* holder, QWidget* parent)
    : DecoratedDialog(parent), m_holder(holder), m_caption(caption),
      m_networkPanel(networkInitiationPanel(this)), m_body(new QVBoxLayout),
      m_showBefore(new QCheckBox(u" Dieses Dialogfenster vor jeder Übung anzeigen "_s, this)),
      m_start(new QPushButton(u"Übung starten"_s, this)),
      m_close(new QPushButton(u"Schließen"_s, this)) {
    setObjectName(name);
    setWindowTitle(caption);
    setModal(true);
    m_showBefore->setObjectName(u"VorUebungAnzeigenCheck"_s);
    m_showBefore->setChecked(true);
    m_start->setDefault(true);
    for (QPushButton* button : {m_start, m_close})
        button->setMinimumSize(120, 30);
    connect(m_start, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    m_networkPanel->hide();

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(m_networkPanel);
    outer->addLayout(m_body, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_showBefore);
    bottom->addStretch(1);
    bottom->addWidget(m_start);
    bottom->addWidget(m_close);
    outer->addLayout(bottom);
}

void ExerciseOptionsDialog::showEvent(QShowEvent* event) {
    if (m_holder)
        m_showBefore->setChecked(m_holder->m_showBefore->isChecked());
    DecoratedDialog::showEvent(event);
}

void ExerciseOptionsDialog::setNetworkInitiation(bool on) {
    m_networkInitiation = on;
    m_networkPanel->setVisible(on);
    setWindowTitle(on ? u"Netzwerk-"_s + m_caption : m_caption);
}

void ExerciseOptionsDialog::done(int result) {
    if (m_holder)
        m_holder->m_showBefore->setChecked(m_showBefore->isChecked());
    // The network panel is shown for one initiation only.
    if (m_networkInitiation)
        setNetworkInitiation(false);
    DecoratedDialog::done(result);
}

} // namespace quorvel
