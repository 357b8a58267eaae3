// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportmarkup.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

struct Paragraph {
    QString text;
    double size;
    bool bold;
};

std::vector<Paragraph> paragraphs(const QTextDocument& doc) {
    std::vector<Paragraph> result;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextCharFormat format =
            b.text().isEmpty() ? b.charFormat() : b.begin().fragment().charFormat();
        result.push_back({b.text(), format.fontPointSize(), format.fontWeight() == QFont::Bold});
    }
    return result;
}

// x of the text that follows the first tab of a block, laid out.
double xAfterTab(const QTextBlock& block) {
    const int tab = static_cast<int>(block.text().indexOf(u'\t'));
    return block.layout()->lineAt(0).cursorToX(tab + 1);
}

} // namespace

TEST(ReportMarkup, TitleLinesAreBoldWithASpacerAndOtherLinesPlain) {
    QTextDocument doc;
    renderReportMarkup(
        doc,
        QStringLiteral("<tit>Übungsprotokoll\r\nName:\tAnna\n<TIT>Ergebnis\rx <tit>y\n"
                       "<Tit>\n <tit>z\n<ti>w\n<tab>"),
        ReportRendering::Replace);
    const std::vector<Paragraph> expected = {
        {QStringLiteral("Übungsprotokoll"), 9, true},
        {QString(), 4, false},
        {QStringLiteral("Name:\tAnna"), 9, false},
        {QStringLiteral("Ergebnis"), 9, true},
        {QString(), 4, false},
        {QStringLiteral("x <tit>y"), 9, false},
        {QString(), 9, true},
        {QString(), 4, false},
        {QStringLiteral(" <tit>z"), 9, false},
        {QStringLiteral("<ti>w"), 9, false},
        {QStringLiteral("<tab>"), 9, false},
    };
    const std::vector<Paragraph> got = paragraphs(doc);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].text, expected[i].text) << i;
        EXPECT_EQ(got[i].size, expected[i].size) << i;
        EXPECT_EQ(got[i].bold, expected[i].bold) << i;
    }
}

TEST(ReportMarkup, TabGoesToTheStopAt160Points) {
    QTextDocument doc;
    renderReportMarkup(doc, QStringLiteral("a:\t1\nein langer Schlüssel:\t2\n<tit>T\tx"),
                       ReportRendering::Replace);
    doc.documentLayout(); // lays the blocks out
    const double stop = 160.0 * 96.0 / 72.0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.text().contains(u'\t')) {
            EXPECT_NEAR(xAfterTab(b), stop, 0.01) << b.text().toStdString();
        }
    }
}

TEST(ReportMarkup, AppendKeepsWhatIsThereAndReplaceClearsIt) {
    QTextDocument doc;
    renderReportMarkup(doc, QStringLiteral("eins\nzwei\n"), ReportRendering::Append);
    ASSERT_EQ(doc.blockCount(), 2); // no empty paragraph in front of the first line
    EXPECT_EQ(doc.firstBlock().text(), QStringLiteral("eins"));

    renderReportMarkup(doc, QStringLiteral("\r\n<tit>Kommentar\r\ngut"), ReportRendering::Append);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("eins\nzwei\n\nKommentar\n\ngut"));

    renderReportMarkup(doc, QStringLiteral("neu"), ReportRendering::Replace);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("neu"));
    EXPECT_EQ(paragraphs(doc)[0].size, 9);
}
