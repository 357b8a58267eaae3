// SPDX-License-Identifier: GPL-3.0-or-later
#include "notesbox.h"

#include "cp1252.h"
#include "documentio.h"
#include "rtfdocument.h"
#include "settings.h"
#include "shell.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringDecoder>
#include <QTextEdit>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

// A notes file larger than this is no note: it is refused rather than read.
constexpr qint64 kMaxNotesFileBytes = 8 * 1024 * 1024;

QComboBox* numberBox(const QString& name, int from, int to, int step, int preset, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (int value = from; value <= to; value += step)
        box->addItem(QString::number(value), value);
    box->setCurrentIndex(box->findData(preset));
    return box;
}

// Plain text as UTF-8 when it is valid UTF-8, else as Windows-1252.
QString decodePlainText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = decodeCp1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace

NotesBox::NotesBox(Shell& shell, QWidget* parent)
    : ReportWindow(shell, u"Notiz"_s, u"Notiz in Datei speichern"_s, parent), m_shell(shell),
      m_text(new QTextEdit(this)),
      m_fontSize(numberBox(u"SchriftgroesseBox"_s, 10, 20, 1, 12, this)),
      m_width(numberBox(u"FensterbreiteBox"_s, 250, 1200, 50, 400, this)),
      m_height(numberBox(u"FensterhoeheBox"_s, 350, 1000, 50, 350, this)) {
    setObjectName(u"NotizForm"_s);
    setWindowTitle(u"Notizbox"_s);
    setModal(false);
    shell.commands().onTriggered(u"Notizbox1"_s, this, [this] { showBox(); });
    m_text->setObjectName(u"NotizEdit"_s);
    m_text->setAcceptRichText(true);

    auto* sizes = new QHBoxLayout;
    const auto labelled = [this, sizes](const QString& caption, QComboBox* box) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        sizes->addWidget(label);
        sizes->addWidget(box);
    };
    labelled(u"&Schriftgröße:"_s, m_fontSize);
    labelled(u"Fenster&breite:"_s, m_width);
    labelled(u"Fenster&höhe:"_s, m_height);
    sizes->addStretch(1);
    connect(m_fontSize, &QComboBox::currentIndexChanged, this, &NotesBox::applyFont);
    connect(m_width, &QComboBox::currentIndexChanged, this, &NotesBox::applySize);
    connect(m_height, &QComboBox::currentIndexChanged, this, &NotesBox::applySize);

    // Two rows of buttons, so that they fit the narrowest window.
    auto* buttons = new QGridLayout;
    buttons->setSpacing(2);
    const struct {
        const char16_t* caption;
        const char16_t* name;
        void (NotesBox::*action)();
    } actions[] = {
        {u"In Zwischenablage", u"InZwischenablageBtn", &NotesBox::copyToClipboard},
        {u"Speichern...", u"SpeichernBtn", &NotesBox::save},
        {u"Drucken...", u"DruckenBtn", &NotesBox::print},
        {u"Löschen", u"LoeschenBtn", &NotesBox::clearText},
        {u"aus Zwischenablage", u"AusZwischenablageBtn", &NotesBox::pasteClipboard},
        {u"aus Datei...", u"AusDateiBtn", &NotesBox::loadFile},
        {u"Schließen", u"SchliessenBtn", &NotesBox::hide},
    };
    int at = 0;
    for (const auto& a : actions) {
        auto* button = new QPushButton(QString::fromUtf16(a.caption), this);
        button->setObjectName(QString::fromUtf16(a.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, action = a.action] { (this->*action)(); });
        buttons->addWidget(button, at / 4, at % 4);
        ++at;
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(sizes);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    applyFont();
    applySize();
}

void NotesBox::showBox() {
    applyFont();
    show();
    raise();
    activateWindow();
}

void NotesBox::applyFont() {
    QFont font(m_shell.settings().Schriftart);
    font.setPointSize(m_fontSize->currentData().toInt());
    m_text->document()->setDefaultFont(font);
}

void NotesBox::applySize() {
    // The lists give the client area; the window may not go below what its
    // controls need.
    resize(m_width->currentData().toInt(), m_height->currentData().toInt());
}

void NotesBox::clearText() {
    if (m_shell.dialogs().ask(MessageKind::Confirmation, u"Notiz wirklich löschen?"_s,
                              MessageButtons::YesNo) == Answer::Yes)
        m_text->clear();
}

void NotesBox::pasteClipboard() {
    m_text->paste();
}

void NotesBox::loadFile() {
    if (!m_text->document()->isEmpty() &&
        m_shell.dialogs().ask(MessageKind::Confirmation,
                              u"Der aktuelle Text wird durch den Inhalt der zu öffnenden Datei "
                              u"ersetzt.\r\nMöchten Sie fortfahren?"_s,
                              MessageButtons::YesNo) != Answer::Yes)
        return;
    const QString path = m_shell.dialogs().chooseOpenFile(
        {u"Text- oder RTF-Datei öffnen"_s,
         u"Text- und RTF-Dateien (*.txt;*.rtf)|*.txt;*.rtf|Alle Dateien (*.*)|*.*"_s,
         {},
         {}});
    if (!path.isEmpty())
        loadFrom(path);
}

bool NotesBox::loadFrom(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxNotesFileBytes) {
        m_shell.dialogs().error(msgCannotRead(path));
        return false;
    }
    const QByteArray bytes = file.read(kMaxNotesFileBytes + 1);
    if (bytes.size() > kMaxNotesFileBytes) {
        m_shell.dialogs().error(msgCannotRead(path));
        return false;
    }
    if (looksLikeRtf(bytes)) {
        QTextDocument read;
        read.setDefaultFont(m_text->document()->defaultFont());
        rtfToDocument(bytes, read);
        m_text->setHtml(read.toHtml());
    } else {
        m_text->setPlainText(decodePlainText(bytes));
    }
    return true;
}

void NotesBox::fillDocument(QTextDocument& document) const {
    document.setDefaultFont(m_text->document()->defaultFont());
    document.setHtml(m_text->toHtml());
}

QByteArray NotesBox::richText() const {
    return documentToRtf(*m_text->document());
}

} // namespace quorvel
