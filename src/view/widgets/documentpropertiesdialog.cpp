// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentpropertiesdialog.h"

#include "documentproperties.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

QPushButton* disabledButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setEnabled(false);
    return button;
}

} // namespace

DocumentPropertiesDialog::DocumentPropertiesDialog(QWidget* parent)
    : DecoratedDialog(parent), m_tabs(new QTabWidget(this)) {
    setObjectName(u"DokEigenschaftenForm"_s);
    setWindowTitle(u"Dokumenteigenschaften"_s);

    // Tab "Allgemein".
    auto* general = new QWidget(m_tabs);
    general->setObjectName(u"AllgemeinTab"_s);
    auto* form = new QFormLayout(general);
    m_file = addLine(u"DateiEdit"_s);
    m_folder = addLine(u"OrdnerEdit"_s);
    m_size = addLine(u"GroesseEdit"_s);
    m_modified = addLine(u"GeaendertEdit"_s);
    m_type = addLine(u"DokTypEdit"_s);
    m_titel = addLine(u"TitelEdit"_s);
    m_autor = addLine(u"AutorEdit"_s);
    m_bemerkung = new QPlainTextEdit(this);
    m_bemerkung->setObjectName(u"BemerkungMemo"_s);
    m_bemerkung->setReadOnly(true);
    m_bemerkung->setMaximumHeight(80);
    m_numbering = addChoice(u"NumArtBox"_s, numberingChoices());
    m_order = addChoice(u"GeordnetBox"_s, orderChoices());
    m_targetPoints = addChoice(u"ZielpunktBox"_s, targetPointChoices());
    m_password = new QLabel(this);
    m_password->setObjectName(u"PasswortLabel"_s);

    const auto row = [form](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, field->parentWidget());
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(u"Datei:"_s, m_file);
    row(u"Ordner:"_s, m_folder);
    row(u"Größe:"_s, m_size);
    row(u"Geändert am:"_s, m_modified);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(m_type, 1);
    typeRow->addWidget(disabledButton(u"Dok.typ an Titel anfügen"_s, u"DokTypAnfuegenBtn"_s, this));
    auto* typeLabel = new QLabel(u"&Dokumententyp:"_s, this);
    typeLabel->setBuddy(m_type);
    form->addRow(typeLabel, typeRow);
    row(u"&Titel:"_s, m_titel);
    row(u"&Autor:"_s, m_autor);
    row(u"&Bemerkung:"_s, m_bemerkung);
    row(u"&Nummerierung:"_s, m_numbering);
    row(u"&Geordnet:"_s, m_order);
    row(u"&Zielpunktgröße in Übungen:"_s, m_targetPoints);
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(m_password, 1);
    passwordRow->addWidget(disabledButton(u"&Passwortschutz ändern..."_s, u"PasswortBtn"_s, this));
    form->addRow(new QLabel(u"Passwort für Bildexport:"_s, this), passwordRow);
    form->addRow(QString(),
                 disabledButton(u"&Seitenverhältnis..."_s, u"SeitenverhaeltnisBtn"_s, this));
    m_tabs->addTab(general, u"  Allgemein  "_s);

    // Tab "Arbeitsblatt": shown, but nothing on it can be changed here.
    auto* sheet = new QWidget(m_tabs);
    sheet->setObjectName(u"ArbeitsblattTab"_s);
    m_logo = new QLabel(sheet);
    m_logo->setObjectName(u"LogoImage"_s);
    m_logo->setFixedSize(160, 100);
    m_logo->setFrameShape(QFrame::Box);
    m_logo->setAlignment(Qt::AlignCenter);
    m_logoSize = addLine(u"LogoGroesseEdit"_s);
    m_logoAlignment = addChoice(u"LogoAusrichtungBox"_s, alignmentChoices());
    m_footerAlignment = addChoice(u"FusszeileAusrichtungBox"_s, alignmentChoices());
    m_footer = addLine(u"FusszeileEdit"_s);
    auto* logoButtons = new QVBoxLayout;
    logoButtons->addWidget(new QPushButton(u"aus Datei..."_s, sheet));
    logoButtons->addWidget(new QPushButton(u"aus Zwisch.abl."_s, sheet));
    logoButtons->addWidget(new QPushButton(u"In Zw.abl. kopieren"_s, sheet));
    logoButtons->addWidget(new QPushButton(u"Bild löschen"_s, sheet));
    auto* grid = new QGridLayout(sheet);
    grid->addWidget(new QLabel(u"Logo:"_s, sheet), 0, 0, Qt::AlignTop);
    grid->addWidget(m_logo, 0, 1);
    grid->addLayout(logoButtons, 0, 2);
    grid->addWidget(new QLabel(u"Größe des Logos:"_s, sheet), 1, 0);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_logoSize);
    auto* sizeNote =
        new QLabel(u"Prozent der Seitenbreite des Arbeitsblattes bei Hochformat"_s, sheet);
    sizeNote->setWordWrap(true);
    sizeRow->addWidget(sizeNote, 1);
    grid->addLayout(sizeRow, 1, 1, 1, 2);
    grid->addWidget(new QLabel(u"Ausrichtung des Logos:"_s, sheet), 2, 0);
    grid->addWidget(m_logoAlignment, 2, 1);
    grid->addWidget(new QLabel(u"Fußzeile:"_s, sheet), 3, 0);
    grid->addWidget(m_footer, 3, 1, 1, 2);
    grid->addWidget(new QLabel(u"Ausrichtung der Fußzeile:"_s, sheet), 4, 0);
    grid->addWidget(m_footerAlignment, 4, 1);
    grid->addWidget(
        new QPushButton(u"Für alle Dokumente des aktuellen Ordners übernehmen"_s, sheet), 5, 0, 1,
        3);
    grid->setRowStretch(6, 1);
    sheet->setEnabled(false);
    m_tabs->addTab(sheet, u"  Arbeitsblatt  "_s);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(makeOkCancelRow());
    resize(620, 560);
}

QLineEdit* DocumentPropertiesDialog::addLine(const QString& name) {
    auto* line = new QLineEdit(this);
    line->setObjectName(name);
    line->setReadOnly(true);
    return line;
}

QComboBox* DocumentPropertiesDialog::addChoice(const QString& name, const QStringList& items) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->addItems(items);
    box->setEnabled(false);
    return box;
}

void DocumentPropertiesDialog::showProperties(const DocumentProperties& p) {
    m_file->setText(p.fileName);
    m_folder->setText(p.folder);
    m_size->setText(p.sizeText);
    m_modified->setText(p.modifiedText);
    m_type->setText(p.typeName);
    m_titel->setText(p.titel);
    m_autor->setText(p.autor);
    m_bemerkung->setPlainText(p.bemerkung);
    m_numbering->setCurrentIndex(p.numberingIndex);
    m_order->setCurrentIndex(p.orderIndex);
    m_targetPoints->setCurrentIndex(p.targetPointIndex);
    m_password->setText(p.passwordText);
    if (p.logo.isNull())
        m_logo->clear();
    else
        m_logo->setPixmap(QPixmap::fromImage(p.logo.scaled(
            m_logo->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    m_logoSize->setText(p.logoSizeText);
    m_logoAlignment->setCurrentIndex(p.logoAlignmentIndex);
    m_footerAlignment->setCurrentIndex(p.footerAlignmentIndex);
    m_footer->setText(p.footer);
    m_tabs->setCurrentIndex(0);
}

} // namespace quorvel
