// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// Writes document files for the tests, independently of the program's writer,
// with any set of optional keys left out. Fields whose key is absent are not
// written, exactly as older writers did.
struct TestObject {
    double Sx = 0.1, Sy = 0.2, Kx = 0.3, Ky = 0.4;
    QByteArray capStored; // the caption exactly as stored (comma text)
    int KAusr = 1, TAusr = 0, Ebene = 1, Typ = 0, Sline = 0, Fsize = 0, KAusrAkt = 1;
    int FrageNummer = -1, Stil = 0;
    quint32 Farbe = 0, LinieFarbe = 0;
    int LinieDicke = 1, Untertyp = 0, AntwortAnz = 0, ZIndex = 0;
    quint32 HFarbe = 0xFFFFFF;
    int HDeck = 0;
    QString PktCap, PktCap2, BildKenn;
    int BildDeck = 100, BildkarteAnpassen = 0, PunktInUebung = 0;
    QImage Bild;                  // written for picture types
    std::vector<QImage> BildAntw; // written for questions with Untertyp 1
    std::array<qint32, 6> MCInfoLinkData = {1, 2, 3, 4, 5, 6};
};

struct TestCell {
    TestCell(QString text = {}, int art = 0, QImage picture = {})
        : Text(std::move(text)), Art(art), Bild(std::move(picture)) {}
    QString Text;
    int Art = 0;
    QImage Bild;
    QString BildKenn, BildLink;
    int Fsize = 20, BildkarteAnpassen = 0, BildLinkInUebung = 0;
};

class DocBuilder {
public:
    DocBuilder();

    static QStringList allKeys();
    void removeKey(const QString& key) { keys.removeAll(key); }

    QByteArray build() const;

    QString magic = QStringLiteral("QVL-2.21");
    QStringList keys;
    QString vers = QStringLiteral("1.00"), titel = QStringLiteral("Titel"), autor, bemerkung;
    QString lueckentext, fragentext;
    int AnzFrageNummern = 0, DokTyp = 0, DokUnterTyp = 0;
    std::array<double, 4> RandErw = {0, 0, 0, 0};
    std::array<double, 4> EinrueckRand = {0.01, 0.02, 0.03, 0.04};
    int NumArt = 0, GeordnetArt = 0;
    quint32 HtgdCol = 0xFFFFFF;
    int BasisbildDeck = 100, MinLuecke = 3;
    int rows = 5, columns = 2;
    std::vector<TestCell> cells; // row by row, rows * columns entries (missing: empty cells)
    int LueckenTabelleLinie = 0;
    quint32 LueckenTabelleLinieCol = 0xC0C0C0;
    std::vector<std::pair<quint32, int>> spaltenHtgd; // written for DokTyp 4
    std::vector<QString> grid = std::vector<QString>(900);
    std::vector<QString> across = std::vector<QString>(30), down = std::vector<QString>(30);
    std::vector<qint32> crosswordSettings = {1, 2, 3, 4, 5, 6}; // five for old files
    QByteArray passwordStored;                                  // already scrambled
    QString Schriftart = QStringLiteral("Arial");
    QString Arbeitsblatt, ABAufgabe = QStringLiteral("Aufgabe");
    quint32 TextCol = 0, FragBtnHtgdCol = 0xFF0000, FragBtnTextCol = 0xFFFFFF,
            LueckentextCol = 0xFF0000;
    QImage logo;
    double logoSize = 0.2;
    int logoAlign = 2, footerAlign = 0;
    QString footer;
    int Zielpunktgroesse = 100;
    std::optional<qint32> objectCount; // unset: the number of objects
    std::vector<TestObject> objects;
    QImage basePicture;
    bool writeBasePicture = true;
};

// Little-endian primitives for hand-made streams.
void appendInt(QByteArray& out, qint32 value);
void appendReal(QByteArray& out, double value);
void appendString(QByteArray& out, const QByteArray& cp1252Bytes);
QByteArray pngBytes(const QImage& picture);
QImage testPicture(int width, int height, bool withAlpha = false);
