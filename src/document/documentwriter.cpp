// SPDX-License-Identifier: GPL-3.0-or-later
#include "binarystream.h"
#include "commatext.h"
#include "cp1252.h"
#include "documentformat.h"
#include "documentio.h"
#include "passwordscramble.h"
#include "pngcodec.h"
#include "savefile.h"

#include <QPainter>
#include <algorithm>

namespace quorvel {

QString msgCannotWrite(const QString& path) {
    return QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden. Mögliche Ursachen:\r\n"
                          "- Ungültiger Ordner oder Dateiname\r\n"
                          "- Fehlende Schreibzugriffsberechtigung im Netzwerk")
        .arg(path);
}

const QImage& emptyPicture() {
    // A light grey tile with a thin frame and a diagonal cross: plainly a
    // missing picture, neutral on any page.
    static const QImage picture = [] {
        QImage img(100, 100, QImage::Format_ARGB32);
        img.fill(QColor(0xF0, 0xF0, 0xF0));
        QPainter p(&img);
        p.setPen(QColor(0xA0, 0xA0, 0xA0));
        p.drawRect(0, 0, 99, 99);
        p.drawLine(0, 0, 99, 99);
        p.drawLine(0, 99, 99, 0);
        return img;
    }();
    return picture;
}

namespace {

class Writer {
public:
    explicit Writer(QIODevice& out) : m_out(out) {}
    bool write(Document& doc);
    // Why the write failed; the device's error when nothing more is known.
    QString error() {
        return m_pictureError.isEmpty() ? m_out.device().errorString() : m_pictureError;
    }

private:
    void writeHeader(const HeaderDataTyp& h);
    void writeGapTable(const HeaderDataTyp& h);
    void writeCrossword(const CrosswordData& k);
    void writeLogo(const LogoData& logo);
    void writeObject(const ObjDataTyp& o);
    void writePicture(const QImage& picture);
    void writeRect(const PageRect& r);
    void writeColour(ColourValue c) { m_out.writeInt(static_cast<qint32>(c)); }

    BinaryWriter m_out;
    QString m_pictureError;
};

void Writer::writePicture(const QImage& picture) {
    if (!m_out.ok())
        return;
    const IoResult encoded = encodePng(picture.isNull() ? emptyPicture() : picture, m_out.device());
    if (!encoded.ok) {
        m_pictureError = encoded.detail;
        m_out.markFailed();
    }
}

void Writer::writeRect(const PageRect& r) {
    m_out.writeReal(r.left);
    m_out.writeReal(r.top);
    m_out.writeReal(r.right);
    m_out.writeReal(r.bottom);
}

void Writer::writeHeader(const HeaderDataTyp& h) {
    m_out.writeString(h.vers);
    m_out.writeString(h.titel);
    m_out.writeString(h.autor);
    m_out.writeString(h.bemerkung);
    m_out.writeString(h.lueckentext);
    m_out.writeString(h.fragentext);
    m_out.writeInt(h.AnzFrageNummern);
    m_out.writeInt(h.DokTyp);
    writeRect(h.RandErw);
    m_out.writeInt(h.NumArt);
    m_out.writeInt(h.GeordnetArt);
    writeRect(h.EinrueckRand);
    writeColour(h.HtgdCol);
    m_out.writeInt(h.BasisbildDeck);
    m_out.writeInt(h.MinLuecke);
    m_out.writeInt(h.DokUnterTyp);
    const DokTyp dokTyp = dokTypOf(h);
    if (hasGapTable(dokTyp, h.DokUnterTyp))
        writeGapTable(h);
    if (storesColumnBackgrounds(dokTyp)) {
        const int columns = std::clamp(h.LueckenTabelleSpalten, 0, kGapTableMaxColumns);
        for (int c = 0; c < columns; ++c) {
            writeColour(h.LueckentabelleSpaltenHtgd[c].colour);
            m_out.writeInt(h.LueckentabelleSpaltenHtgd[c].opacity);
        }
    }
    if (storesCrossword(dokTyp))
        writeCrossword(h.crossword);
    m_out.writeRawString(scramblePassword(encodeCp1252(h.BilderPasswort)));
    m_out.writeString(h.Schriftart);
    m_out.writeString(h.Arbeitsblatt);
    m_out.writeString(h.ABAufgabe);
    writeColour(h.TextCol);
    writeColour(h.FragBtnHtgdCol);
    writeColour(h.FragBtnTextCol);
    writeColour(h.LueckentextCol);
    writeLogo(h.logo);
    m_out.writeInt(h.Zielpunktgroesse);
}

void Writer::writeGapTable(const HeaderDataTyp& h) {
    const int rows = std::clamp(h.LueckenTabelleZeilen, 0, kGapTableMaxRows);
    const int columns = std::clamp(h.LueckenTabelleSpalten, 0, kGapTableMaxColumns);
    m_out.writeInt(rows);
    m_out.writeInt(columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const lueckentabellearrtyp& cell = h.LueckenTabelle[r][c];
            m_out.writeString(cell.Text);
            m_out.writeInt(cell.Art);
            if (!cellCarriesPicture(dokTypOf(h), cell.Art))
                continue;
            writePicture(cell.Bild);
            m_out.writeString(cell.BildKenn);
            m_out.writeInt(cell.Fsize);
            m_out.writeInt(cell.BildkarteAnpassen);
            m_out.writeString(cell.BildLink);
            m_out.writeInt(cell.BildLinkInUebung);
        }
    }
    m_out.writeInt(h.LueckenTabelleLinie);
    writeColour(h.LueckenTabelleLinieCol);
}

void Writer::writeCrossword(const CrosswordData& k) {
    m_out.writeInt(kCrosswordSide);
    m_out.writeInt(kCrosswordSide);
    for (const QString& cell : k.grid)
        m_out.writeString(cell);
    m_out.writeInt(format::kCrosswordListMarker);
    for (const QString& clue : k.across)
        m_out.writeString(clue);
    m_out.writeInt(format::kCrosswordListMarker);
    for (const QString& clue : k.down)
        m_out.writeString(clue);
    writeColour(k.KGFeldHtgdCol);
    writeColour(k.KGFeldRandCol);
    writeColour(k.KGWortAnkerCol);
    writeColour(k.KGFeldschriftCol);
    writeColour(k.KGBeschreibungCol);
    writeColour(k.KGBeschreibungTitelCol);
}

void Writer::writeLogo(const LogoData& logo) {
    const bool hasLogo = !logo.picture.isNull();
    m_out.writeInt(hasLogo ? 1 : 0);
    if (hasLogo)
        writePicture(logo.picture);
    m_out.writeReal(logo.size);
    m_out.writeInt(logo.alignment);
    m_out.writeString(logo.footer);
    m_out.writeInt(logo.footerAlignment);
}

void Writer::writeObject(const ObjDataTyp& o) {
    m_out.writeReal(o.Sx);
    m_out.writeReal(o.Sy);
    m_out.writeReal(o.Kx);
    m_out.writeReal(o.Ky);
    m_out.writeString(toCommaText(o.Cap));
    m_out.writeInt(o.KAusr);
    m_out.writeInt(o.TAusr);
    m_out.writeInt(o.Ebene);
    m_out.writeInt(o.Typ);
    m_out.writeInt(o.Sline);
    m_out.writeInt(o.Fsize);
    m_out.writeInt(o.KAusrAkt);
    m_out.writeInt(o.FrageNummer);
    m_out.writeInt(o.Stil);
    writeColour(o.Farbe);
    writeColour(o.LinieFarbe);
    m_out.writeInt(o.LinieDicke);
    m_out.writeInt(o.Untertyp);
    const TypProperties typ = typProperties(typOf(o));
    const bool question = typ.has(TypFlag::Question);
    // The reader accepts at most 12 answers of a question; so does the writer.
    const int answers = question ? std::clamp(o.AntwortAnz, 0, kMaxAnswerPictures) : o.AntwortAnz;
    m_out.writeInt(answers);
    m_out.writeInt(o.ZIndex);
    writeColour(o.HFarbe);
    m_out.writeInt(o.HDeck);
    m_out.writeString(o.PktCap);
    m_out.writeString(o.PktCap2);
    m_out.writeString(o.BildKenn);
    m_out.writeInt(o.BildDeck);
    m_out.writeInt(o.BildkarteAnpassen);
    m_out.writeInt(o.PunktInUebung);
    if (typ.has(TypFlag::Picture))
        writePicture(o.Bild);
    if (question && o.Untertyp == 1) {
        for (int a = 0; a < answers; ++a)
            writePicture(o.BildAntw[a]);
    }
    if (question) {
        for (qint32 value : o.MCInfoLinkData)
            m_out.writeInt(value);
    }
}

// A picture object without a picture becomes its text counterpart; one that
// has none (a picture link) gets the placeholder.
void prepareForWriting(ObjDataTyp& o) {
    if (!o.Bild.isNull() || !carriesPicture(typOf(o)))
        return;
    const Typ lowered = withoutPicture(typOf(o));
    if (lowered != typOf(o))
        o.Typ = codeOf(lowered);
    else
        o.Bild = emptyPicture();
}

bool Writer::write(Document& doc) {
    m_out.writeString(QLatin1String(kDocumentMagic));
    m_out.writeString(QString::fromUtf16(format::kKeyList));
    m_out.writeInt(format::kAnsiCodePage);
    m_out.writeInt(format::kOemCodePage);
    writeHeader(doc.header);

    // Sorted by ZIndex, ties in list order. A stable sort over all written
    // objects gives that order even for indexes outside the recorded z-range,
    // so the count always matches the records.
    std::vector<int> order;
    order.reserve(doc.objects.size());
    for (int i = 0; i < static_cast<int>(doc.objects.size()); ++i) {
        if (isWritten(typOf(doc.objects[i])))
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&doc](int a, int b) {
        return doc.objects[a].ZIndex < doc.objects[b].ZIndex;
    });
    m_out.writeInt(static_cast<qint32>(order.size()));
    for (int index : order) {
        ObjDataTyp& o = doc.objects[index];
        prepareForWriting(o);
        writeObject(o);
    }
    writePicture(doc.basePicture);
    return m_out.ok();
}

} // namespace

IoResult writeDocumentStream(QIODevice& out, Document& document) {
    Writer writer(out);
    if (writer.write(document))
        return IoResult::success();
    return IoResult::failure(writer.error());
}

IoResult writeDocumentFile(Document& document, const QString& path, bool currentDocument) {
    QString detail;
    IoResult result = saveWholeFile(path, [&](QIODevice& out) {
        const IoResult written = writeDocumentStream(out, document);
        detail = written.detail;
        return written.ok;
    });
    if (!result.ok && !detail.isEmpty())
        result.detail += QStringLiteral(" (") + detail + QLatin1Char(')');
    if (!result.ok) {
        result.messages << msgCannotWrite(path);
        return result;
    }
    if (currentDocument) {
        document.file = path;
        document.modified = false;
    }
    return result;
}

} // namespace quorvel
