// SPDX-License-Identifier: GPL-3.0-or-later
#include "binarystream.h"
#include "commatext.h"
#include "cp1252.h"
#include "documentformat.h"
#include "documentio.h"
#include "fontcatalog.h"
#include "passwordscramble.h"
#include "pngcodec.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace quorvel {

QString msgFileMissing(const QString& path) {
    return QStringLiteral("Die Datei \"%1\" existiert nicht.").arg(path);
}

QString msgInvalidFormat() {
    return QStringLiteral("Ungültiges Dateiformat.");
}

QString msgNewerVersion() {
    return QStringLiteral(
        "Das ausgewählte Dokument wurde mit einer neueren Programmversion erstellt und kann "
        "deshalb mit der vorliegenden Quorvel-Version nicht geöffnet werden.");
}

QString msgCannotRead(const QString& path) {
    return QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden. Mögliche Ursachen:\r\n"
                          "- Datei existiert nicht\r\n- Ungültiges Dateiformat\r\n"
                          "- Fehlende Lesezugriffsberechtigung im Netzwerk")
        .arg(path);
}

QString msgPicturesTooLarge() {
    return QStringLiteral("Die Bilder des Dokuments brauchen zusammen mehr als %1 MB Speicher. "
                          "Das Dokument kann nicht geöffnet werden.")
        .arg(kDefaultPictureBudget / (1024 * 1024));
}

namespace {

class KeyList {
public:
    void assign(QString keys) { m_keys = std::move(keys); }
    bool has(QStringView key) const { return m_keys.contains(key); }

private:
    QString m_keys;
};

// Our magics have 8 characters. A longer one means the bytes are no document
// at all: the first four bytes of a picture or a text read as a length give
// hundreds of millions.
constexpr qint32 kMaxMagicLength = 64;

// The magic of every document. Returns false when it is not ours; `messages`
// gets what the user sees.
bool readMagic(BinaryReader& in, QString& magic, QString& version, QStringList* messages) {
    const QByteArray lengthBytes = in.device().peek(4);
    if (lengthBytes.size() == 4) {
        const qint32 length = qFromLittleEndian<qint32>(lengthBytes.constData());
        if (length < 0 || length > kMaxMagicLength) {
            if (messages)
                *messages << msgInvalidFormat();
            in.fail(QStringLiteral("keine Dateikennung (Länge %1)").arg(length));
            return false;
        }
    }
    magic = in.readString();
    if (!in.ok())
        return false;
    const QStringView prefix = QStringView(magic).left(4);
    if (prefix != u"QVL-" && prefix != u"BXL-") {
        if (messages)
            *messages << msgInvalidFormat();
        in.fail(QStringLiteral("unbekannte Dateikennung \"%1\"").arg(magic.left(40)));
        return false;
    }
    version = magic.mid(4, 4);
    return true;
}

// What follows the magic: the key list and the code pages.
bool readKeys(BinaryReader& in, KeyList& keys) {
    keys.assign(in.readString());
    if (keys.has(u"HD-CodePage")) {
        in.readInt(); // ANSI and OEM code page of the writer: text is read as Windows-1252
        in.readInt();
    }
    return in.ok();
}

// Reads one document; every step stops at the first failure of the stream.
class Reader {
public:
    // CountPictures walks the document without decoding a picture, only
    // adding up what their headers announce against the budget.
    enum class Pass { Read, CountPictures };

    Reader(QIODevice& in, Document& doc, const ReadOptions& options, Pass pass = Pass::Read)
        : m_in(in), m_doc(doc), m_fonts(options.fonts ? *options.fonts : systemFontCatalog()),
          m_pictureBudget(options.pictureBudget), m_pass(pass) {}

    bool read(IoResult& result);
    QString error() const { return m_in.error(); }
    qint64 errorOffset() const { return m_in.errorOffset(); }
    bool picturesTooLarge() const { return m_picturesTooLarge; }

private:
    void readHeader();
    void readGapTable();
    void readCrossword();
    void readLogo();
    void readObject(ObjDataTyp& o);
    QImage readPicture(const QString& what);
    QImage refuseTooLarge(const QString& what);
    PageRect readRect();
    ColourValue readColour() { return static_cast<ColourValue>(m_in.readInt()); }
    int readIf(QStringView key, int fallback) {
        return m_keys.has(key) ? m_in.readInt() : fallback;
    }
    ColourValue readColourIf(QStringView key, ColourValue fallback) {
        return m_keys.has(key) ? readColour() : fallback;
    }
    QString readStringIf(QStringView key, const QString& fallback) {
        return m_keys.has(key) ? m_in.readString() : fallback;
    }
    double fontFactor();

    BinaryReader m_in;
    Document& m_doc;
    const FontCatalog& m_fonts;
    QString m_version;
    KeyList m_keys;
    double m_fontFactor = -1.0; // measured on first use
    qint64 m_pictureBudget = 0;
    qint64 m_pictureBytes = 0; // decoded so far
    bool m_picturesTooLarge = false;
    Pass m_pass = Pass::Read;
};

bool Reader::read(IoResult& result) {
    if (!readMagic(m_in, m_doc.magic, m_version, &result.messages) || !readKeys(m_in, m_keys))
        return false;
    if (m_version > QLatin1String(kDocumentVersion)) {
        result.messages << msgNewerVersion();
        m_in.fail(QStringLiteral("Dateiversion %1 ist neuer als %2")
                      .arg(m_version, QLatin1String(kDocumentVersion)));
        return false;
    }
    readHeader();
    const qint32 count = m_in.readInt();
    if (!m_in.ok())
        return false;
    if (count < 0) {
        m_in.fail(QStringLiteral("negative Objektanzahl %1").arg(count));
        return false;
    }
    // No reservation by the stored count: the records themselves must exist.
    for (qint32 i = 0; i < count && m_in.ok(); ++i) {
        ObjDataTyp o;
        readObject(o);
        if (!m_in.ok())
            return false;
        m_doc.widenZRange(o.ZIndex);
        m_doc.objects.push_back(std::move(o));
    }
    m_doc.basePicture = readPicture(QStringLiteral("Basisbild"));
    return m_in.ok();
}

PageRect Reader::readRect() {
    PageRect r;
    r.left = m_in.readReal();
    r.top = m_in.readReal();
    r.right = m_in.readReal();
    r.bottom = m_in.readReal();
    return r;
}

QImage Reader::readPicture(const QString& what) {
    if (!m_in.ok())
        return {};
    // Refused by its header before decoding: a document of many huge
    // pictures must not decode the first ones only to fail afterwards.
    const qint64 announced = peekPngPictureBytes(m_in.device());
    if (announced > 0 && m_pictureBytes + announced > m_pictureBudget)
        return refuseTooLarge(what);
    if (m_pass == Pass::CountPictures) {
        m_pictureBytes += std::max<qint64>(announced, 0);
        if (!skipPng(m_in.device()))
            m_in.fail(QStringLiteral("%1: PNG-Daten enden vorzeitig").arg(what));
        return {};
    }
    QImage picture;
    const IoResult decoded = decodePng(m_in.device(), picture);
    if (!decoded.ok) {
        m_in.fail(QStringLiteral("%1: %2").arg(what, decoded.detail));
        return {};
    }
    m_pictureBytes += picture.sizeInBytes();
    if (m_pictureBytes > m_pictureBudget)
        return refuseTooLarge(what);
    return picture;
}

QImage Reader::refuseTooLarge(const QString& what) {
    m_picturesTooLarge = true;
    m_in.fail(QStringLiteral("%1: %2").arg(what, msgPicturesTooLarge()));
    return {};
}

void Reader::readHeader() {
    HeaderDataTyp& h = m_doc.header;
    h.vers = m_in.readString();
    h.titel = m_in.readString();
    h.autor = m_in.readString();
    h.bemerkung = m_in.readString();
    h.lueckentext = readStringIf(u"HD-lueckentext", QString());
    h.fragentext = readStringIf(u"HD-fragentext", QString());
    h.AnzFrageNummern = readIf(u"HD-AnzFrageNummern", 0);
    h.DokTyp = readIf(u"HD-DokTyp", 0);
    h.RandErw = m_keys.has(u"HD-RandErw") ? readRect() : PageRect();
    h.NumArt = readIf(u"HD-NumArt", 0);
    h.GeordnetArt = readIf(u"HD-GeordnetArt", 0);
    h.EinrueckRand = (m_keys.has(u"HD-EinrueckRand") || m_keys.has(u"HD-EinrückRand"))
                         ? readRect()
                         : defaultEinrueckRand(dokTypOf(h));
    h.HtgdCol = readColourIf(u"HD-HtgdCol", 0xFFFFFF);
    h.BasisbildDeck = readIf(u"HD-BasisbildDeck", 100);
    h.MinLuecke = readIf(u"HD-MinLuecke", 3);
    h.DokUnterTyp = readIf(u"HD-DokUnterTyp", 0);
    if (!m_in.ok())
        return;
    const DokTyp dokTyp = dokTypOf(h);
    if (hasGapTable(dokTyp, h.DokUnterTyp))
        readGapTable();
    if (!m_in.ok())
        return; // the column count below is only trusted after the table check
    if (storesColumnBackgrounds(dokTyp) && m_keys.has(u"HD-LueckentabelleSpaltenHtgd")) {
        for (int c = 0; c < h.LueckenTabelleSpalten && c < kGapTableMaxColumns; ++c) {
            h.LueckentabelleSpaltenHtgd[c].colour = readColour();
            h.LueckentabelleSpaltenHtgd[c].opacity = m_in.readInt();
        }
    }
    if (storesCrossword(dokTyp))
        readCrossword();
    if (m_keys.has(u"HD-BilderPasswort"))
        h.BilderPasswort = decodeCp1252(scramblePassword(m_in.readRawString()));
    h.Schriftart = readStringIf(u"HD-Schriftart", h.Schriftart);
    if (!m_fonts.isInstalled(h.Schriftart))
        h.Schriftart = QStringLiteral("Arial");
    h.Arbeitsblatt = readStringIf(u"HD-Arbeitsblatt", QString());
    h.ABAufgabe = readStringIf(u"HD-ABAufgabe", HeaderDataTyp().ABAufgabe);
    h.TextCol = readColourIf(u"HD-TextCol", 0);
    h.FragBtnHtgdCol = readColourIf(u"HD-FragBtnHtgdCol", 0xFF0000);
    h.FragBtnTextCol = readColourIf(u"HD-FragBtnTextCol", 0xFFFFFF);
    h.LueckentextCol = readColourIf(u"HD-LueckentextCol", 0xFF0000);
    if (m_keys.has(u"HD-ABLogo"))
        readLogo();
    h.Zielpunktgroesse = readIf(u"HD-Zielpunktgroesse", 100);
}

void Reader::readGapTable() {
    HeaderDataTyp& h = m_doc.header;
    h.LueckenTabelleZeilen = readIf(u"HD-LueckenTabelleZeilen", 5);
    h.LueckenTabelleSpalten = readIf(u"HD-LueckenTabelleSpalten", 2);
    if (!m_in.ok())
        return;
    if (h.LueckenTabelleZeilen < 0 || h.LueckenTabelleZeilen > kGapTableMaxRows ||
        h.LueckenTabelleSpalten < 0 || h.LueckenTabelleSpalten > kGapTableMaxColumns) {
        m_in.fail(QStringLiteral("Lückentabelle mit %1 × %2 Feldern (höchstens 16 × 12)")
                      .arg(h.LueckenTabelleZeilen)
                      .arg(h.LueckenTabelleSpalten));
        return;
    }
    const bool withKinds = m_keys.has(u"HD-LueckenTabelleBild");
    const bool withLinks = m_keys.has(u"HD-LueckenTabelleBildLink");
    for (int r = 0; r < h.LueckenTabelleZeilen && m_in.ok(); ++r) {
        for (int c = 0; c < h.LueckenTabelleSpalten && m_in.ok(); ++c) {
            lueckentabellearrtyp& cell = h.LueckenTabelle[r][c];
            cell.Text = m_in.readString();
            if (!withKinds)
                continue;
            cell.Art = m_in.readInt();
            if (!m_in.ok() || !cellCarriesPicture(dokTypOf(h), cell.Art))
                continue;
            cell.Bild =
                readPicture(QStringLiteral("Bild der Tabellenzelle %1/%2").arg(r + 1).arg(c + 1));
            cell.BildKenn = m_in.readString();
            cell.Fsize = m_in.readInt();
            cell.BildkarteAnpassen = m_in.readInt();
            if (withLinks) {
                cell.BildLink = m_in.readString();
                cell.BildLinkInUebung = m_in.readInt();
            }
        }
    }
    h.LueckenTabelleLinie = readIf(u"HD-LueckenTabelleLinie", 0);
    h.LueckenTabelleLinieCol = readColourIf(u"HD-LueckenTabelleLinieCol", 0xC0C0C0);
}

void Reader::readCrossword() {
    CrosswordData& k = m_doc.header.crossword;
    m_in.readInt(); // grid dimensions: always 30 × 30
    m_in.readInt();
    for (QString& cell : k.grid)
        cell = m_in.readString();
    m_in.readInt();
    for (QString& clue : k.across)
        clue = m_in.readString();
    m_in.readInt();
    for (QString& clue : k.down)
        clue = m_in.readString();
    k.KGFeldHtgdCol = readColour();
    k.KGFeldRandCol = readColour();
    k.KGWortAnkerCol = readColour();
    k.KGFeldschriftCol = readColour();
    k.KGBeschreibungCol = readColour();
    // Files before 2.21 lack the heading colour; it then follows the clue colour.
    k.KGBeschreibungTitelCol = (m_version < u"2.21") ? k.KGBeschreibungCol : readColour();
}

void Reader::readLogo() {
    LogoData& logo = m_doc.header.logo;
    if (m_in.readInt() == 1)
        logo.picture = readPicture(QStringLiteral("Logo"));
    logo.size = m_in.readReal();
    logo.alignment = m_in.readInt();
    logo.footer = m_in.readString();
    logo.footerAlignment = m_in.readInt();
}

double Reader::fontFactor() {
    if (m_fontFactor < 0.0)
        m_fontFactor = fontHeightFactor(m_doc.header.Schriftart, m_fonts);
    return m_fontFactor;
}

void Reader::readObject(ObjDataTyp& o) {
    o.Sx = m_in.readReal();
    o.Sy = m_in.readReal();
    o.Kx = m_in.readReal();
    o.Ky = m_in.readReal();
    o.Cap = fromCommaText(m_in.readString());
    o.KAusr = m_in.readInt();
    o.TAusr = m_in.readInt();
    o.Ebene = m_in.readInt();
    o.Typ = m_in.readInt();
    o.Sline = m_in.readInt();
    o.Fsize = m_in.readInt();
    o.KAusrAkt = m_in.readInt();
    o.FrageNummer = readIf(u"OB-FrageNummer", -1);
    o.Stil = readIf(u"OB-Stil", 0);
    o.Farbe = readColourIf(u"OB-Farbe", 0);
    o.LinieFarbe = readColourIf(u"OB-LinieFarbe", 0);
    o.LinieDicke = readIf(u"OB-LinieDicke", 1);
    o.Untertyp = readIf(u"OB-Untertyp", 0);
    o.AntwortAnz = readIf(u"OB-AntwortAnz", 0);
    o.ZIndex = readIf(u"OB-ZIndex", 0);
    o.HFarbe = readColourIf(u"OB-HFarbe", 0xFFFFFF);
    o.HDeck = readIf(u"OB-HDeck", 0);
    const TypProperties typ = typProperties(typOf(o));
    const bool isPoint = typ.has(TypFlag::Point);
    // Points were always opaque before their opacity became a setting.
    if (isPoint && !m_keys.has(u"OB-PktHtgdDeck"))
        o.HDeck = 100;
    if (m_keys.has(u"OB-PktCap")) {
        o.PktCap = m_in.readString();
    } else if (isPoint) {
        // Points of files before point titles: the standard title and colours.
        o.PktCap = QString::fromUtf16(typ.pointTitle);
        o.Farbe = 0xFFFFFF;
        o.HFarbe = typ.pointColour;
    }
    o.PktCap2 = readStringIf(u"OB-PktCap2", QString());
    o.BildKenn = readStringIf(u"OB-BildKenn", QString());
    o.BildDeck = readIf(u"OB-BildDeck", 100);
    o.BildkarteAnpassen = readIf(u"OB-BildkarteAnpassen", 0);
    o.PunktInUebung = readIf(u"OB-PunktInUebung", 0);
    if (!m_in.ok())
        return;
    if (typ.has(TypFlag::Picture))
        o.Bild = readPicture(QStringLiteral("Bild eines Objekts"));
    if (typ.has(TypFlag::Question)) {
        if (o.AntwortAnz < 0 || o.AntwortAnz > kMaxAnswerPictures) {
            m_in.fail(QStringLiteral("Frage mit %1 Antworten (höchstens %2)")
                          .arg(o.AntwortAnz)
                          .arg(kMaxAnswerPictures));
            return;
        }
        if (m_keys.has(u"OB-BildAntw") && o.Untertyp == 1) {
            for (int a = 0; a < o.AntwortAnz && m_in.ok(); ++a)
                o.BildAntw[a] = readPicture(QStringLiteral("Antwortbild %1").arg(a + 1));
        }
        if (m_keys.has(u"OB-MCInfoLinkData")) {
            for (qint32& value : o.MCInfoLinkData)
                value = m_in.readInt();
        }
    }
    if (m_version < u"2.17" && typ.has(TypFlag::PagePicture))
        o.Fsize = convertOldPictureFsize(o.Fsize, fontFactor());
    o.resetRuntime();
}

} // namespace

// Where the pictures that the document's headers announce pass the budget
// together, or -1 when they fit. A document of many huge pictures is thus
// refused before the first one is decoded; anything else wrong is left to the
// real read to report.
qint64 pictureBudgetPassedAt(QIODevice& in, const ReadOptions& options) {
    if (in.isSequential())
        return -1;
    const qint64 start = in.pos();
    Document scratch;
    Reader counter(in, scratch, options, Reader::Pass::CountPictures);
    IoResult ignored;
    counter.read(ignored);
    in.seek(start);
    return counter.picturesTooLarge() ? counter.errorOffset() : -1;
}

IoResult readDocumentStream(QIODevice& in, Document& document, const ReadOptions& options) {
    IoResult result;
    if (const qint64 passedAt = pictureBudgetPassedAt(in, options); passedAt >= 0) {
        result.detail = msgPicturesTooLarge();
        result.offset = passedAt;
        result.messages << msgPicturesTooLarge();
        return result;
    }
    Reader reader(in, document, options);
    result.ok = reader.read(result);
    if (!result.ok) {
        result.detail = reader.error();
        result.offset = reader.errorOffset();
        if (reader.picturesTooLarge())
            result.messages << msgPicturesTooLarge();
        return result;
    }
    document.derivePageGeometry();
    options.layouts.generateAfterReading(document);
    return result;
}

IoResult readDocumentFile(Document& document, const QString& path, const ReadOptions& options) {
    if (!QFileInfo::exists(path)) {
        IoResult missing;
        missing.messages << msgFileMissing(path);
        return missing;
    }
    document.reset(options.ratio);
    document.clearObjects();

    IoResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.detail = file.errorString();
    } else if (options.startOffset > 0 && !file.seek(options.startOffset)) {
        result.detail =
            QStringLiteral("Position %1 liegt hinter dem Dateiende").arg(options.startOffset);
    } else {
        result = readDocumentStream(file, document, options);
    }
    if (!result.ok) {
        result.messages << msgCannotRead(path);
        // Back to an empty document; the path shown before this one stays known.
        document.reset(options.ratio);
        document.clearObjects();
        document.basePicture = QImage();
        document.file.clear();
        return result;
    }
    document.file = path;
    document.modified = false;
    return result;
}

IoResult readDocumentHeader(QIODevice& in, DocumentSummary& header) {
    BinaryReader reader(in);
    QString magic, version;
    KeyList keys;
    if (!readMagic(reader, magic, version, nullptr) || !readKeys(reader, keys))
        return IoResult::failure(reader.error(), reader.errorOffset());
    DocumentSummary h;
    h.vers = reader.readString();
    h.titel = reader.readString();
    h.autor = reader.readString();
    h.bemerkung = reader.readString();
    if (keys.has(u"HD-lueckentext"))
        h.lueckentext = reader.readString();
    if (keys.has(u"HD-fragentext"))
        h.fragentext = reader.readString();
    if (keys.has(u"HD-AnzFrageNummern"))
        h.AnzFrageNummern = reader.readInt();
    if (keys.has(u"HD-DokTyp"))
        h.DokTyp = reader.readInt();
    if (!reader.ok())
        return IoResult::failure(reader.error(), reader.errorOffset());
    header = std::move(h);
    return IoResult::success();
}

IoResult readDocumentHeader(const QString& path, DocumentSummary& header) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IoResult::failure(file.errorString());
    return readDocumentHeader(file, header);
}

} // namespace quorvel
