// SPDX-License-Identifier: GPL-3.0-or-later
#include "topiclistreport.h"

namespace quorvel {

QString topicListReport(const TopicList& list) {
    QString text = QStringLiteral("<TIT>Themenliste\r\n");
    for (size_t i = 0; i < list.size(); ++i) {
        // Line breaks inside a title would split its line; the entry stays one line.
        QString title = shownTitle(list[i]);
        title.replace(u'\r', u' ');
        title.replace(u'\n', u' ');
        text += QString::number(i + 1) + QStringLiteral(": ") + title + QStringLiteral("\r\n");
    }
    return text;
}

QString topicListSaveTitle() {
    return QStringLiteral("Themenliste in Datei speichern");
}

QString richTextFilter() {
    return QStringLiteral("Rich Text Format (*.rtf)|*.rtf|Alle Dateien (*.*)|*.*");
}

} // namespace quorvel
