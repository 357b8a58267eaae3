#include "themenlisteform.h"

#include "filedialogfilter.h"
#include "filedialogs.h"
#include "reportmarkup.h"
#include "reportrtf.h"
#include "topiclistreport.h"
#include "userprompter.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

namespace quorvel {

TThemenlisteForm::TThemenlisteForm(QWidget* parent)
    : QDialog(parent), m_text(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("ThemenlisteForm"));
    setWindowTitle(QStringLiteral("Themenliste"));
    resize(520, 600);
    m_text->setObjectName(QStringLiteral("ThemenlisteText"));

    auto* buttons = new QDialogButtonBox(this);
    const auto button = [&](const QString& name, const QString& caption, auto handler) {
        QPushButton* b = buttons->addButton(caption, QDialogButtonBox::ActionRole);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
    };
    button(QStringLiteral("KopierenBtn"), QStringLiteral("In Zwischenablage kopieren"),
           [this] { copyToClipboard(); });
    button(QStringLiteral("SpeichernBtn"), QStringLiteral("Speichern..."), [this] { save(); });
    button(QStringLiteral("DruckenBtn"), QStringLiteral("Drucken..."), [this] { print(); });
    button(QStringLiteral("SchliessenBtn"), QStringLiteral("Schließen"), [this] { close(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(buttons);
}

void TThemenlisteForm::setReport(const QString& reportMarkup) {
    m_report = reportMarkup;
    renderReportMarkup(*m_text->document(), reportMarkup, ReportRendering::Replace);
    m_text->moveCursor(QTextCursor::Start); // the list is read from its top
}

void TThemenlisteForm::copyToClipboard() {
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/rtf"), reportMarkupToRtf(m_report, font().family()));
    data->setData(QStringLiteral("application/rtf"), data->data(QStringLiteral("text/rtf")));
    data->setHtml(m_text->document()->toHtml());
    data->setText(m_text->document()->toPlainText());
    QApplication::clipboard()->setMimeData(data);
}

bool TThemenlisteForm::saveTo(const QString& path) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(reportMarkupToRtf(m_report, font().family()));
        if (file.commit())
            return true;
    }
    if (m_prompter)
        m_prompter().error(QStringLiteral("Datei konnte nicht erstellt werden:\r\n") + path);
    return false;
}

void TThemenlisteForm::save() {
    QString path;
    if (m_chooseFile) {
        path = m_chooseFile();
    } else {
        QFileDialog dialog(this, topicListSaveTitle());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        setProgramNameFilters(dialog, richTextFilter());
        dialog.setDefaultSuffix(QString::fromUtf16(kRichTextExtension));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            path = dialog.selectedFiles().first();
    }
    if (!path.isEmpty())
        saveTo(path);
}

void TThemenlisteForm::print() {
    QPrinter printer;
    printer.setDocName(QStringLiteral("Themenliste"));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Themenliste"));
    if (dialog.exec() == QDialog::Accepted)
        m_text->document()->print(&printer);
}

} // namespace quorvel
