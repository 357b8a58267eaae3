// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shellparticipant.h"
#include "worksheetsettings.h"

#include <QObject>
#include <functional>

class QPrinter;

namespace quorvel {

class Shell;
class TArbblattDruckForm;
class TArbeitsblattForm;
class ViewLayouts;
struct ViewPrintFields;
struct WorksheetPage;

// Worksheets: "&Arbeitsblatt erstellen..." (and the tool bar's `ABBtn`)
// opens "Arbeitsblatt" on the open document, which exports, copies and
// prints the sheet through here. Owns the worksheet settings, which live
// while the program runs: reading a document applies its stored settings
// and its task text; the document's header always carries the settings in
// effect, so whatever writes the document writes them.
class WorksheetController : public QObject, public ShellParticipant {
    Q_OBJECT
public:
    // `layouts` are the program's, which compose the learning view;
    // `printer` is the program's printer (shared with the view print);
    // `viewChanged` returns the view to the learning view after the objects
    // of a cross matching were shuffled for the sheet.
    WorksheetController(Shell& shell, const ViewLayouts& layouts,
                        std::function<QPrinter&()> printer, std::function<void()> viewChanged,
                        QObject* parent);
    ~WorksheetController() override;

    WorksheetSettings& settings() { return m_settings; }
    TArbeitsblattForm* form() const { return m_form; }
    TArbblattDruckForm* printForm() const { return m_printForm; }

    // Shows the dialog modally on the open document.
    void openWorksheet();
    // "Zurücksetzen": the settings the document was read with (when it had
    // any) and its task text.
    void resetFromDocument();

    // Writes the sheet to `path` (".emf" or ".wmf"); false after a message.
    bool exportTo(const WorksheetPage& page, const QString& path);
    // Puts the sheet on the clipboard as SVG and PNG.
    void copy(const WorksheetPage& page);

    void documentOpened() override;
    void documentClosed() override;

private:
    void exportSheet(const WorksheetPage& page);
    void printSheet(const WorksheetPage& page);
    bool print(const WorksheetPage& page, const ViewPrintFields& fields);
    void takeDocument();
    void storeInDocument();

    Shell& m_shell;
    const ViewLayouts& m_layouts;
    std::function<QPrinter&()> m_printer;
    std::function<void()> m_viewChanged;
    WorksheetSettings m_settings;
    QString m_storedText; // the `Arbeitsblatt` field the document was read with
    TArbeitsblattForm* m_form;
    TArbblattDruckForm* m_printForm;
};

} // namespace quorvel
