#include "linkresolver.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel {

namespace {

QString ohneAnfuehrung(QString s) {
    s = s.trimmed();
    if (s.size() >= 2 && s.startsWith(u'"') && s.endsWith(u'"'))
        s = s.mid(1, s.size() - 2);
    return s;
}

QString nativ(QString s) {
    s.replace(u'\\', u'/');
    return s;
}

QString verbinde(const QString& ordner, const QString& ziel) {
    if (ordner.isEmpty())
        return QString();
    QString o = nativ(ordner);
    if (!o.endsWith(u'/'))
        o.append(u'/');
    return o + ziel;
}

bool istDatei(const QString& pfad) {
    if (pfad.isEmpty())
        return false;
    const QFileInfo info(pfad);
    return info.exists() && info.isFile();
}

bool istOrdner(const QString& pfad) {
    return !pfad.isEmpty() && QFileInfo(pfad).isDir();
}

} // namespace

QString resolveLinkTarget(const QString& ziel, const LinkFolders& ordner) {
    if (ziel.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
        ziel.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return ziel;
    const QString z = nativ(ohneAnfuehrung(ziel));
    for (const QString& kandidat :
         {z, verbinde(ordner.dokument, z), verbinde(ordner.thema, z), verbinde(ordner.basis, z)}) {
        if (istDatei(kandidat))
            return kandidat;
    }
    return ziel;
}

bool isDocumentTarget(const QString& ziel) {
    return ohneAnfuehrung(ziel).toLower().endsWith(QLatin1String(".qvl"));
}

DocumentLinkTarget documentLinkTarget(const QString& ziel, const LinkFolders& ordner) {
    DocumentLinkTarget ergebnis;
    const QString z = nativ(ohneAnfuehrung(ziel));
    if (z.endsWith(u'/')) {
        const QString imThema = verbinde(ordner.thema, z);
        if (istOrdner(z) && !QDir::isRelativePath(z))
            ergebnis.pfad = z;
        else if (istOrdner(imThema))
            ergebnis.pfad = imThema;
        else if (istOrdner(z))
            ergebnis.pfad = QDir(z).absolutePath() + u'/';
        ergebnis.kind = ergebnis.pfad.isEmpty() ? DocumentLinkTarget::Kind::FolderMissing
                                                : DocumentLinkTarget::Kind::ChangeFolder;
        return ergebnis;
    }
    const QString aufgeloest = resolveLinkTarget(ziel, ordner);
    if (istDatei(aufgeloest)) {
        ergebnis.kind = DocumentLinkTarget::Kind::OpenDocument;
        ergebnis.pfad = aufgeloest;
    } else {
        ergebnis.kind = DocumentLinkTarget::Kind::FileMissing;
        ergebnis.meldung = fileMissingMessage(ziel);
    }
    return ergebnis;
}

QString linkCannotOpenMessage(const QString& ziel) {
    return QStringLiteral("Die Datei oder Internet-Adresse \"") + ziel +
           QStringLiteral("\" kann nicht geöffnet werden.");
}

QString fileMissingMessage(const QString& ziel) {
    return QStringLiteral("Die Datei \"") + ziel + QStringLiteral("\" existiert nicht.");
}

} // namespace quorvel
