#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

class QLabel;

namespace quorvel {

// The central area of the learning view. Until the page composition takes
// over it shows the base picture scaled to fit, centred on a dark desk, and
// the start panel while no document is open.
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);

    // `isStartPicture`: the picture is the start picture, which the view
    // draws afresh at the size it is shown, so that it stays crisp.
    void setPicture(const QImage& picture, bool isStartPicture = false);
    const QImage& picture() const { return m_picture; }

    // The start panel's text (with CR LF line breaks) and whether it is shown.
    void setStartText(const QString& text);
    void setStartPanelVisible(bool visible);
    QLabel* startPanel() const { return m_startPanel; }

    // Where the picture is drawn, in widget coordinates.
    QRect pictureRect() const;

Q_SIGNALS:
    // Emitted once, after the first paint of the view.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage scaledPicture(QSize size) const;

    QImage m_picture;
    QPixmap m_scaled; // m_picture at the size of pictureRect()
    bool m_isStartPicture = false;
    QLabel* m_startPanel;
    bool m_painted = false;
};

} // namespace quorvel
