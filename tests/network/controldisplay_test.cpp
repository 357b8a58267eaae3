// SPDX-License-Identifier: GPL-3.0-or-later
#include "classfixture.h"
#include "classpictureview.h"
#include "document.h"
#include "documentio.h"
#include "layoutset.h"
#include "mailslotwire.h"
#include "networkteacher.h"
#include "shellfixture.h"
#include "tmasterprotform.h"
#include "tprotkomform.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

using namespace quorvel;
using quorvel::test::ShellFixture;

namespace {

// Counts the paint events a widget gets and the region they cover.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;
    QRegion region;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            region |= static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

QString id(char letter) {
    return QString(kParticipantIdLength, QLatin1Char(letter));
}

class ControlDisplay : public ShellFixture {
protected:
    void initiate(int fields, const QString& folder) {
        NetworkTeacher::Publication p;
        p.folder = folder;
        p.channel = QStringLiteral("QVCD1");
        p.method = NetworkTeacher::Method::Folder;
        p.state.fieldCount = fields;
        for (int i = 0; i < fields; ++i)
            p.state.teacherNumbers.push_back(i + 1);
        ASSERT_TRUE(teacher.initiate(document, p));
        form->startExercise(QStringLiteral("<tit>Netzwerk-Übung\r\nZeile\r\n"));
    }
    void message(const QStringList& lines) {
        teacher.handleMessage(QStringLiteral("pc-1"), QStringLiteral("u"), joinMessageLines(lines));
    }
    void SetUp() override {
        ShellFixture::SetUp();
        activate();
        form = std::make_unique<TMasterProtForm>(*window, teacher);
    }

    Document document;
    NetworkTeacher teacher;
    std::unique_ptr<TMasterProtForm> form;
};

TEST_F(ControlDisplay, GridColumnsRowsAndLiveCells) {
    initiate(0, dir.path());
    EXPECT_EQ(form->model().columnCount(), 13);
    EXPECT_EQ(form->model().rowCount(), 1) << "one empty row before anyone joins";
    teacher.end();

    initiate(30, dir.path());
    const QAbstractItemModel& model = form->model();
    ASSERT_EQ(model.columnCount(), 43);
    EXPECT_EQ(model.headerData(13, Qt::Horizontal).toString(), QStringLiteral("1"));
    EXPECT_EQ(model.headerData(42, Qt::Horizontal).toString(), QStringLiteral("30"));
    EXPECT_EQ(form->grid()->columnWidth(42), 25);
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral("Netzwerk-Übung - Kontrollanzeige - Status: aktiv"));

    message(tnInit(id('A'), QStringLiteral("Anna"), QStringLiteral("9:00")));
    message(tnInit(id('B'), QStringLiteral("Ben"), QStringLiteral("9:01")));
    EXPECT_EQ(model.rowCount(), 2);
    int changedCells = 0;
    QObject::connect(&form->model(), &QAbstractItemModel::dataChanged, form.get(),
                     [&](const QModelIndex& from, const QModelIndex& to) {
                         changedCells +=
                             (to.row() - from.row() + 1) * (to.column() - from.column() + 1);
                     });
    TnAktionData answer;
    answer.id = id('B');
    answer.objectIndex = 4;
    answer.state = 0;
    answer.wrongAttempts = 2;
    message(tnAktion(answer));
    // Only cells whose text changes repaint: the start time, seven summary
    // cells and the field; the status stays "aktiv" and the clock empty.
    EXPECT_EQ(changedCells, 9);
    const QModelIndex field = model.index(1, 12 + 5);
    EXPECT_EQ(field.data().toString(), QStringLiteral("ff ok"));
    EXPECT_EQ(field.data(Qt::BackgroundRole).value<QColor>(), ControlGridModel::solvedLateColour());
    EXPECT_EQ(model.index(1, 2).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignLeft | Qt::AlignVCenter));
    message(tnFertig(id('A'), NetStatus::Abgebrochen, QStringLiteral("00:10")));
    EXPECT_EQ(model.index(0, 3).data().toString(), QStringLiteral("abgebr."));
    EXPECT_TRUE(model.index(0, 3).data(Qt::BackgroundRole).value<QColor>().isValid());
}

TEST_F(ControlDisplay, RegistrationSaveCopyCommentAndEnd) {
    initiate(2, dir.path());
    const ExchangeFiles files(dir.path(), QStringLiteral("QVCD1"));
    form->registration()->click();
    EXPECT_FALSE(files.available()) << "unticked: the marker is gone";
    form->registration()->click();
    EXPECT_TRUE(files.available());

    message(tnInit(id('A'), QStringLiteral("Anna"), QStringLiteral("9:00")));
    message(tnInit(id('B'), QStringLiteral("Ben"), QStringLiteral("9:01")));
    prompter->files = {dir.filePath(QStringLiteral("grid.txt"))};
    form->save();
    QFile grid(dir.filePath(QStringLiteral("grid.txt")));
    ASSERT_TRUE(grid.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = grid.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4); // three rows, each ended by CR LF
    EXPECT_EQ(lines.at(2).count('\t'), 14);
    form->copy();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("Nr.\tRechner")));

    form->selectPage(TMasterProtForm::Page::Information);
    const QString before = form->information();
    form->appendComment(QStringLiteral("   "));
    EXPECT_EQ(form->information(), before) << "a comment of blanks adds nothing";
    form->appendComment(QStringLiteral(" Gut gemacht "));
    EXPECT_TRUE(form->information().endsWith(QStringLiteral("<tit>Kommentar\r\nGut gemacht")));
    EXPECT_EQ(form->commentForm()->windowTitle(),
              QStringLiteral("Kommentar zur Übungsinformation hinzufügen"));
    prompter->files = {dir.filePath(QStringLiteral("info.rtf"))};
    form->save();
    QFile rtf(dir.filePath(QStringLiteral("info.rtf")));
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    const QByteArray rtfBytes = rtf.readAll();
    EXPECT_TRUE(rtfBytes.startsWith("{\\rtf"));
    EXPECT_TRUE(rtfBytes.contains("Gut gemacht"));

    // Ending through the button: the caption says so, the grid stays.
    form->endExercise = [this] {
        teacher.end();
        return true;
    };
    form->showDisplay();
    form->findChild<QPushButton*>(QStringLiteral("NetzUebBeendenBtn"))->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral("Netzwerk-Übung - Kontrollanzeige - Status: beendet"));
    EXPECT_EQ(form->model().rowCount(), 2);
    EXPECT_FALSE(files.available());

    // Without a running exercise ticking the switch only says so.
    prompter->order.clear();
    form->registration()->setChecked(false);
    form->registration()->click();
    EXPECT_EQ(prompter->order, QStringList{QStringLiteral("Es ist keine Netzwerk-Übung aktiv.")});
}

TEST_F(ControlDisplay, ClassPicturePageLiveSavedCopiedAndPrinted) {
    document = test::threeFieldDocument();
    initiate(3, dir.path());
    static const LayoutSet layouts = buildLayoutSet();
    form->setClassPicturePage(composeClassPicturePage(document, layouts, QSize(870, 600)));
    form->showDisplay();
    form->findChild<QPushButton*>(QStringLiteral("KlassenbildBtn"))->click();
    ASSERT_EQ(form->page(), TMasterProtForm::Page::ClassPicture);
    ClassPictureView* view = form->classPictureView();
    ASSERT_TRUE(view->isVisible());
    const ClassPicture& picture = form->classPicture();
    ASSERT_EQ(picture.marks().size(), 3u);
    EXPECT_EQ(picture.participants(), 0);

    test::answerAsAClass([this](const QStringList& lines) { message(lines); });
    EXPECT_EQ(picture.participants(), 4);
    EXPECT_EQ(markShares(picture.marks()[0]).firstAttempt, 50);
    EXPECT_EQ(picture.mostMissed(), 1);
    QApplication::processEvents();

    // A status leaves the marks as they are: no repaint. An answer to field 3
    // repaints that field and the legend, not the whole page.
    PaintCounter counter(view);
    message(tnFertig(test::classId('A'), NetStatus::Fertig, QStringLiteral("01:00")));
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    TnAktionData answer;
    answer.id = test::classId('D');
    answer.objectIndex = 2;
    message(tnAktion(answer));
    QApplication::processEvents();
    EXPECT_EQ(picture.marks()[2].firstAttempt, 1);
    EXPECT_GE(counter.paints, 1);
    EXPECT_LT(counter.region.boundingRect().height(), view->height() / 2);

    prompter->files = {dir.filePath(QStringLiteral("klasse.png"))};
    form->save();
    EXPECT_EQ(prompter->fileChoices.back().title, QStringLiteral("Klassenbild in Datei speichern"));
    const QImage saved(dir.filePath(QStringLiteral("klasse.png")));
    EXPECT_EQ(saved.size(), picture.imageSize());
    const QString unwritable = dir.filePath(QStringLiteral("fehlt/klasse.png"));
    prompter->files = {unwritable};
    form->save();
    ASSERT_FALSE(prompter->asked.empty());
    EXPECT_EQ(prompter->asked.back().text, msgCannotWrite(unwritable));

    form->copy();
    EXPECT_EQ(QApplication::clipboard()->image().size(), picture.imageSize());

    const QString pdf = dir.filePath(QStringLiteral("klasse.pdf"));
    prompter->print = [&pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    form->print();
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.readAll().contains("/Subtype /Image")) << "the picture is on the page";

    // A new exercise forgets the old page until its own is set.
    teacher.end();
    initiate(3, dir.path());
    EXPECT_TRUE(picture.page().page.isNull());
    EXPECT_TRUE(picture.marks().empty());
}

} // namespace
