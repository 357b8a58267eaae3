// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "programfolders.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel {

namespace {

QString withoutEnclosingQuotes(QString text) {
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        return text.sliced(1, text.size() - 2);
    return text;
}

} // namespace

CommandLineArgument classifyCommandLine(const QStringList& arguments,
                                        const QString& workingDirectory) {
    CommandLineArgument result;
    if (arguments.isEmpty())
        return result;
    const QString argument = withoutEnclosingQuotes(arguments.first());
    if (argument.isEmpty())
        return result;

    const QString absolute = QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(argument));
    const QFileInfo info(absolute);
    if (info.isDir() || argument.endsWith(u'/')) {
        result.kind = CommandLineArgument::Kind::Folder;
        result.topicFolder = withTrailingSlash(absolute);
        return result;
    }
    result.topicFolder = withTrailingSlash(info.absolutePath());
    result.file = absolute;
    result.kind = info.fileName().toLower().endsWith(u".qvusp")
                      ? CommandLineArgument::Kind::SeriesPackage
                      : CommandLineArgument::Kind::DocumentFile;
    return result;
}

QString chooseTopicFolder(const CommandLineArgument& argument, const QString& centralTopicFolder,
                          const QString& baseFolder) {
    if (argument.kind != CommandLineArgument::Kind::None)
        return argument.topicFolder;
    if (!centralTopicFolder.isEmpty())
        return withTrailingSlash(centralTopicFolder);
    return withTrailingSlash(baseFolder);
}

} // namespace quorvel
