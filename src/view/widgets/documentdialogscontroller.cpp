// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentdialogscontroller.h"

#include "document.h"
#include "documentproperties.h"
#include "documentpropertiesdialog.h"
#include "learningviewcontroller.h"
#include "learningviewwidget.h"
#include "shell.h"
#include "tschriftartform.h"
#include "viewcomposer.h"

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

DocumentDialogsController::DocumentDialogsController(Shell& shell, LearningViewController& view,
                                                     QObject* parent)
    : QObject(parent), m_shell(shell), m_view(view) {
    shell.commands().onTriggered(u"Dokumenteigenschaften1"_s, this, [this] { showProperties(); });
    shell.commands().onTriggered(u"Schriftart1"_s, this, [this] { chooseFont(); });
}

DocumentPropertiesDialog* DocumentDialogsController::propertiesDialog() {
    if (!m_properties)
        m_properties = new DocumentPropertiesDialog(m_shell.dialogParent());
    return m_properties;
}

TSchriftartForm* DocumentDialogsController::fontForm() {
    if (!m_font)
        m_font = new TSchriftartForm(m_shell.dialogParent());
    return m_font;
}

void DocumentDialogsController::showProperties() {
    DocumentPropertiesDialog* dialog = propertiesDialog();
    dialog->showProperties(documentProperties(m_shell.session().document()));
    // Every input is read-only or disabled: whatever the answer, nothing can
    // differ from the document, so nothing is written back.
    dialog->exec();
}

void DocumentDialogsController::chooseFont() {
    Document& document = m_shell.session().document();
    TSchriftartForm* form = fontForm();
    form->select(document.header.Schriftart);
    if (form->exec() != QDialog::Accepted)
        return;
    const QString chosen = form->chosen();
    if (chosen.isEmpty())
        return; // "OK" without a selection keeps the font
    document.header.Schriftart = chosen;
    document.modified = true;
    if (m_shell.modus() == Modus::LearningView) {
        // Texts are kept per font; the layouts lay out again in the new one.
        m_view.view().composer().clearCaches();
        m_view.rebuild();
    }
}

} // namespace quorvel
