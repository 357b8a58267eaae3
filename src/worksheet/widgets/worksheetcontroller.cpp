// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetcontroller.h"

#include "crossmatchinglayout.h"
#include "document.h"
#include "printerjob.h"
#include "shell.h"
#include "tarbblattdruckform.h"
#include "tarbeitsblattform.h"
#include "typecodes.h"
#include "worksheetexport.h"
#include "worksheetpage.h"
#include "worksheetstorage.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPrinter>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

// The PNG on the clipboard: the page at 150 dots per inch on A4's height
// (about 1240 × 2015 pixels in portrait).
constexpr double kClipboardScale = 1.24;

bool isCrossMatching(const Document& document) {
    return dokTypOf(document.header) == DokTyp::CrossMatching;
}

} // namespace

WorksheetController::WorksheetController(Shell& shell, const ViewLayouts& layouts,
                                         std::function<QPrinter&()> printer,
                                         std::function<void()> viewChanged, QObject* parent)
    : QObject(parent), m_shell(shell), m_layouts(layouts), m_printer(std::move(printer)),
      m_viewChanged(std::move(viewChanged)), m_form(new TArbeitsblattForm(shell.dialogParent())),
      m_printForm(new TArbblattDruckForm(m_form)) {
    m_form->setHost({[this](const QString& question) {
                         return m_shell.dialogs().ask(MessageKind::Confirmation, question,
                                                      MessageButtons::YesNo) == Answer::Yes;
                     },
                     [this] { resetFromDocument(); },
                     [this](const WorksheetPage& page) { exportSheet(page); },
                     [this](const WorksheetPage& page) { copy(page); },
                     [this](const WorksheetPage& page) { printSheet(page); }});
    m_shell.commands().onTriggered(u"Arbeitsblatterstellen1"_s, this, [this] { openWorksheet(); });
    m_shell.addParticipant(*this);
    takeDocument();
}

WorksheetController::~WorksheetController() = default;

void WorksheetController::openWorksheet() {
    Document& document = m_shell.session().document();
    // A cross matching shows its right-hand items shuffled on the sheet; the
    // view gets its own rows back afterwards.
    const bool crossMatching = isCrossMatching(document);
    if (crossMatching)
        prepareCrossMatching(document, true, m_shell.random());
    m_form->attach(document, m_settings, m_layouts);
    m_form->exec();
    if (crossMatching) {
        prepareCrossMatching(document, false, m_shell.random());
        if (m_viewChanged)
            m_viewChanged();
    }
    storeInDocument();
}

void WorksheetController::resetFromDocument() {
    if (!m_storedText.isEmpty())
        applyWorksheetSettingsText(m_storedText, m_settings);
    m_settings.task = m_shell.session().document().header.ABAufgabe;
}

void WorksheetController::documentOpened() {
    takeDocument();
}

void WorksheetController::documentClosed() {
    takeDocument();
}

void WorksheetController::takeDocument() {
    HeaderDataTyp& header = m_shell.session().document().header;
    m_storedText = header.Arbeitsblatt;
    takeDocumentWorksheetFields(header, m_settings);
    putWorksheetFields(m_settings, header);
}

void WorksheetController::storeInDocument() {
    // The header keeps what a write must store; that is no change of the
    // document the user would be asked to save.
    putWorksheetFields(m_settings, m_shell.session().document().header);
}

void WorksheetController::exportSheet(const WorksheetPage& page) {
    const QString path = m_shell.dialogs().chooseSaveFile(
        {worksheetExportTitle(), worksheetExportFilter(),
         QString::fromUtf16(kWorksheetExportExtension), QString()});
    if (!path.isEmpty())
        exportTo(page, path);
}

bool WorksheetController::exportTo(const WorksheetPage& page, const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const IoResult saved = exportWorksheet(page, path);
    QApplication::restoreOverrideCursor();
    for (const QString& message : saved.messages)
        m_shell.dialogs().error(message);
    return saved.ok;
}

void WorksheetController::copy(const WorksheetPage& page) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto* data = new QMimeData;
    data->setData(u"image/svg+xml"_s, worksheetSvg(page));
    data->setImageData(worksheetImage(page, page.size * kClipboardScale));
    QApplication::clipboard()->setMimeData(data);
    QApplication::restoreOverrideCursor();
}

void WorksheetController::printSheet(const WorksheetPage& page) {
    m_printForm->setHost(
        {[this] { return printerInfo(m_printer()); },
         [this] { m_shell.dialogs().setUpPrinter(m_printer(), u"Druckereinrichtung"_s); },
         [this, &page](const ViewPrintFields& fields) { return print(page, fields); }});
    m_printForm->execFor(page.size);
}

bool WorksheetController::print(const WorksheetPage& page, const ViewPrintFields& fields) {
    QString error;
    const std::optional<ViewPrintJob> job = viewPrintJob(fields, error);
    if (!job) {
        m_shell.dialogs().error(error);
        return false;
    }
    QPrinter& printer = m_printer();
    printer.setPageOrientation(page.size.width() > page.size.height() ? QPageLayout::Landscape
                                                                      : QPageLayout::Portrait);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PrintOutcome printed =
        printPicture(printer, *job, page.picture, page.size, u"Arbeitsblatt"_s);
    QApplication::restoreOverrideCursor();
    if (!printed.ok)
        m_shell.dialogs().error(printed.error);
    return printed.ok;
}

} // namespace quorvel
