// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"

#include <algorithm>
#include <unordered_set>

namespace quorvel {

void Document::reset(const PageRatioPreset& ratio) {
    // The empty state between two documents (after a close or a failed read)
    // is no document: the one shown before it stays the previous one.
    if (!file.isEmpty())
        previousFile = file;
    file.clear();
    magic.clear();
    // The font is one value with the program's font setting and survives a
    // reset; so do the exercise's pairing marks of the gap-table cells.
    HeaderDataTyp fresh;
    fresh.Schriftart = header.Schriftart;
    for (int r = 0; r < kGapTableMaxRows; ++r) {
        for (int c = 0; c < kGapTableMaxColumns; ++c) {
            fresh.LueckenTabelle[r][c].ObjIndex = header.LueckenTabelle[r][c].ObjIndex;
            fresh.LueckenTabelle[r][c].AnswerState = header.LueckenTabelle[r][c].AnswerState;
        }
    }
    header = std::move(fresh);
    header.EinrueckRand = defaultEinrueckRand(dokTypOf(header));
    zMin = 0;
    zMax = 0;
    clozeFontSize = 0;
    modified = false;
    geometry = PageGeometry();
    geometry.ratioArt = ratio.art;
    geometry.ratioBreite = ratio.width;
    geometry.ratioHoehe = ratio.height;
}

void Document::clearObjects() {
    objects.clear();
    objects.shrink_to_fit();
}

int Document::addGeneratedObject(Typ typ, int layer, const QString& cap, int questionNumber,
                                 double kx, double ky, int kausr, int fsize) {
    ObjDataTyp o;
    o.resetRuntime();
    o.Typ = codeOf(typ);
    o.Ebene = layer;
    o.Cap = cap;
    o.FrageNummer = questionNumber;
    o.Kx = o.Sx = kx;
    o.Ky = o.Sy = ky;
    o.KAusr = kausr;
    o.Fsize = fsize;
    o.AbfrageStatus = AbfrageStatus::Covered;
    o.TAusr = codeOf(TextAlignment::Left);
    o.Sline = 0;
    o.BildDeck = 100;
    o.Farbe = header.TextCol;
    o.HFarbe = 0;
    o.HDeck = isPoint(typ) ? 100 : 0;
    o.LinieDicke = 0;
    o.MCInfoLinkData = {};
    o.AbfrageNummer = 0;
    o.KartRect = {};
    o.Marker1 = 0;
    o.Marker2 = 0;
    o.Aktiv = true;
    objects.push_back(std::move(o));
    return static_cast<int>(objects.size()) - 1;
}

void Document::deleteObject(int index) {
    if (index < 0 || index >= static_cast<int>(objects.size()))
        return;
    objects.erase(objects.begin() + index);
}

void Document::widenZRange(int zIndex) {
    zMin = std::min(zMin, zIndex);
    zMax = std::max(zMax, zIndex);
}

void Document::derivePageGeometry() {
    geometry = pageGeometryFor(basePicture.size(), header.RandErw);
}

void Document::applyPageGeometry(bool keepObjectsOnBasePicture, const DocumentLayouts& layouts) {
    const PageRect old = header.RandErw;
    const PageRect fresh = randErwFromGeometry(basePicture.size(), geometry);
    header.RandErw = fresh;
    if (keepObjectsOnBasePicture) {
        for (ObjDataTyp& o : objects) {
            if (!isOnBasePicture(typOf(o)))
                continue;
            o.Sx = keepOnBasePicture(o.Sx, old.left, old.right, fresh.left, fresh.right);
            o.Kx = keepOnBasePicture(o.Kx, old.left, old.right, fresh.left, fresh.right);
            o.Sy = keepOnBasePicture(o.Sy, old.top, old.bottom, fresh.top, fresh.bottom);
            o.Ky = keepOnBasePicture(o.Ky, old.top, old.bottom, fresh.top, fresh.bottom);
        }
    }
    layouts.generate(*this);
    modified = true;
}

qint64 Document::pictureBytes() const {
    std::unordered_set<qint64> counted;
    qint64 bytes = 0;
    const auto add = [&](const QImage& picture) {
        if (!picture.isNull() && counted.insert(picture.cacheKey()).second)
            bytes += picture.sizeInBytes();
    };
    add(basePicture);
    add(header.logo.picture);
    for (const auto& row : header.LueckenTabelle)
        for (const lueckentabellearrtyp& cell : row)
            add(cell.Bild);
    for (const ObjDataTyp& o : objects) {
        add(o.Bild);
        for (const QImage& answer : o.BildAntw)
            add(answer);
    }
    return bytes;
}

} // namespace quorvel
