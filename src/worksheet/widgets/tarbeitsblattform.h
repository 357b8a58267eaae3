// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"
#include "worksheetpage.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace quorvel {

class Document;
class RadioGroup;
class WorksheetPreview;

// The dialog "Arbeitsblatt": every setting of the sheet (each control under
// its component name), the option panels of the document's type, and the
// preview, drawn anew on every change. It edits the settings it is attached
// to; what it cannot do itself (questions, reset from the document, export,
// clipboard, print) it asks its host, handing over the sheet just drawn.
class TArbeitsblattForm : public DecoratedDialog {
    Q_OBJECT
public:
    struct Host {
        std::function<bool(const QString&)> confirm; // a Yes/No question; true for "Ja"
        std::function<void()> reset;                 // reload the settings from the document
        std::function<void(const WorksheetPage&)> exportSheet;
        std::function<void(const WorksheetPage&)> copySheet;
        std::function<void(const WorksheetPage&)> printSheet;
    };

    explicit TArbeitsblattForm(QWidget* parent = nullptr);
    void setHost(Host host) { m_host = std::move(host); }

    // The document shown, the settings edited and the layouts that compose
    // the document's page; all must outlive every showing of the dialog.
    void attach(const Document& document, WorksheetSettings& settings, const ViewLayouts& layouts);

    // Draws the sheet from the settings and shows it (only while visible).
    void redraw();
    const WorksheetPage& page() const { return m_page; }
    // How often the sheet was drawn (the preview follows every change).
    int drawCount() const { return m_drawCount; }
    WorksheetPreview* preview() const { return m_preview; }
    // The settings shown again, after the host changed them.
    void showSettings();

protected:
    // The activation: the document's title (with "Titel des Dokuments
    // verwenden") and task text, the panels of its type, then the sheet.
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildChoices();
    QWidget* buildTexts();
    QWidget* buildTypePanels();
    QWidget* buildButtons();
    void showPanels(int dokTyp);
    void readControls();
    void changed();
    void titleSwitched(bool on);

    Host m_host;
    const Document* m_document = nullptr;
    WorksheetSettings* m_settings = nullptr;
    const ViewLayouts* m_layouts = nullptr;
    WorksheetPage m_page;
    int m_drawCount = 0;
    bool m_updating = false; // controls are being set: their signals are no changes

    RadioGroup* m_mode = nullptr;
    RadioGroup* m_orientation = nullptr;
    QCheckBox* m_name = nullptr;
    QCheckBox* m_class = nullptr;
    QCheckBox* m_date = nullptr;
    QCheckBox* m_subject = nullptr;
    QCheckBox* m_sheetNumber = nullptr;
    QLineEdit* m_title = nullptr;
    QCheckBox* m_useTitle = nullptr;
    QPlainTextEdit* m_task = nullptr;
    QCheckBox* m_answerTexts = nullptr;
    QWidget* m_boxSizeRow = nullptr;
    QComboBox* m_boxSize = nullptr;
    QComboBox* m_columns = nullptr;
    QWidget* m_typ0 = nullptr;
    QWidget* m_typ1 = nullptr;
    QWidget* m_typ2 = nullptr;
    QWidget* m_typ4 = nullptr;
    QSpinBox* m_firstQuestion = nullptr;
    QCheckBox* m_clozeMargins = nullptr;
    QSpinBox* m_fontAdjust = nullptr;
    QCheckBox* m_basePicture = nullptr;  // BasisbildCheck (cloze and cluster)
    QCheckBox* m_basePicture0 = nullptr; // BasisbildCheck0 (labelling)
    QDoubleSpinBox* m_baseX = nullptr;
    QDoubleSpinBox* m_baseY = nullptr;
    QDoubleSpinBox* m_baseSize = nullptr;
    QCheckBox* m_fullWidth = nullptr;
    QCheckBox* m_otherObjects = nullptr;
    QCheckBox* m_drawings = nullptr;
    QCheckBox* m_drawings4 = nullptr;
    QCheckBox* m_firstLetter = nullptr;
    WorksheetPreview* m_preview = nullptr;
};

} // namespace quorvel
