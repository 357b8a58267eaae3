// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

namespace quorvel {

class ClassPicture;

// Shows a class picture fitted into the widget. The page is scaled once per
// size; a change of marks repaints only those marks, and the legend when
// what it says changed.
class ClassPictureView : public QWidget {
    Q_OBJECT
public:
    explicit ClassPictureView(const ClassPicture& picture, QWidget* parent = nullptr);

    // The page changed: everything is drawn anew.
    void pageChanged();
    // After ClassPicture::update() returned true.
    void marksChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRectF target() const;

    const ClassPicture& m_picture;
    QPixmap m_scaled; // the page at the size it is shown
    QRectF m_pageRect;
    // Where each mark was drawn last, so that a moved figure leaves nothing behind.
    std::vector<QRectF> m_drawn;
    QString m_legend; // the legend line shown
};

} // namespace quorvel
