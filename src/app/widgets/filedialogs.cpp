// SPDX-License-Identifier: GPL-3.0-or-later
#include "filedialogs.h"

#include "filedialogfilter.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>

namespace quorvel {

namespace {

// Qt's own dialog takes the patterns literally from the filter text; the model
// behind it gets the patterns the program means instead.
void applyPatterns(QFileDialog& dialog, const QString& filter) {
    if (auto* model = dialog.findChild<QFileSystemModel*>())
        model->setNameFilters(nameFilterPatterns(filter));
}

} // namespace

void setProgramNameFilters(QFileDialog& dialog, const QString& pairs) {
    // The native dialogs of some desktops would bypass the model.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilters(qtNameFilters(pairs));
    // Qt sets its own patterns when the user picks a filter; ours follow
    // right after, as the filter box reports the pick after Qt's handler.
    if (auto* box = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        QObject::connect(box, &QComboBox::activated, &dialog,
                         [&dialog] { applyPatterns(dialog, dialog.selectedNameFilter()); });
    applyPatterns(dialog, dialog.selectedNameFilter());
}

} // namespace quorvel
