// SPDX-License-Identifier: GPL-3.0-or-later
#include "ueboptform.h"

#include "settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

QLabel* panel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    label->setMargin(8);
    return label;
}

} // namespace

TUebOptForm::TUebOptForm(QWidget* parent)
    : ExerciseOptionsDialog(u"UebOptForm"_s,
                            u"Übungseinstellungen für Text-Bild- / Bild-Text-Zuordnung und "
                            u"Lückentext"_s,
                            nullptr, parent) {
    m_abfrageModus = new RadioGroup(u" Abfragemodus "_s,
                                    {u" Freie Zuordnung "_s, u" Einzelabfrage Texte/Bilder "_s,
                                     u" Einzelabfrage Positionen "_s, u" Texteingabe "_s},
                                    this);
    m_abfrageModus->setObjectName(u"AbfrageModus"_s);
    m_anzZeichen = new QCheckBox(u"Anzahl der Zeichen im Eingabefeld vorgeben <?>"_s, this);
    m_anzZeichen->setObjectName(u"AnzZeichenVorgeben"_s);
    m_abfrageModus->itemLayout()->addWidget(m_anzZeichen);
    m_zeitlimit = new TimeLimitGroup(this);

    m_riFa =
        new RadioGroup(u" Richtig-/Falsch-Rückmeldung "_s,
                       {u" sofort bei jeder Zuordnung "_s, u" erst am Ende der Übung "_s}, this);
    m_riFa->setObjectName(u"RiFaRueckmeldung"_s);
    m_riFa->setIndex(0);
    m_richtig =
        new RadioGroup(u" Bei richtiger Zuordnung "_s,
                       {u" Beschriftung einblenden "_s, u" Grünes Häkchen setzen "_s}, this);
    m_richtig->setObjectName(u"ZuordnungRichtig"_s);
    m_falsch = new RadioGroup(
        u" Bei falscher Zuordnung "_s,
        {u" Beliebig viele Zuordnungsversuche erlaubt "_s, u" Rotes Kreuz setzen, "_s}, this);
    m_falsch->setObjectName(u"ZuordnungFalsch"_s);
    m_falschSecondLine = new QLabel(u"keine erneute Zuordnung an dieser Position"_s, this);
    m_falschSecondLine->setIndent(26);
    m_falsch->itemLayout()->addWidget(m_falschSecondLine);
    m_texte = new RadioGroup(u" Zuordnungstexte "_s,
                             {u" Alphabetisch geordnet "_s, u" Zufällig gemischt "_s}, this);
    m_texte->setObjectName(u"Zuordnungstexte"_s);
    m_ziele = new RadioGroup(
        u" Zuordnungsziele "_s,
        {u" Geordnet nummeriert "_s, u" Zufällig gemischt nummeriert "_s, u" Fragezeichen "_s},
        this);
    m_ziele->setObjectName(u"Zuordnungsziele"_s);

    auto* groups = new QWidget(this);
    auto* grid = new QGridLayout(groups);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_richtig, 0, 0);
    grid->addWidget(m_texte, 0, 1);
    grid->addWidget(m_falsch, 1, 0);
    grid->addWidget(m_ziele, 1, 1);
    m_textInputPanel =
        panel(u"Beim Abfragemodus \"Texteingabe\" sind keine weiteren Optionen verfügbar."_s, this);
    m_textInputPanel->setObjectName(u"TexteingabePan"_s);
    m_extendedArea = new QStackedWidget(this);
    m_extendedArea->addWidget(groups);
    m_extendedArea->addWidget(m_textInputPanel);

    m_extendButton = new QPushButton(u"Erweitert..."_s, this);
    m_extendButton->setObjectName(u"ErweitertButton"_s);
    m_extendButton->setMinimumHeight(26);

    auto* top = new QHBoxLayout;
    top->addWidget(m_abfrageModus, 1);
    top->addWidget(m_zeitlimit, 1);
    body()->addLayout(top);
    body()->addWidget(m_riFa);
    auto* extendRow = new QHBoxLayout;
    extendRow->addStretch(1);
    extendRow->addWidget(m_extendButton);
    body()->addLayout(extendRow);
    body()->addWidget(m_extendedArea);
    body()->addStretch(1);

    connect(m_abfrageModus, &RadioGroup::chosen, this, &TUebOptForm::showModeOptions);
    connect(m_riFa, &RadioGroup::chosen, this, &TUebOptForm::applyRiFaRueckmeldung);
    connect(m_extendButton, &QPushButton::clicked, this, [this] {
        setExtended(!m_extended);
        // Keep the bottom 80 pixels above the screen's bottom edge.
        if (const QScreen* shown = screen()) {
            const int limit = shown->availableGeometry().bottom() - 80;
            const QRect frame = frameGeometry();
            if (frame.bottom() > limit)
                move(x(),
                     std::max(shown->availableGeometry().top(), y() - (frame.bottom() - limit)));
        }
    });

    m_riFa->hide();
    resize(640, kReducedHeight);
    load(UebOptSettings{});
    setExtended(false);
}

void TUebOptForm::load(const UebOptSettings& settings) {
    m_abfrageModus->setIndex(std::clamp(settings.AbfrageModus, 0, 3));
    m_zeitlimit->setTime(settings.ZeitLimit, settings.ZLimitMin, settings.ZLimitSek);
    m_richtig->setIndex(std::clamp(settings.ZuordnungRichtig, 0, 1));
    m_falsch->setIndex(std::clamp(settings.ZuordnungFalsch, 0, 1));
    m_texte->setIndex(std::clamp(settings.Zuordnungstexte, 0, 1));
    m_ziele->setIndex(std::clamp(settings.Zuordnungsziele, 0, 2));
    m_anzZeichen->setChecked(settings.AnzZeichenVorgeben);
    applyRiFaRueckmeldung();
    showModeOptions();
}

void TUebOptForm::store(UebOptSettings& settings) const {
    settings.AbfrageModus = m_abfrageModus->index();
    settings.ZeitLimit = m_zeitlimit->index();
    settings.ZLimitMin = m_zeitlimit->minutes()->text();
    settings.ZLimitSek = m_zeitlimit->seconds()->text();
    settings.ZuordnungRichtig = m_richtig->index();
    settings.ZuordnungFalsch = m_falsch->index();
    settings.Zuordnungstexte = m_texte->index();
    settings.Zuordnungsziele = m_ziele->index();
    settings.AnzZeichenVorgeben = m_anzZeichen->isChecked();
}

void TUebOptForm::setNetworkInitiation(bool on) {
    if (!on && networkInitiation())
        m_initiatedRiFa = riFaRueckmeldung();
    ExerciseOptionsDialog::setNetworkInitiation(on);
    m_riFa->setVisible(on);
    if (!on)
        m_riFa->setIndex(0);
    applyRiFaRueckmeldung();
    fitHeight();
}

int TUebOptForm::riFaRueckmeldung() const {
    return m_riFa->isVisibleTo(this) ? std::max(0, m_riFa->index()) : 0;
}

void TUebOptForm::setExtended(bool extended) {
    m_extended = extended;
    m_extendedArea->setVisible(extended);
    m_extendButton->setText(extended ? u"Reduziert..."_s : u"Erweitert..."_s);
    fitHeight();
}

void TUebOptForm::showModeOptions() {
    const bool textInput = m_abfrageModus->index() == 3;
    m_extendedArea->setCurrentWidget(textInput ? static_cast<QWidget*>(m_textInputPanel)
                                               : m_extendedArea->widget(0));
    m_anzZeichen->setEnabled(textInput);
}

void TUebOptForm::applyRiFaRueckmeldung() {
    const bool atEnd = riFaRueckmeldung() == 1;
    if (atEnd)
        m_falsch->setIndex(1);
    m_falsch->setEnabled(!atEnd);
    m_falschSecondLine->setEnabled(!atEnd);
}

void TUebOptForm::fitHeight() {
    int height = m_extended ? kExtendedHeight : kReducedHeight;
    // The network initiation adds its panel and group. The layout must
    // forget the groups just hidden or shown before it is asked.
    body()->invalidate();
    layout()->invalidate();
    height = std::max(height, sizeHint().height());
    setFixedHeight(height);
}

} // namespace quorvel
