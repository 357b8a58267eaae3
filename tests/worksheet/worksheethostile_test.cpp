// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "documentio.h"
#include "hostiledocuments.h"
#include "layoutset.h"
#include "worksheetcontrols.h"
#include "worksheetpage.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

// The documents that once froze the learning view, at their reported sizes:
// every sheet of each is built, and no sheet takes long, however many or
// long its answers are.
TEST(WorksheetHostile, ReportedDocumentsGiveEverySheetQuickly) {
    const LayoutSet layouts = buildLayoutSet();
    for (const HostileDocument& hostile : hostileDocuments(1.0)) {
        SCOPED_TRACE(hostile.name);
        Document document;
        document.reset();
        QBuffer buffer;
        buffer.setData(hostile.bytes);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        // The reader may refuse a document (too many picture bytes): nothing to build then.
        if (!readDocumentStream(buffer, document, ReadOptions{layouts}).ok)
            continue;
        for (const WorksheetKind kind :
             {WorksheetKind::Worksheet, WorksheetKind::SolutionOverlay, WorksheetKind::CutOut}) {
            WorksheetSettings settings = startWorksheetSettings(document);
            settings.kind = kind;
            settings.columns = 20;
            QElapsedTimer timer;
            timer.start();
            const WorksheetPage page = buildWorksheet(document, settings, layouts);
            EXPECT_LT(timer.elapsed(), 5000) << int(kind);
            EXPECT_EQ(page.size, QSize(1000, 1625));
            EXPECT_LE(page.bodyLimit, 1625);
        }
    }
}

} // namespace
