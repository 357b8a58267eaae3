// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <functional>

namespace quorvel {

class LearningViewWidget;
class Shell;

// Exporting the view as a picture file and copying it to the clipboard. The
// view picture is what the learning view shows: the visible section of the
// page with the drawings on it.
class ViewExportController : public QObject {
    Q_OBJECT
public:
    ViewExportController(LearningViewWidget& view, Shell& shell, QObject* parent);

    // The view picture, or only the part inside the area selection when
    // `selection` gives a non-empty one (view picture pixels).
    QImage viewPicture() const;
    void setSelection(std::function<QRect()> selection) { m_selection = std::move(selection); }

    // Saves the view picture under `path`: refused with the extension error for
    // any extension but ".bmp", ".png" and ".jpg"; false when nothing was written.
    bool exportTo(const QString& path);

public Q_SLOTS:
    // "&Exportieren...": the save dialog, then exportTo.
    void exportView();
    // "In &Zwischenablage kopieren": the view picture onto the clipboard.
    void copyView();

private:
    LearningViewWidget& m_view;
    Shell& m_shell;
    std::function<QRect()> m_selection;
};

} // namespace quorvel
