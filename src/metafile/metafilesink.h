// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metafilestyle.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPolygon>
#include <QRect>
#include <optional>

namespace quorvel {

// What one metafile format writes, in its device units. Keeps the selected
// pen, brush and font and writes an object only when it changes: create the
// new one, select it, delete the old one. Handles are taken lowest free
// first, which is how a placeable metafile's reader numbers them.
class MetafileSink {
public:
    MetafileSink(int firstHandle, int coordinateLimit);
    virtual ~MetafileSink();
    MetafileSink(const MetafileSink&) = delete;
    MetafileSink& operator=(const MetafileSink&) = delete;

    // Coordinates the format holds: every point is clamped into ± this.
    int coordinateLimit() const { return m_coordinateLimit; }

    void usePen(const MetafilePen& pen);
    void useBrush(const MetafileBrush& brush);
    void useFont(const MetafileFont& font);
    void useTextColor(QRgb color);
    void useWindingFill(bool winding);
    // Clips to `rect` (its width and height are the area's), or not at all.
    void useClip(const std::optional<QRect>& rect);

    virtual void polylines(const QList<QPolygon>& lines) = 0;
    virtual void polygons(const QList<QPolygon>& shapes) = 0;
    // The shape whose corners are `rect`'s top left and bottom right.
    virtual void rectangle(const QRect& rect) = 0;
    virtual void ellipse(const QRect& rect) = 0;
    // `advances` holds one distance per UTF-16 unit of `text`.
    virtual void text(const QPoint& baseline, const QString& text, const QList<int>& advances) = 0;
    // Covers the area `target` with `image`.
    virtual void image(const QRect& target, const QImage& image) = 0;

    // The whole file; empty when it grew beyond its size limit.
    virtual QByteArray finish() = 0;
    virtual bool overflowed() const = 0;

protected:
    virtual void createPen(int handle, const MetafilePen& pen) = 0;
    virtual void createBrush(int handle, const MetafileBrush& brush) = 0;
    virtual void createFont(int handle, const MetafileFont& font) = 0;
    virtual void selectObject(int handle) = 0;
    virtual void deleteObject(int handle) = 0;
    virtual void writeTextColor(QRgb color) = 0;
    virtual void writeFillMode(bool winding) = 0;
    // A clip only narrows in the formats' clip records that readers agree on;
    // widening it again means restoring the state saved before it.
    virtual void writeSave() = 0;
    virtual void writeRestore() = 0;
    virtual void writeIntersectClip(const QRect& rect) = 0;

    // The number of handle table entries the file needs.
    int handleCount() const { return int(m_used.size()); }

private:
    template <typename T> struct Current {
        T value;
        int handle = -1;
    };
    template <typename T, typename Create>
    void use(Current<T>& current, const T& value, Create create);
    int takeHandle();
    void releaseHandle(int handle);

    Current<MetafilePen> m_pen;
    Current<MetafileBrush> m_brush;
    Current<MetafileFont> m_font;
    std::optional<QRgb> m_textColor;
    std::optional<bool> m_winding;
    std::optional<QRect> m_clip;
    bool m_clipKnown = false;
    bool m_clipSaved = false;
    QList<bool> m_used;
    int m_firstHandle;
    int m_coordinateLimit;
};

} // namespace quorvel
