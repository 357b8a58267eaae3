// SPDX-License-Identifier: GPL-3.0-or-later
#include "tarbeitsblattform.h"

#include "document.h"
#include "radiogroup.h"
#include "typecodes.h"
#include "worksheetpreview.h"
#include "worksheetstorage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMaxColumns = 20;

QCheckBox* checkBox(const QString& name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QDoubleSpinBox* realBox(const QString& name, double minimum, double maximum, double step,
                        QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, maximum);
    box->setDecimals(1);
    box->setSingleStep(step);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    return box;
}

// A number with its two step buttons: `down` steps it down, `up` up.
QWidget* stepRow(QAbstractSpinBox* box, const QString& first, bool firstUp, const QString& second,
                 QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    box->setParent(row);
    layout->addWidget(box);
    for (const auto& [caption, up] : {std::pair{first, firstUp}, std::pair{second, !firstUp}}) {
        auto* button = new QPushButton(caption, row);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, box, [box, up = up] {
            if (up)
                box->stepUp();
            else
                box->stepDown();
        });
        layout->addWidget(button);
    }
    return row;
}

} // namespace

TArbeitsblattForm::TArbeitsblattForm(QWidget* parent) : DecoratedDialog(parent) {
    setObjectName(u"TArbeitsblattForm"_s);
    setWindowTitle(u"Arbeitsblatt"_s);
    setModal(true);

    auto* settingsColumn = new QVBoxLayout;
    settingsColumn->addWidget(buildChoices());
    settingsColumn->addWidget(buildTexts());
    auto* optionsColumn = new QVBoxLayout;
    // One width for every type, so that the preview keeps its place.
    QWidget* panels = buildTypePanels();
    panels->setFixedWidth(370);
    optionsColumn->addWidget(panels);
    optionsColumn->addStretch(1);

    m_preview = new WorksheetPreview(this);
    m_preview->setMinimumWidth(360);

    auto* columns = new QHBoxLayout;
    columns->addLayout(settingsColumn);
    columns->addLayout(optionsColumn);
    columns->addWidget(m_preview, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns, 1);
    outer->addWidget(buildButtons());
    resize(1180, 760);
}

QWidget* TArbeitsblattForm::buildChoices() {
    auto* part = new QWidget(this);
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    m_mode = new RadioGroup(u" Was soll erstellt werden "_s,
                            {u"Arbeitsblatt"_s, u"Lösungsblatt (komplett)"_s,
                             u"Lösungsblatt (Auflegefolie)"_s, u"Ausschneideblatt"_s},
                            part);
    m_mode->setObjectName(u"ModeRadio"_s);
    m_orientation = new RadioGroup(u" Orientierung "_s, {u"Hochformat"_s, u"Querformat"_s}, part);
    m_orientation->setObjectName(u"OrientRadio"_s);
    connect(m_mode, &RadioGroup::chosen, this, &TArbeitsblattForm::changed);
    connect(m_orientation, &RadioGroup::chosen, this, [this] {
        // A new orientation fits the base picture anew on the next drawing.
        if (m_settings)
            m_settings->fitBasePicture = true;
        changed();
    });
    layout->addWidget(m_mode);
    layout->addWidget(m_orientation);

    auto* fields = new QGroupBox(part);
    auto* fieldRow = new QHBoxLayout(fields);
    m_name = checkBox(u"ABNameBox"_s, u"Name"_s, fields);
    m_class = checkBox(u"ABKlasseBox"_s, u"Klasse"_s, fields);
    m_date = checkBox(u"ABDatumBox"_s, u"Datum"_s, fields);
    m_subject = checkBox(u"ABFachBox"_s, u"Fach"_s, fields);
    m_sheetNumber = checkBox(u"ABBlattNrBox"_s, u"Blatt-Nr."_s, fields);
    for (QCheckBox* box : {m_name, m_class, m_date, m_subject, m_sheetNumber}) {
        fieldRow->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &TArbeitsblattForm::changed);
    }
    layout->addWidget(fields);
    return part;
}

QWidget* TArbeitsblattForm::buildTexts() {
    auto* part = new QWidget(this);
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    m_title = new QLineEdit(part);
    m_title->setObjectName(u"TitelEdit"_s);
    m_useTitle = checkBox(u"TitelCheck"_s, u"Titel des Dokuments verwenden"_s, part);
    auto* titleLabel = new QLabel(u"Titelzeile (frei lassen, falls nicht gewünscht)"_s, part);
    titleLabel->setBuddy(m_title);
    layout->addWidget(titleLabel);
    layout->addWidget(m_title);
    layout->addWidget(m_useTitle);
    connect(m_title, &QLineEdit::textChanged, this, &TArbeitsblattForm::changed);
    connect(m_useTitle, &QCheckBox::toggled, this, &TArbeitsblattForm::titleSwitched);

    m_task = new QPlainTextEdit(part);
    m_task->setObjectName(u"AufgMemo"_s);
    m_task->setTabChangesFocus(true);
    auto* taskLabel = new QLabel(u"Aufgabenstellung"_s, part);
    taskLabel->setBuddy(m_task);
    layout->addWidget(taskLabel);
    layout->addWidget(m_task, 1);
    connect(m_task, &QPlainTextEdit::textChanged, this, &TArbeitsblattForm::changed);
    return part;
}

QWidget* TArbeitsblattForm::buildTypePanels() {
    auto* part = new QWidget(this);
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);

    m_answerTexts = checkBox(u"TextvorgabeCheck"_s, u"Antworttexte vorgeben"_s, part);
    layout->addWidget(m_answerTexts);
    m_boxSizeRow = new QWidget(part);
    auto* boxSizeForm = new QFormLayout(m_boxSizeRow);
    boxSizeForm->setContentsMargins(0, 0, 0, 0);
    m_boxSize = new QComboBox(m_boxSizeRow);
    m_boxSize->setObjectName(u"KaestchengroesseCombo"_s);
    m_boxSize->addItems(boxSizeTexts());
    boxSizeForm->addRow(u"Kästchengröße:"_s, m_boxSize);
    layout->addWidget(m_boxSizeRow);
    auto* columnsForm = new QFormLayout;
    m_columns = new QComboBox(part);
    m_columns->setObjectName(u"SpaltenComboBox"_s);
    for (int i = 1; i <= kMaxColumns; ++i)
        m_columns->addItem(QString::number(i));
    columnsForm->addRow(u"Spalten:"_s, m_columns);
    layout->addLayout(columnsForm);

    // Labelling (and cross matching).
    m_typ0 = new QGroupBox(part);
    m_typ0->setObjectName(u"Typ0Pan"_s);
    auto* typ0 = new QVBoxLayout(m_typ0);
    m_basePicture0 = checkBox(u"BasisbildCheck0"_s, u"Basisbild anzeigen"_s, m_typ0);
    m_drawings = checkBox(u"ZeichnungenEinbindenCheck"_s,
                          u"Zeichnungen einbinden (wie Lernansicht)"_s, m_typ0);
    m_firstLetter =
        checkBox(u"ErstBuchstabeVorgabeCheck"_s, u"ersten Buchstaben voreintragen"_s, m_typ0);
    for (QWidget* control : {m_basePicture0, m_drawings, m_firstLetter})
        typ0->addWidget(control);

    // Cloze text and cluster.
    m_typ1 = new QGroupBox(part);
    m_typ1->setObjectName(u"Typ1Pan"_s);
    auto* typ1 = new QFormLayout(m_typ1);
    m_clozeMargins = checkBox(u"RaenderCheck"_s, u"Ränder für Lückentext übernehmen"_s, m_typ1);
    m_fontAdjust = new QSpinBox(m_typ1);
    m_fontAdjust->setObjectName(u"MaxFontSize"_s);
    m_fontAdjust->setRange(-10, 10);
    m_fontAdjust->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_basePicture = checkBox(u"BasisbildCheck"_s, u"Basisbild anzeigen"_s, m_typ1);
    m_baseX = realBox(u"BasisbildX"_s, -20.0, 20.0, 0.1, m_typ1);
    m_baseY = realBox(u"BasisbildY"_s, -20.0, 1000.0, 0.1, m_typ1);
    m_baseSize = realBox(u"BasisbildGroesse"_s, 0.0, 300.0, 1.0, m_typ1);
    m_fullWidth =
        checkBox(u"VollbreiteCheck"_s, u"Basisbild auf volle Seitenbreite fixieren"_s, m_typ1);
    m_otherObjects = checkBox(u"ObjekteCheck"_s, u"Weitere Objekte zeigen"_s, m_typ1);
    typ1->addRow(m_clozeMargins);
    typ1->addRow(u"Schriftanpassung:"_s,
                 stepRow(m_fontAdjust, u"größer"_s, true, u"kleiner"_s, m_typ1));
    typ1->addRow(m_basePicture);
    typ1->addRow(u"X-Bildposition:"_s, stepRow(m_baseX, u"links"_s, false, u"rechts"_s, m_typ1));
    typ1->addRow(u"Y-Bildposition:"_s, stepRow(m_baseY, u"höher"_s, false, u"tiefer"_s, m_typ1));
    typ1->addRow(u"Bildgröße (%):"_s, stepRow(m_baseSize, u"größer"_s, true, u"kleiner"_s, m_typ1));
    typ1->addRow(m_fullWidth);
    typ1->addRow(m_otherObjects);

    // Single questions and multiple choice.
    m_typ2 = new QGroupBox(part);
    m_typ2->setObjectName(u"Typ2Pan"_s);
    auto* typ2 = new QFormLayout(m_typ2);
    m_firstQuestion = new QSpinBox(m_typ2);
    m_firstQuestion->setObjectName(u"AbFrageEdit"_s);
    m_firstQuestion->setRange(1, 99999);
    typ2->addRow(u"Ab Frage Nr.:"_s, m_firstQuestion);

    // Cluster: its drawing box is shown but changes nothing on the sheet.
    m_typ4 = new QGroupBox(part);
    m_typ4->setObjectName(u"Typ4Pan"_s);
    auto* typ4 = new QVBoxLayout(m_typ4);
    m_drawings4 = checkBox(u"ZeichnungenEinbindenCheck4"_s,
                           u"Zeichnungen einbinden (wie Lernansicht)"_s, m_typ4);
    typ4->addWidget(m_drawings4);

    for (QWidget* panel : {m_typ0, m_typ1, m_typ2, m_typ4})
        layout->addWidget(panel);

    for (QCheckBox* box : {m_answerTexts, m_clozeMargins, m_fullWidth, m_otherObjects, m_drawings,
                           m_drawings4, m_firstLetter})
        connect(box, &QCheckBox::toggled, this, &TArbeitsblattForm::changed);
    // The two "Basisbild anzeigen" boxes are one setting.
    for (auto [from, to] :
         {std::pair{m_basePicture, m_basePicture0}, std::pair{m_basePicture0, m_basePicture}}) {
        connect(from, &QCheckBox::toggled, this, [this, to = to](bool on) {
            if (m_updating)
                return;
            const QSignalBlocker quiet(to);
            to->setChecked(on);
            changed();
        });
    }
    for (QComboBox* combo : {m_boxSize, m_columns})
        connect(combo, &QComboBox::currentIndexChanged, this, &TArbeitsblattForm::changed);
    for (QSpinBox* box : {m_firstQuestion, m_fontAdjust})
        connect(box, &QSpinBox::valueChanged, this, &TArbeitsblattForm::changed);
    for (QDoubleSpinBox* box : {m_baseX, m_baseY, m_baseSize})
        connect(box, &QDoubleSpinBox::valueChanged, this, &TArbeitsblattForm::changed);
    return part;
}

QWidget* TArbeitsblattForm::buildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto button = [this, row, layout](const QString& name, const QString& caption,
                                            auto handler) {
        QPushButton* b = makeButton(caption);
        b->setParent(row);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
        layout->addWidget(b);
        return b;
    };
    button(u"ZuruecksetzenBtn"_s, u"Zurücksetzen"_s, [this] {
        if (m_host.reset)
            m_host.reset();
        showSettings();
        redraw();
    });
    button(u"VorschauBtn"_s, u"Vorschau aktualisieren"_s, [this] { redraw(); });
    layout->addStretch(1);
    const auto withSheet = [this](std::function<void(const WorksheetPage&)> Host::*action) {
        return [this, action] {
            redraw();
            if (m_host.*action)
                (m_host.*action)(m_page);
        };
    };
    button(u"ExportBtn"_s, u"Exportieren..."_s, withSheet(&Host::exportSheet));
    button(u"ClipboardBtn"_s, u"In Zwischenablage kopieren"_s, withSheet(&Host::copySheet));
    button(u"DruckBtn"_s, u"Drucken..."_s, withSheet(&Host::printSheet));
    button(u"SchliessenBtn"_s, u"Schließen"_s, [this] { accept(); })->setDefault(true);
    return row;
}

void TArbeitsblattForm::attach(const Document& document, WorksheetSettings& settings,
                               const ViewLayouts& layouts) {
    m_document = &document;
    m_settings = &settings;
    m_layouts = &layouts;
}

void TArbeitsblattForm::showEvent(QShowEvent* event) {
    DecoratedDialog::showEvent(event);
    if (!m_document || !m_settings)
        return;
    if (m_settings->useDocumentTitle)
        m_settings->title = m_document->header.titel;
    m_settings->task = m_document->header.ABAufgabe;
    showPanels(m_document->header.DokTyp);
    showSettings();
    redraw();
}

void TArbeitsblattForm::showPanels(int dokTyp) {
    const auto is = [dokTyp](std::initializer_list<DokTyp> types) {
        for (DokTyp t : types)
            if (dokTyp == int(t))
                return true;
        return false;
    };
    using enum DokTyp;
    m_typ0->setVisible(is({PictureLabelling, CrossMatching}));
    m_drawings->setVisible(is({PictureLabelling}));
    m_firstLetter->setVisible(is({PictureLabelling}));
    m_typ1->setVisible(is({Cloze, Cluster}));
    m_otherObjects->setVisible(is({Cloze}));
    m_typ2->setVisible(is({SingleQuestions, MultipleChoice}));
    m_typ4->setVisible(is({Cluster}));
    m_boxSizeRow->setVisible(is({PictureLabelling, Cloze, Cluster}));
    m_answerTexts->setVisible(!is({MultipleChoice, CrossMatching}));
}

void TArbeitsblattForm::showSettings() {
    if (!m_settings)
        return;
    const WorksheetSettings& s = *m_settings;
    const bool wasUpdating = m_updating;
    m_updating = true;
    m_mode->setIndex(int(s.kind));
    m_orientation->setIndex(s.landscape ? 1 : 0);
    m_name->setChecked(s.nameField);
    m_class->setChecked(s.classField);
    m_date->setChecked(s.dateField);
    m_subject->setChecked(s.subjectField);
    m_sheetNumber->setChecked(s.sheetNumberField);
    if (m_title->text() != s.title)
        m_title->setText(s.title);
    m_useTitle->setChecked(s.useDocumentTitle);
    if (m_task->toPlainText() != s.task)
        m_task->setPlainText(s.task);
    m_answerTexts->setChecked(s.answerTexts);
    m_boxSize->setCurrentIndex(s.boxSizeIndex);
    m_firstQuestion->setValue(s.firstQuestion);
    m_clozeMargins->setChecked(s.clozeMargins);
    m_fontAdjust->setValue(s.fontAdjust);
    m_basePicture->setChecked(s.basePicture);
    m_basePicture0->setChecked(s.basePicture);
    m_baseX->setValue(s.basePictureX);
    m_baseY->setValue(s.basePictureY);
    m_baseSize->setValue(s.basePictureSize);
    m_fullWidth->setChecked(s.fullWidth);
    m_otherObjects->setChecked(s.otherObjects);
    m_drawings->setChecked(s.includeDrawings);
    m_firstLetter->setChecked(s.firstLetter);
    m_columns->setCurrentIndex(s.columns - 1);
    m_updating = wasUpdating;
}

void TArbeitsblattForm::readControls() {
    WorksheetSettings& s = *m_settings;
    s.kind = WorksheetKind(std::max(m_mode->index(), 0));
    s.landscape = m_orientation->index() == 1;
    s.nameField = m_name->isChecked();
    s.classField = m_class->isChecked();
    s.dateField = m_date->isChecked();
    s.subjectField = m_subject->isChecked();
    s.sheetNumberField = m_sheetNumber->isChecked();
    s.title = m_title->text();
    s.useDocumentTitle = m_useTitle->isChecked();
    s.task = m_task->toPlainText();
    s.answerTexts = m_answerTexts->isChecked();
    s.boxSizeIndex = m_boxSize->currentIndex();
    s.firstQuestion = m_firstQuestion->value();
    s.clozeMargins = m_clozeMargins->isChecked();
    s.fontAdjust = m_fontAdjust->value();
    s.basePicture = m_basePicture->isChecked();
    s.basePictureX = m_baseX->value();
    s.basePictureY = m_baseY->value();
    s.basePictureSize = m_baseSize->value();
    s.fullWidth = m_fullWidth->isChecked();
    s.otherObjects = m_otherObjects->isChecked();
    s.includeDrawings = m_drawings->isChecked();
    s.firstLetter = m_firstLetter->isChecked();
    s.columns = m_columns->currentIndex() + 1;
}

void TArbeitsblattForm::changed() {
    if (m_updating || !m_settings)
        return;
    readControls();
    redraw();
}

void TArbeitsblattForm::titleSwitched(bool on) {
    if (m_updating || !m_settings)
        return;
    m_updating = true;
    if (on && m_document)
        m_title->setText(m_document->header.titel);
    else if (!on && m_host.confirm && m_host.confirm(u"Titelzeile ganz entfernen?"_s))
        m_title->clear();
    m_updating = false;
    changed();
}

void TArbeitsblattForm::redraw() {
    // Drawn only while the dialog is shown; the settings the drawing fits
    // (the base picture's size and place) are shown back.
    if (!m_document || !m_settings || !isVisible())
        return;
    m_page = buildWorksheet(*m_document, *m_settings, *m_layouts);
    ++m_drawCount;
    showSettings();
    m_preview->setPage(m_page);
}

} // namespace quorvel
