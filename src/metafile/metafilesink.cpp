// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafilesink.h"

namespace quorvel {

MetafileSink::MetafileSink(int firstHandle, int coordinateLimit)
    : m_firstHandle(firstHandle), m_coordinateLimit(coordinateLimit) {
    m_used.fill(true, firstHandle);
}

MetafileSink::~MetafileSink() = default;

int MetafileSink::takeHandle() {
    const qsizetype free = m_used.indexOf(false, m_firstHandle);
    if (free >= 0) {
        m_used[free] = true;
        return int(free);
    }
    m_used.append(true);
    return int(m_used.size() - 1);
}

void MetafileSink::releaseHandle(int handle) {
    if (handle >= m_firstHandle && handle < m_used.size())
        m_used[handle] = false;
}

template <typename T, typename Create>
void MetafileSink::use(Current<T>& current, const T& value, Create create) {
    if (current.handle >= 0 && current.value == value)
        return;
    const int handle = takeHandle();
    create(handle, value);
    selectObject(handle);
    if (current.handle >= 0) {
        deleteObject(current.handle);
        releaseHandle(current.handle);
    }
    current.value = value;
    current.handle = handle;
}

void MetafileSink::usePen(const MetafilePen& pen) {
    use(m_pen, pen, [this](int handle, const MetafilePen& value) { createPen(handle, value); });
}

void MetafileSink::useBrush(const MetafileBrush& brush) {
    use(m_brush, brush,
        [this](int handle, const MetafileBrush& value) { createBrush(handle, value); });
}

void MetafileSink::useFont(const MetafileFont& font) {
    use(m_font, font, [this](int handle, const MetafileFont& value) { createFont(handle, value); });
}

void MetafileSink::useTextColor(QRgb color) {
    if (m_textColor == color)
        return;
    m_textColor = color;
    writeTextColor(color);
}

void MetafileSink::useWindingFill(bool winding) {
    if (m_winding == winding)
        return;
    m_winding = winding;
    writeFillMode(winding);
}

void MetafileSink::useClip(const std::optional<QRect>& rect) {
    if (m_clipKnown && m_clip == rect)
        return;
    m_clipKnown = true;
    m_clip = rect;
    if (m_clipSaved) {
        writeRestore();
        m_clipSaved = false;
        // The restored state has older objects and colours: select the
        // current objects again, write colour and fill mode anew when used.
        for (int handle : {m_pen.handle, m_brush.handle, m_font.handle}) {
            if (handle >= 0)
                selectObject(handle);
        }
        m_textColor.reset();
        m_winding.reset();
    }
    if (!rect)
        return;
    writeSave();
    m_clipSaved = true;
    writeIntersectClip(*rect);
}

} // namespace quorvel
