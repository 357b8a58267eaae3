// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewprintcontroller.h"

#include "document.h"
#include "printerjob.h"
#include "printerqueue.h"
#include "shell.h"
#include "tdruckform.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

ViewPrintController::ViewPrintController(Shell& shell, std::function<QImage()> source,
                                         QObject* parent)
    : QObject(parent), m_shell(shell), m_source(std::move(source)),
      m_form(new TDruckForm(shell.dialogParent())) {
    m_form->setHost({[this] { return printerLine(); }, [this] { setUpPrinter(); },
                     [this](const ViewPrintFields& fields) { return print(fields); }});
    m_shell.commands().onTriggered(u"Drucken1"_s, this, [this] { printView(); });
    m_shell.commands().onTriggered(u"Druckereinrichtung1"_s, this, [this] { setUpPrinter(); });
}

ViewPrintController::~ViewPrintController() = default;

QPrinter& ViewPrintController::printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void ViewPrintController::printView() {
    m_form->setRatio(pictureRatio(m_source().size()));
    m_form->exec();
}

bool ViewPrintController::setUpPrinter() {
    return m_shell.dialogs().setUpPrinter(printer(), u"Druckereinrichtung"_s);
}

QString ViewPrintController::printerLine() {
    return printerInfo(printer());
}

bool ViewPrintController::print(const ViewPrintFields& fields) {
    QString error;
    const std::optional<ViewPrintJob> job = viewPrintJob(fields, error);
    if (!job) {
        m_shell.dialogs().error(error);
        return false;
    }
    const QImage picture = m_source();
    if (picture.isNull()) {
        m_shell.dialogs().error(u"Es gibt keine Ansicht zum Drucken."_s);
        return false;
    }
    const QString file = m_shell.session().document().file;
    const QString title = file.isEmpty() ? u"Ansicht"_s : QFileInfo(file).fileName();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PrintOutcome printed = quorvel::printView(printer(), *job, picture, title);
    QApplication::restoreOverrideCursor();
    if (!printed.ok)
        m_shell.dialogs().error(printed.error);
    return printed.ok;
}

} // namespace quorvel
