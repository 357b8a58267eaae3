// SPDX-License-Identifier: GPL-3.0-or-later
#include "netsettingsfile.h"

#include "binarystream.h"
#include "lessoncode.h"

#include <QBuffer>

namespace quorvel {

namespace {

const QString kMagic = QStringLiteral("rbknetzuebung.dat");
const QString kSaltKey = QStringLiteral("CodeSalt");
const QString kVerifierKey = QStringLiteral("CodeVerifier");
const QString kDocumentTagKey = QStringLiteral("DocumentTag");
const QString kSettingsTagKey = QStringLiteral("SettingsTag");

bool listed(const QString& keyList, const QString& key) {
    return keyList.split(QLatin1Char('|')).contains(key);
}

template <std::size_t N> void writeReals(BinaryWriter& out, const std::array<double, N>& values) {
    for (double value : values)
        out.writeReal(value);
}

template <std::size_t N> std::array<double, N> readReals(BinaryReader& in) {
    std::array<double, N> values{};
    for (double& value : values)
        value = in.readReal();
    return values;
}

} // namespace

QString netzUebKeyList() {
    return QStringLiteral("NetzUebungMaster|RiFaRueckmeldungItemIndex|ZuordnungRichtigItemIndex|"
                          "ZuordnungFalschItemIndex|ZuordnungstexteItemIndex|"
                          "ZuordnungszieleItemIndex|AbfrageModusItemIndex|ZeitLimitIndex|"
                          "ZeitLimitWert|NoteMinQuote|PunkteMinQuote|BewertSkala|"
                          "AnzZeichenVorgeben|");
}

QString msgNetworkFileRead(const QString& path) {
    return QStringLiteral("Fehler beim Einlesen der Datei \"%1\"").arg(path);
}

IoResult writeNetzUebSettings(QIODevice& out, const NetzUebSettings& s, const LessonKey* key) {
    const bool coded = key && key->active();
    // Written to memory first: the settings tag covers every byte before it.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    BinaryWriter w(buffer);
    QString keyList = netzUebKeyList();
    if (coded)
        keyList +=
            kSaltKey + u'|' + kVerifierKey + u'|' + kDocumentTagKey + u'|' + kSettingsTagKey + u'|';
    w.writeString(kMagic);
    w.writeString(keyList);
    w.writeString(s.NetzUebungMaster);
    for (qint32 value :
         {s.RiFaRueckmeldungItemIndex, s.ZuordnungRichtigItemIndex, s.ZuordnungFalschItemIndex,
          s.ZuordnungstexteItemIndex, s.ZuordnungszieleItemIndex, s.AbfrageModusItemIndex,
          s.ZeitLimitIndex, s.ZeitLimitWert})
        w.writeInt(value);
    writeReals(w, s.NoteMinQuote.value_or(std::array<double, 7>{}));
    writeReals(w, s.PunkteMinQuote.value_or(std::array<double, 17>{}));
    w.writeInt(s.BewertSkala.value_or(0));
    w.writeInt(s.AnzZeichenVorgeben.value_or(0));
    if (coded) {
        w.writeRawString(s.lessonSalt.toHex());
        w.writeRawString(key->verifier());
        w.writeRawString(s.documentTag);
        w.writeRawString(key->tag(buffer.data()));
    }
    if (out.write(buffer.data()) != buffer.size())
        return IoResult::failure(QStringLiteral("Schreibfehler"));
    return IoResult::success();
}

IoResult readNetzUebSettings(QIODevice& in, NetzUebSettings& s, const LessonKey* key) {
    BinaryReader r(in);
    const qint64 start = in.pos();
    r.readString(); // the magic is not checked: earlier versions wrote others
    const QString keyList = r.readString();
    s = NetzUebSettings{};
    s.NetzUebungMaster = r.readString();
    for (qint32* value :
         {&s.RiFaRueckmeldungItemIndex, &s.ZuordnungRichtigItemIndex, &s.ZuordnungFalschItemIndex,
          &s.ZuordnungstexteItemIndex, &s.ZuordnungszieleItemIndex, &s.AbfrageModusItemIndex,
          &s.ZeitLimitIndex, &s.ZeitLimitWert})
        *value = r.readInt();
    if (listed(keyList, QStringLiteral("NoteMinQuote")))
        s.NoteMinQuote = readReals<7>(r);
    if (listed(keyList, QStringLiteral("PunkteMinQuote")))
        s.PunkteMinQuote = readReals<17>(r);
    if (listed(keyList, QStringLiteral("BewertSkala")))
        s.BewertSkala = r.readInt();
    if (listed(keyList, QStringLiteral("AnzZeichenVorgeben")))
        s.AnzZeichenVorgeben = r.readInt();
    if (listed(keyList, kSaltKey))
        s.lessonSalt = QByteArray::fromHex(r.readRawString());
    if (listed(keyList, kVerifierKey))
        s.lessonVerifier = r.readRawString();
    if (listed(keyList, kDocumentTagKey))
        s.documentTag = r.readRawString();
    if (!r.ok())
        return IoResult::failure(r.error(), r.errorOffset());
    if (listed(keyList, kSettingsTagKey) && key && key->active()) {
        const qint64 end = in.pos();
        const QByteArray tag = r.readRawString();
        if (!r.ok())
            return IoResult::failure(r.error(), r.errorOffset());
        in.seek(start);
        const QByteArray covered = in.read(end - start);
        s.tagVerified = key->matches(covered, tag);
    }
    return IoResult::success();
}

} // namespace quorvel
