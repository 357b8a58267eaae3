// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document.h"
#include "documentsession.h"
#include "shutdownsequence.h"
#include "userdialogs.h"

#include <QObject>
#include <QString>

namespace quorvel {

class Shell;
struct MainWindowState;

// The open document: opening and closing it and the empty start state. The
// main window tells the participants when a document was opened or closed
// (the signals below); the learning view then shows it.
class DocumentController : public QObject, public DocumentSession {
    Q_OBJECT
public:
    // `state` holds the folders that opening changes; `participants` are
    // asked before the document is left; `layouts` lay out what is read and
    // must outlive the controller.
    DocumentController(Shell& shell, MainWindowState& state, const Participants& participants,
                       const DocumentLayouts& layouts, QObject* parent);

    Document& document() override { return m_document; }
    const Document& document() const { return m_document; }
    bool isOpen() const override { return m_open; }
    QString previouslyShownDocument() const override { return m_document.previousFile; }

    bool readAsCurrent(const QString& path) override;
    bool readPackagePart(const QString& package, qint64 offset) override;
    bool askBeforeLeaving() override;
    bool closeDocument() override;
    void showEmptyState() override;
    void showNewDocument(const QImage& basePicture, const QString& titel) override;

    // Lays the start picture's page out anew after the page-ratio settings
    // changed (they are loaded after the empty state is first shown).
    void applyStartPageRatio();

    // "Ö&ffnen...": the open dialog in the current folder, then readAsCurrent.
    void openDocument();

Q_SIGNALS:
    void opened();
    void closed();

private:
    bool read(const QString& path, qint64 offset);
    Shell& m_shell;
    MainWindowState& m_state;
    const Participants& m_participants;
    const DocumentLayouts& m_layouts;
    Document m_document;
    bool m_open = false; // false: the start picture and the start panel are shown
};

// The open dialog "Dokument öffnen" starting in `folder`.
FileChoice documentOpenChoice(const QString& folder);

// "Quorvel", followed by " - " and the file name of the open document.
QString windowCaption(const QString& documentPath);

} // namespace quorvel
