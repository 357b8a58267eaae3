// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

class QPicture;

namespace quorvel::test {

// One thing drawn, in the device's coordinates (the painter's transform
// applied). Text: `text` with its baseline start in `position`; Line: `line`;
// Rect: `rect` with `filled` when the brush fills it; Image: the target
// `rect`, the `source` rect within the image, its `size` and its top-left
// colour. A text's pixel size is its `font`'s.
struct DrawnItem {
    enum class Kind { Text, Line, Rect, Image, Other };
    Kind kind = Kind::Other;
    QString text;
    QPointF position;
    QLineF line;
    QRectF rect;
    QRectF source;
    QSize size;
    QFont font;
    QColor colour; // pen colour; the image's top-left pixel for Image
    bool filled = false;
};

// A paint device that keeps what is drawn on it instead of drawing, so that
// tests can ask where a recorded page put its texts, lines and pictures.
class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(QSize size);
    ~RecordingDevice() override;

    QPaintEngine* paintEngine() const override;
    std::vector<DrawnItem> items;

    // Replays `picture` onto a new device of `size` and returns what it drew.
    static std::vector<DrawnItem> replay(const QPicture& picture, QSize size);

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    std::unique_ptr<QPaintEngine> m_engine;
};

} // namespace quorvel::test
