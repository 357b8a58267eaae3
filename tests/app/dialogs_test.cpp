// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutdialog.h"
#include "artwork.h"
#include "filedialogfilter.h"
#include "filedialogs.h"
#include "messageboxprompter.h"
#include "quitdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

QStringList buttonTexts(const QWidget* dialog) {
    QStringList texts;
    for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        texts << button->text();
    texts.sort();
    return texts;
}

// Waits for the next modal dialog, lets `inspect` look at it, then clicks the
// button captioned `press`.
void answerNextModal(const QString& press, std::function<void(QWidget*)> inspect, int tries = 200) {
    QTimer::singleShot(5, qApp, [press, inspect, tries] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            if (tries > 0)
                answerNextModal(press, inspect, tries - 1);
            return;
        }
        inspect(dialog);
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == press) {
                button->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << press.toStdString();
        dialog->close();
    });
}

} // namespace

TEST(Dialogs, MessageBoxesHaveGermanButtons) {
    struct Case {
        MessageKind kind;
        MessageButtons buttons;
        QString press;
        Answer expected;
        QStringList captions; // sorted
        QString title;
    };
    const Case cases[] = {
        {MessageKind::Information,
         MessageButtons::Ok,
         u"OK"_s,
         Answer::Ok,
         {u"OK"_s},
         u"Information"_s},
        {MessageKind::Warning,
         MessageButtons::YesNo,
         u"Nein"_s,
         Answer::No,
         {u"Ja"_s, u"Nein"_s},
         u"Warnung"_s},
        {MessageKind::Error, MessageButtons::Ok, u"OK"_s, Answer::Ok, {u"OK"_s}, u"Fehler"_s},
        {MessageKind::Confirmation,
         MessageButtons::YesNoCancel,
         u"Abbrechen"_s,
         Answer::Cancel,
         {u"Abbrechen"_s, u"Ja"_s, u"Nein"_s},
         u"Bestätigen"_s},
        {MessageKind::Confirmation,
         MessageButtons::YesNoCancel,
         u"Ja"_s,
         Answer::Yes,
         {u"Abbrechen"_s, u"Ja"_s, u"Nein"_s},
         u"Bestätigen"_s},
    };
    MessageBoxPrompter prompter(nullptr, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.press.toStdString());
        QStringList seen;
        QString title;
        QString text;
        answerNextModal(c.press, [&](QWidget* dialog) {
            seen = buttonTexts(dialog);
            title = dialog->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(dialog))
                text = box->text();
        });
        EXPECT_EQ(prompter.ask(c.kind, u"Erste Zeile\r\nZweite Zeile"_s, c.buttons), c.expected);
        EXPECT_EQ(seen, c.captions);
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(text, u"Erste Zeile\nZweite Zeile"_s);
    }
}

TEST(Dialogs, MessageTextIsShownAsPlainText) {
    // A file name that looks like markup is shown as it is.
    MessageBoxPrompter prompter(nullptr, nullptr);
    QString shown;
    answerNextModal(u"OK"_s, [&](QWidget* dialog) {
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            if (label->text().contains(u"qvl"_s) && label->textFormat() == Qt::PlainText)
                shown = label->text();
    });
    prompter.error(u"Fehler beim Lesen von <b>/tmp/a&amp;b</b>.qvl"_s);
    EXPECT_EQ(shown, u"Fehler beim Lesen von <b>/tmp/a&amp;b</b>.qvl"_s);
}

TEST(Dialogs, ClosingDialogAnswers) {
    QuitDialog form;
    MessageBoxPrompter prompter(nullptr, &form);
    QString title;
    QStringList labels;
    QStringList buttons;
    answerNextModal(u"Nein, weiter arbeiten"_s, [&](QWidget* dialog) {
        title = dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            labels << label->text();
        buttons = buttonTexts(dialog);
    });
    EXPECT_FALSE(prompter.confirmQuit());
    EXPECT_EQ(title, u"Beenden"_s);
    EXPECT_TRUE(labels.contains(u"Programm beenden?"_s));
    EXPECT_EQ(buttons, QStringList({u"Ja, beenden"_s, u"Nein, weiter arbeiten"_s}));

    // The same dialog object serves again.
    answerNextModal(u"Ja, beenden"_s, [](QWidget*) {});
    EXPECT_TRUE(prompter.confirmQuit());
}

TEST(Dialogs, DecorationIsStretchedNineSliceAndButtonsAreColoured) {
    AboutDialog form;
    form.resize(640, 400);
    form.show();
    QApplication::processEvents();
    const QImage& back = form.mainBackImg();
    ASSERT_EQ(back.size(), form.size());
    const QImage decoration = dialogDecoration();
    for (const QPoint corner : {QPoint(0, 0), QPoint(12, 20), QPoint(29, 29)}) {
        EXPECT_EQ(back.pixelColor(corner), decoration.pixelColor(corner));
        const QPoint mirrored(back.width() - 30 + corner.x(), back.height() - 30 + corner.y());
        const QPoint source(decoration.width() - 30 + corner.x(),
                            decoration.height() - 30 + corner.y());
        EXPECT_EQ(back.pixelColor(mirrored), decoration.pixelColor(source));
    }
    const QList<QPushButton*> buttons = form.findChildren<QPushButton*>();
    ASSERT_FALSE(buttons.isEmpty());
    for (const QPushButton* button : buttons)
        EXPECT_EQ(button->palette().color(QPalette::Button), QColor(205, 208, 226));

    form.resize(720, 430);
    QApplication::processEvents();
    EXPECT_EQ(form.mainBackImg().size(), QSize(720, 430));
}

TEST(Dialogs, AllFilesFilterListsFilesWithoutADot) {
    QFileDialog dialog;
    setProgramNameFilters(dialog, openDocumentFilter());
    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->nameFilters(), QStringList{u"*.qvl"_s});

    // The user picks "Alle Dateien (*.*)" in the dialog's filter box.
    auto* box = dialog.findChild<QComboBox*>(u"fileTypeCombo"_s);
    ASSERT_NE(box, nullptr);
    const int all = box->findText(u"Alle Dateien (*.*)"_s);
    ASSERT_GE(all, 0);
    box->setCurrentIndex(all);
    Q_EMIT box->activated(all);
    EXPECT_EQ(model->nameFilters(), QStringList{u"*"_s});
}
