// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"
#include "viewprintjob.h"

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quorvel {

// The dialog "Ansicht drucken": where on the paper and how large the view is
// printed (centimetres from the paper edges, decimal comma), the copies, the
// ratio rule and the printer line. Made once; it keeps its values between
// uses. What it cannot do itself it asks its host.
class TDruckForm : public DecoratedDialog {
    Q_OBJECT
public:
    struct Host {
        std::function<QString()> printerLine; // the line under " Drucker "
        std::function<void()> setUpPrinter;   // "Einrichten..."
        // "Drucken": prints the fields' job; true closes the dialog.
        std::function<bool(const ViewPrintFields&)> print;
    };

    explicit TDruckForm(QWidget* parent = nullptr);
    void setHost(Host host) { m_host = std::move(host); }

    // The picture's width ÷ height, set by the caller before each opening.
    void setRatio(double ratio) { m_ratio = ratio; }
    double ratio() const { return m_ratio; }

    ViewPrintFields fields() const;
    void refreshPrinterLine();

    QLineEdit* leftEdit() const { return m_left; }
    QLineEdit* topEdit() const { return m_top; }
    QLineEdit* widthEdit() const { return m_width; }
    QLineEdit* heightEdit() const { return m_height; }
    QSpinBox* copiesEdit() const { return m_copies; }
    QCheckBox* ratioBox() const { return m_keepRatio; }
    QLabel* printerInfo() const { return m_printerInfo; }
    QPushButton* printButton() const { return m_printButton; }
    QPushButton* setUpButton() const { return m_setUpButton; }

protected:
    // A print dialog of this kind for another picture: its component name,
    // caption and start values.
    TDruckForm(const QString& name, const QString& caption, const ViewPrintFields& start,
               QWidget* parent);

    // The activation: the printer line is refreshed, the ratio rule applied
    // once and the focus given to "Drucken".
    void showEvent(QShowEvent* event) override;

private:
    void widthTyped();
    void heightTyped();
    void applyRatio();
    void print();

    Host m_host;
    double m_ratio = 0.0;
    QLineEdit* m_left;
    QLineEdit* m_top;
    QLineEdit* m_width;
    QLineEdit* m_height;
    QSpinBox* m_copies;
    QCheckBox* m_keepRatio;
    QLabel* m_printerInfo;
    QPushButton* m_printButton;
    QPushButton* m_setUpButton;
};

} // namespace quorvel
