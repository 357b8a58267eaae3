// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace quorvel {

struct DocumentProperties;

// The dialog "Dokumenteigenschaften" with its tabs "Allgemein" and
// "Arbeitsblatt". It only shows the open document's facts: every input is
// read-only or disabled, so "OK" and "Abbrechen" alike leave the document as
// it is. Made once and reused; the controls carry component names.
class DocumentPropertiesDialog : public DecoratedDialog {
    Q_OBJECT
public:
    explicit DocumentPropertiesDialog(QWidget* parent = nullptr);

    // Fills every control from `properties`.
    void showProperties(const DocumentProperties& properties);

    QTabWidget* tabs() const { return m_tabs; }

private:
    QLineEdit* addLine(const QString& name);
    QComboBox* addChoice(const QString& name, const QStringList& items);

    QTabWidget* m_tabs;
    QLineEdit* m_file;
    QLineEdit* m_folder;
    QLineEdit* m_size;
    QLineEdit* m_modified;
    QLineEdit* m_type;
    QLineEdit* m_titel;
    QLineEdit* m_autor;
    QPlainTextEdit* m_bemerkung;
    QComboBox* m_numbering;
    QComboBox* m_order;
    QComboBox* m_targetPoints;
    QLabel* m_password;
    QLabel* m_logo;
    QLineEdit* m_logoSize;
    QComboBox* m_logoAlignment;
    QComboBox* m_footerAlignment;
    QLineEdit* m_footer;
};

} // namespace quorvel
