// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QObject>
#include <functional>
#include <memory>

class QPrinter;

namespace quorvel {

class Shell;
class TDruckForm;
struct ViewPrintFields;

// Printing the view: "&Drucken..." (and the tool bar's print button) opens
// "Ansicht drucken" for the picture `source` gives (the view, or the selected
// area while the area tool has one); "D&ruckereinrichtung..." sets up the
// program's printer, which the view print uses.
class ViewPrintController : public QObject {
    Q_OBJECT
public:
    ViewPrintController(Shell& shell, std::function<QImage()> source, QObject* parent);
    ~ViewPrintController() override;

    TDruckForm* form() const { return m_form; }
    // The program's printer, made when first needed (making one asks the
    // print system, which can take a moment).
    QPrinter& printer();

    // Sets the form's ratio from the picture and shows it modally.
    void printView();
    // The printer setup dialog; true when the user confirmed it.
    bool setUpPrinter();

private:
    bool print(const ViewPrintFields& fields);
    QString printerLine();

    Shell& m_shell;
    std::function<QImage()> m_source;
    std::unique_ptr<QPrinter> m_printer;
    TDruckForm* m_form;
};

} // namespace quorvel
