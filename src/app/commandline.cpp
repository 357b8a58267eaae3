#include "commandline.h"

#include "programfolders.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel {

namespace {

QString withoutEnclosingQuotes(QString text)
{
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        return text.sliced(1, text.size() - 2);
    return text;
}

} // namespace

KommandozeilenArgument classifyCommandLine(const QStringList& arguments,
                                           const QString& workingDirectory)
{
    KommandozeilenArgument result;
    if (arguments.isEmpty())
        return result;
    const QString argument = withoutEnclosingQuotes(arguments.first());
    if (argument.isEmpty())
        return result;

    const QString absolute = QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(argument));
    const QFileInfo info(absolute);
    if (info.isDir() || argument.endsWith(u'/')) {
        result.art = KommandozeilenArgument::Art::Ordner;
        result.themenOrdner = withTrailingSlash(absolute);
        return result;
    }
    result.themenOrdner = withTrailingSlash(info.absolutePath());
    result.datei = absolute;
    result.art = info.fileName().toLower().endsWith(u".qvusp")
                     ? KommandozeilenArgument::Art::Serienpaket
                     : KommandozeilenArgument::Art::Dokument;
    return result;
}

QString chooseThemenOrdner(const KommandozeilenArgument& argument,
                           const QString& centralThemenordner, const QString& basisOrdner)
{
    if (argument.art != KommandozeilenArgument::Art::Keins)
        return argument.themenOrdner;
    if (!centralThemenordner.isEmpty())
        return withTrailingSlash(centralThemenordner);
    return withTrailingSlash(basisOrdner);
}

} // namespace quorvel
