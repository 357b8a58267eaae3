#pragma once

#include <QObject>
#include <QString>

class QFileDialog;
class QWidget;

namespace quorvel {

struct ShellContext;
class LearningViewWidget;

// Opening and closing the current document and the empty start state.
class DocumentController : public QObject {
    Q_OBJECT
public:
    DocumentController(ShellContext& context, LearningViewWidget& view, QWidget* dialogParent);

    // The open dialog "Dokument öffnen", made on the first call and reused.
    QFileDialog* openDialog();

    // Reads `path` as the current document. On failure shows the read
    // messages in order and leaves the empty start state; a missing file
    // leaves the open document as it was. True on success.
    bool readAsCurrent(const QString& path);

    // "Ö&ffnen...": the open dialog in the current folder, then readAsCurrent.
    void openDocument();

    // "Sch&ließen": the abort and save questions, then the start state.
    // False when a question cancelled it.
    bool closeDocument();

    // Start picture, empty new document, start panel shown.
    void showEmptyState();

    // Lays the start picture's page out anew after the page-ratio settings
    // changed (they are loaded after the empty state is first shown).
    void applyStartPageRatio();

    // Hands zoom level and current question of the window state to the
    // composition and composes the view anew; the visible section and the
    // zoom come back into the window state after every composition.
    void rebuildView();

Q_SIGNALS:
    // The open document or its absence changed: caption, title and topic list follow.
    void documentChanged();

private:
    void mirrorViewState();

    ShellContext& m_context;
    LearningViewWidget& m_view;
    QWidget* m_dialogParent;
    QFileDialog* m_openDialog = nullptr;
};

// "Quorvel", followed by " - " and the file name of the open document.
QString windowCaption(const QString& documentPath);

} // namespace quorvel
