// SPDX-License-Identifier: GPL-3.0-or-later
#include "docbuilder.h"

#include "cp1252.h"

#include <QBuffer>
#include <QtEndian>
#include <cstring>

void appendInt(QByteArray& out, qint32 value) {
    char b[4];
    qToLittleEndian(value, b);
    out.append(b, 4);
}

void appendReal(QByteArray& out, double value) {
    quint64 bits;
    std::memcpy(&bits, &value, 8);
    char b[8];
    qToLittleEndian(bits, b);
    out.append(b, 8);
}

void appendString(QByteArray& out, const QByteArray& bytes) {
    appendInt(out, static_cast<qint32>(bytes.size()));
    out.append(bytes);
}

QByteArray pngBytes(const QImage& picture) {
    // Documents with many copies of one large picture encode it once.
    static qint64 lastKey = 0;
    static QByteArray lastBytes;
    if (!picture.isNull() && picture.cacheKey() == lastKey)
        return lastBytes;
    // Qt's own PNG writer: an independent producer of valid streams.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    lastKey = picture.cacheKey();
    lastBytes = bytes;
    return bytes;
}

QImage testPicture(int width, int height, bool withAlpha) {
    QImage img(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int alpha = withAlpha ? (x * 255 / std::max(1, width - 1)) : 255;
            img.setPixel(x, y, qRgba((x * 37) & 255, (y * 59) & 255, (x + y) & 255, alpha));
        }
    }
    return img;
}

namespace {

QByteArray text(const QString& s) {
    return quorvel::encodeCp1252(s);
}

class Out {
public:
    Out(const QStringList& keys)
        : m_keys(QLatin1Char('|') + keys.join(QLatin1Char('|')) + QLatin1Char('|')) {}
    bool has(const char* key) const { return m_keys.contains(QString::fromUtf8(key)); }
    QByteArray bytes;
    void i(qint32 v) { appendInt(bytes, v); }
    void r(double v) { appendReal(bytes, v); }
    void s(const QString& v) { appendString(bytes, text(v)); }
    void raw(const QByteArray& v) { appendString(bytes, v); }
    void pic(const QImage& p) { bytes.append(pngBytes(p)); }
    void rect(const std::array<double, 4>& v) {
        for (double d : v)
            r(d);
    }
    QString m_keys;
};

bool carriesPicture(int dokTyp, int art) {
    return dokTyp == 1 ? (art >= 1 && art <= 3)
                       : ((dokTyp == 4 || dokTyp == 5) && (art == 2 || art == 3));
}

} // namespace

QStringList DocBuilder::allKeys() {
    return QString::fromUtf8(
               "HD-vers|HD-titel|HD-autor|HD-bemerkung|HD-lueckentext|HD-fragentext|"
               "HD-AnzFrageNummern|HD-DokTyp|HD-RandErw|HD-NumArt|HD-GeordnetArt|HD-EinrueckRand|"
               "HD-EinrückRand|OB-Sx|OB-Sy|OB-Kx|OB-Ky|OB-Cap|OB-KAusr|OB-TAusr|OB-Ebene|OB-Typ|"
               "OB-Sline|OB-Fsize|OB-KAusrAkt|OB-FrageNummer|OB-Stil|OB-Farbe|OB-Untertyp|"
               "OB-BildAntw|OB-AntwortAnz|OB-LinieFarbe|OB-LinieDicke|HD-HtgdCol|HD-MinLuecke|"
               "HD-LueckenTabelle|HD-LueckenTabelleZeilen|HD-LueckenTabelleSpalten|"
               "HD-LueckenTabelleLinie|HD-LueckenTabelleLinieCol|HD-DokUnterTyp|OB-ZIndex|"
               "OB-HFarbe|OB-HDeck|OB-PktCap|OB-BildKenn|OB-BildkarteAnpassen|OB-PunktInUebung|"
               "HD-BilderPasswort|HD-Schriftart|HD-LueckenTabelleBild|HD-Arbeitsblatt|"
               "HD-ABAufgabe|HD-TextCol|HD-FragBtnHtgdCol|HD-FragBtnTextCol|"
               "HD-LueckenTabelleBildLink|OB-PktHtgdDeck|HD-ABLogo|OB-PktCap2|"
               "HD-LueckentabelleSpaltenHtgd|HD-BasisbildDeck|OB-BildDeck|HD-CodePage|"
               "HD-LueckentextCol|HD-Zielpunktgroesse|OB-MCInfoLinkData")
        .split(QLatin1Char('|'));
}

DocBuilder::DocBuilder() : keys(allKeys()), basePicture(testPicture(40, 30)) {}

QByteArray DocBuilder::build() const {
    Out o(keys);
    o.s(magic);
    o.s(o.m_keys);
    if (o.has("HD-CodePage")) {
        o.i(1252);
        o.i(850);
    }
    o.s(vers);
    o.s(titel);
    o.s(autor);
    o.s(bemerkung);
    if (o.has("HD-lueckentext"))
        o.s(lueckentext);
    if (o.has("HD-fragentext"))
        o.s(fragentext);
    if (o.has("HD-AnzFrageNummern"))
        o.i(AnzFrageNummern);
    if (o.has("HD-DokTyp"))
        o.i(DokTyp);
    if (o.has("HD-RandErw"))
        o.rect(RandErw);
    if (o.has("HD-NumArt"))
        o.i(NumArt);
    if (o.has("HD-GeordnetArt"))
        o.i(GeordnetArt);
    if (o.has("HD-EinrueckRand") || o.has("HD-EinrückRand"))
        o.rect(EinrueckRand);
    if (o.has("HD-HtgdCol"))
        o.i(static_cast<qint32>(HtgdCol));
    if (o.has("HD-BasisbildDeck"))
        o.i(BasisbildDeck);
    if (o.has("HD-MinLuecke"))
        o.i(MinLuecke);
    if (o.has("HD-DokUnterTyp"))
        o.i(DokUnterTyp);
    if ((DokTyp == 1 && DokUnterTyp == 1) || DokTyp == 4 || DokTyp == 5) {
        if (o.has("HD-LueckenTabelleZeilen"))
            o.i(rows);
        if (o.has("HD-LueckenTabelleSpalten"))
            o.i(columns);
        for (int k = 0; k < rows * columns && k < 16 * 12; ++k) {
            const TestCell cell = k < static_cast<int>(cells.size()) ? cells[k] : TestCell();
            o.s(cell.Text);
            if (!o.has("HD-LueckenTabelleBild"))
                continue;
            o.i(cell.Art);
            if (!carriesPicture(DokTyp, cell.Art))
                continue;
            o.pic(cell.Bild);
            o.s(cell.BildKenn);
            o.i(cell.Fsize);
            o.i(cell.BildkarteAnpassen);
            if (o.has("HD-LueckenTabelleBildLink")) {
                o.s(cell.BildLink);
                o.i(cell.BildLinkInUebung);
            }
        }
        if (o.has("HD-LueckenTabelleLinie"))
            o.i(LueckenTabelleLinie);
        if (o.has("HD-LueckenTabelleLinieCol"))
            o.i(static_cast<qint32>(LueckenTabelleLinieCol));
    }
    if (DokTyp == 4 && o.has("HD-LueckentabelleSpaltenHtgd")) {
        for (const auto& [colour, percent] : spaltenHtgd) {
            o.i(static_cast<qint32>(colour));
            o.i(percent);
        }
    }
    if (DokTyp == 6) {
        o.i(30);
        o.i(30);
        for (const QString& cell : grid)
            o.s(cell);
        o.i(30);
        for (const QString& clue : across)
            o.s(clue);
        o.i(30);
        for (const QString& clue : down)
            o.s(clue);
        for (qint32 v : crosswordSettings)
            o.i(v);
    }
    if (o.has("HD-BilderPasswort"))
        o.raw(passwordStored);
    if (o.has("HD-Schriftart"))
        o.s(Schriftart);
    if (o.has("HD-Arbeitsblatt"))
        o.s(Arbeitsblatt);
    if (o.has("HD-ABAufgabe"))
        o.s(ABAufgabe);
    if (o.has("HD-TextCol"))
        o.i(static_cast<qint32>(TextCol));
    if (o.has("HD-FragBtnHtgdCol"))
        o.i(static_cast<qint32>(FragBtnHtgdCol));
    if (o.has("HD-FragBtnTextCol"))
        o.i(static_cast<qint32>(FragBtnTextCol));
    if (o.has("HD-LueckentextCol"))
        o.i(static_cast<qint32>(LueckentextCol));
    if (o.has("HD-ABLogo")) {
        o.i(logo.isNull() ? 0 : 1);
        if (!logo.isNull())
            o.pic(logo);
        o.r(logoSize);
        o.i(logoAlign);
        o.s(footer);
        o.i(footerAlign);
    }
    if (o.has("HD-Zielpunktgroesse"))
        o.i(Zielpunktgroesse);
    o.i(objectCount.value_or(static_cast<qint32>(objects.size())));
    for (const TestObject& ob : objects) {
        o.r(ob.Sx);
        o.r(ob.Sy);
        o.r(ob.Kx);
        o.r(ob.Ky);
        o.raw(ob.capStored);
        for (int v : {ob.KAusr, ob.TAusr, ob.Ebene, ob.Typ, ob.Sline, ob.Fsize, ob.KAusrAkt})
            o.i(v);
        if (o.has("OB-FrageNummer"))
            o.i(ob.FrageNummer);
        if (o.has("OB-Stil"))
            o.i(ob.Stil);
        if (o.has("OB-Farbe"))
            o.i(static_cast<qint32>(ob.Farbe));
        if (o.has("OB-LinieFarbe"))
            o.i(static_cast<qint32>(ob.LinieFarbe));
        if (o.has("OB-LinieDicke"))
            o.i(ob.LinieDicke);
        if (o.has("OB-Untertyp"))
            o.i(ob.Untertyp);
        if (o.has("OB-AntwortAnz"))
            o.i(ob.AntwortAnz);
        if (o.has("OB-ZIndex"))
            o.i(ob.ZIndex);
        if (o.has("OB-HFarbe"))
            o.i(static_cast<qint32>(ob.HFarbe));
        if (o.has("OB-HDeck"))
            o.i(ob.HDeck);
        if (o.has("OB-PktCap"))
            o.s(ob.PktCap);
        if (o.has("OB-PktCap2"))
            o.s(ob.PktCap2);
        if (o.has("OB-BildKenn"))
            o.s(ob.BildKenn);
        if (o.has("OB-BildDeck"))
            o.i(ob.BildDeck);
        if (o.has("OB-BildkarteAnpassen"))
            o.i(ob.BildkarteAnpassen);
        if (o.has("OB-PunktInUebung"))
            o.i(ob.PunktInUebung);
        if (ob.Typ == 6 || ob.Typ == 7 || ob.Typ == 8 || ob.Typ == 21)
            o.pic(ob.Bild);
        const bool question = ob.Typ == 20 || ob.Typ == 21;
        if (question && ob.Untertyp == 1 && o.has("OB-BildAntw")) {
            for (const QImage& answer : ob.BildAntw)
                o.pic(answer);
        }
        if (question && o.has("OB-MCInfoLinkData")) {
            for (qint32 v : ob.MCInfoLinkData)
                o.i(v);
        }
    }
    if (writeBasePicture)
        o.pic(basePicture);
    return o.bytes;
}
