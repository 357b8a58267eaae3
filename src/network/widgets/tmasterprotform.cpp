// SPDX-License-Identifier: GPL-3.0-or-later
#include "tmasterprotform.h"

#include "classpictureview.h"
#include "documentio.h"
#include "networkteacher.h"
#include "printerjob.h"
#include "protocolfile.h"
#include "reportmarkup.h"
#include "savefile.h"
#include "shell.h"
#include "tbestlistform.h"
#include "tprotkomform.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

QPushButton* pageButton(const QString& caption, const QString& name, const QString& hint,
                        QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setCheckable(true);
    return button;
}

} // namespace

TMasterProtForm::TMasterProtForm(Shell& shell, NetworkTeacher& teacher, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMaximizeButtonHint),
      m_shell(shell), m_teacher(teacher),
      m_participantsButton(pageButton(u"Teilnehmer- Protokoll"_s, u"TeilnehmerBtn"_s,
                                      u"Echtzeit-Teilnehmerprotokoll anzeigen"_s, this)),
      m_informationButton(pageButton(u"Übungs- Information"_s, u"UebDokuBtn"_s,
                                     u"Informationen zur Netzwerk-Übung anzeigen"_s, this)),
      m_pictureButton(pageButton(u"Klassenbild"_s, u"KlassenbildBtn"_s,
                                 u"Wie die Klasse die Abfragefelder gelöst hat"_s, this)),
      m_pictureView(new ClassPictureView(m_picture, this)), m_pages(new QStackedWidget(this)),
      m_grid(new QTableView(this)), m_text(new QTextBrowser(this)),
      m_registration(new QCheckBox(u"Anmeldung weiterer Teilnehmer zulassen"_s, this)),
      m_statusLine(new QLabel(this)), m_lessonCode(new QLabel(this)),
      m_commentForm(new TProtKomForm(this)) {
    setObjectName(u"TMasterProtForm"_s);
    setModal(false);
    m_commentForm->setWindowTitle(u"Kommentar zur Übungsinformation hinzufügen"_s);

    m_grid->setObjectName(u"TabGrid"_s);
    m_grid->setModel(&m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setMinimumSectionSize(10);
    // The columns keep their narrow widths, so the grid's text is small and
    // cut rather than replaced by an ellipsis: "ff ok" must stay "ff ok".
    QFont small = m_grid->font();
    small.setPointSizeF(8.0);
    m_grid->setFont(small);
    m_grid->horizontalHeader()->setFont(small);
    m_grid->setTextElideMode(Qt::ElideNone);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->setDefaultSectionSize(16);
    m_text->setObjectName(u"RichEdit1"_s);
    m_pages->addWidget(m_grid);
    m_pages->addWidget(m_text);
    m_pages->addWidget(m_pictureView);
    m_registration->setObjectName(u"TeilnahmeErlaubt"_s);
    m_registration->setChecked(true);
    m_statusLine->setObjectName(u"StatusLine"_s);

    auto* label = new QLabel(u"An den Teilnehmer-PCs muss \"Übung / An Netzwerk-Übung "
                             u"teilnehmen\" aufgerufen werden, solange Sie weitere Teilnehmer "
                             u"zulassen."_s,
                             this);
    label->setObjectName(u"Label1"_s);
    label->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(m_participantsButton);
    top->addWidget(m_informationButton);
    top->addWidget(m_pictureButton);
    top->addStretch(1);
    m_lessonCode->setObjectName(u"UnterrichtscodeLab"_s);
    QFont large = m_lessonCode->font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    large.setBold(true);
    m_lessonCode->setFont(large);
    m_lessonCode->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lessonCode->hide();
    top->addWidget(m_lessonCode);
    top->addStretch(1);
    auto* end = new QPushButton(u"Netz-Übung beenden und schließen"_s, this);
    end->setObjectName(u"NetzUebBeendenBtn"_s);
    top->addWidget(end);

    auto* registrationRow = new QHBoxLayout;
    registrationRow->addWidget(m_registration);
    registrationRow->addWidget(label, 1);

    auto* buttons = new QHBoxLayout;
    const struct {
        QString caption, name;
        void (TMasterProtForm::*action)();
    } actions[] = {{u"Drucken..."_s, u"DruckBtn"_s, &TMasterProtForm::print},
                   {u"Speichern..."_s, u"SaveBtn"_s, &TMasterProtForm::save},
                   {u"In Zw.abl. kopieren"_s, u"InClipBtn"_s, &TMasterProtForm::copy},
                   {u"Kommentar hinzufügen..."_s, u"KommBtn"_s, &TMasterProtForm::addComment}};
    for (const auto& action : actions) {
        auto* button = new QPushButton(action.caption, this);
        button->setObjectName(action.name);
        connect(button, &QPushButton::clicked, this, action.action);
        buttons->addWidget(button);
    }
    auto* best = new QPushButton(u"Bestenliste..."_s, this);
    best->setObjectName(u"BestenlisteBtn"_s);
    buttons->addWidget(best);
    buttons->addStretch(1);
    buttons->addWidget(m_statusLine);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_pages, 1);
    layout->addLayout(registrationRow);
    layout->addLayout(buttons);
    resize(900, 520);

    connect(m_participantsButton, &QPushButton::clicked, this,
            [this] { selectPage(Page::Participants); });
    connect(m_informationButton, &QPushButton::clicked, this,
            [this] { selectPage(Page::Information); });
    connect(m_pictureButton, &QPushButton::clicked, this,
            [this] { selectPage(Page::ClassPicture); });
    connect(m_registration, &QCheckBox::clicked, this, &TMasterProtForm::registrationClicked);
    connect(best, &QPushButton::clicked, this, [this] {
        if (showBestList)
            showBestList();
    });
    connect(end, &QPushButton::clicked, this, [this] {
        if (endExercise && endExercise()) {
            refreshCaption();
            hide();
        }
    });
    connect(&m_teacher, &NetworkTeacher::rowChanged, this,
            [this](int row, bool added, const QList<int>& columns) {
                m_model.update(row, added, columns);
                refreshStatusLine();
                // Only a new row or a field's result changes the marks.
                if (added || std::any_of(columns.begin(), columns.end(),
                                         [](int column) { return column > 12; }))
                    refreshClassPicture();
            });
    connect(&m_teacher, &NetworkTeacher::refused, this, &TMasterProtForm::refreshStatusLine);
    selectPage(Page::Participants);
    refreshCaption();
}

void TMasterProtForm::startExercise(const QString& information) {
    m_model.setState(m_teacher.state());
    const QList<int> widths = m_model.widths();
    for (int column = 0; column < widths.size(); ++column)
        m_grid->setColumnWidth(column, widths[column]);
    m_information = information;
    renderReportMarkup(*m_text->document(), information, ReportRendering::Replace);
    m_registration->setChecked(true);
    refreshStatusLine();
    refreshCaption();
    // The previous document's page would put the new fields' marks in the
    // wrong places: it goes until the new page is set.
    setClassPicturePage({});
}

void TMasterProtForm::setClassPicturePage(ClassPicturePage page) {
    m_picture.setPage(std::move(page));
    m_picture.update(m_teacher.state());
    m_pictureView->pageChanged();
}

void TMasterProtForm::refreshClassPicture() {
    if (m_picture.update(m_teacher.state()))
        m_pictureView->marksChanged();
}

void TMasterProtForm::setLessonCode(const QString& code) {
    m_lessonCode->setText(u"Unterrichtscode: "_s + code);
    m_lessonCode->setVisible(!code.isEmpty());
}

void TMasterProtForm::showDisplay() {
    refreshCaption();
    selectPage(Page::Participants);
    show();
    raise();
    activateWindow();
    m_grid->setFocus();
}

void TMasterProtForm::selectPage(Page page) {
    m_page = page;
    m_participantsButton->setChecked(page == Page::Participants);
    m_informationButton->setChecked(page == Page::Information);
    m_pictureButton->setChecked(page == Page::ClassPicture);
    m_pages->setCurrentIndex(static_cast<int>(page) - 1);
}

void TMasterProtForm::refreshCaption() {
    setWindowTitle(u"Netzwerk-Übung - Kontrollanzeige"_s +
                   (m_teacher.running() ? u" - Status: aktiv"_s : u" - Status: beendet"_s));
}

void TMasterProtForm::refreshStatusLine() {
    const TeacherState* state = m_teacher.state();
    const int rejected = state ? state->rejectedCount() : 0;
    const int refused = state ? state->refusedJoins() : 0;
    QStringList parts;
    if (rejected > 0)
        parts << u"%1 Nachricht(en) ohne gültigen Unterrichtscode verworfen"_s.arg(rejected);
    if (refused > 0)
        parts << u"%1 weitere Anmeldung(en) abgewiesen: höchstens %2 Teilnehmer"_s.arg(refused).arg(
            TeacherState::kMaxParticipants);
    m_statusLine->setText(parts.join(u"; "_s));
}

void TMasterProtForm::registrationClicked(bool open) {
    if (m_teacher.running()) {
        const IoResult changed = m_teacher.setRegistrationOpen(open);
        for (const QString& message : changed.messages)
            m_shell.dialogs().error(message);
    } else if (open) {
        m_shell.dialogs().information(u"Es ist keine Netzwerk-Übung aktiv."_s);
    }
}

QString TMasterProtForm::gridAsText() const {
    const TeacherState* state = m_teacher.state();
    if (!state)
        return {};
    return gridText(state->grid());
}

void TMasterProtForm::save() {
    if (m_page == Page::ClassPicture) {
        const QString path =
            m_shell.dialogs().chooseSaveFile({u"Klassenbild in Datei speichern"_s,
                                              u"PNG-Bild (*.png)|*.png|Alle Dateien (*.*)|*.*"_s,
                                              u"png"_s,
                                              {}});
        if (path.isEmpty())
            return;
        const IoResult saved = saveClassPicture(m_picture, path);
        for (const QString& message : saved.messages)
            m_shell.dialogs().error(message);
        return;
    }
    const bool grid = m_page == Page::Participants;
    const FileChoice choice =
        grid ? FileChoice{u"Teilnehmerprotokoll in Datei speichern"_s,
                          u"Textdatei (*.txt)|*.txt|Alle Dateien (*.*)|*.*"_s,
                          u"txt"_s,
                          {}}
             : FileChoice{u"Übungsinformation in Datei speichern"_s,
                          u"Rich Text Dokument (*.rtf)|*.rtf|Alle Dateien (*.*)|*.*"_s,
                          u"rtf"_s,
                          {}};
    const QString path = m_shell.dialogs().chooseSaveFile(choice);
    if (path.isEmpty())
        return;
    const QByteArray bytes = grid ? gridAsText().toUtf8() : protocolRtf(m_information);
    if (!saveWholeFile(path, bytes))
        m_shell.dialogs().error(msgCannotWrite(path));
}

void TMasterProtForm::copy() {
    if (m_page == Page::ClassPicture) {
        QApplication::clipboard()->setImage(m_picture.image());
        return;
    }
    if (m_page == Page::Participants) {
        QApplication::clipboard()->setText(gridAsText());
        return;
    }
    m_text->selectAll();
    m_text->copy();
    QTextCursor cursor = m_text->textCursor();
    cursor.clearSelection();
    m_text->setTextCursor(cursor);
}

void TMasterProtForm::print() {
    QPrinter printer;
    const QString title = u"Netzwerk-Übung"_s;
    printer.setDocName(title);
    if (!m_shell.dialogs().choosePrinter(printer, title))
        return;
    if (m_page == Page::ClassPicture) {
        const QImage picture = m_picture.image();
        const PrinterCoordinates coordinates = printerCoordinates(printer);
        const QRect area = classPicturePrintArea(
            QSize(coordinates.pageWidth(), coordinates.pageHeight()), picture.size());
        const PrintOutcome printed = printView(printer, {area, 1}, picture, title);
        if (!printed.ok)
            m_shell.dialogs().error(printed.error);
        return;
    }
    if (m_page == Page::Participants) {
        if (const TeacherState* state = m_teacher.state()) {
            const PrintOutcome printed =
                printGrid(printer, {state->grid(), m_model.widths(), m_model.alignments()}, title);
            if (!printed.ok)
                m_shell.dialogs().error(printed.error);
        }
        return;
    }
    m_text->document()->print(&printer);
}

void TMasterProtForm::addComment() {
    if (const std::optional<QString> comment = m_commentForm->ask())
        appendComment(*comment);
}

void TMasterProtForm::appendComment(const QString& comment) {
    const QString added = commentMarkup(comment);
    if (added.isEmpty())
        return;
    m_information += added;
    renderReportMarkup(*m_text->document(), added, ReportRendering::Append);
}

} // namespace quorvel
