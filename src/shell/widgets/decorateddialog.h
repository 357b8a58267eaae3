// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QImage>

class QHBoxLayout;
class QPushButton;

namespace quorvel {

// The base of every dialog of the program: its background `MainBackImg` is
// stretched nine-slice from the decoration picture whenever the size changes,
// and its buttons have the program's button colour. Dialogs are created once
// and shown again when needed.
class DecoratedDialog : public QDialog {
    Q_OBJECT
public:
    static const QColor& buttonColour(); // RGB 205, 208, 226

    explicit DecoratedDialog(QWidget* parent = nullptr);

    const QImage& mainBackImg() const { return MainBackImg; }

protected:
    // A push button in the dialog's look.
    QPushButton* makeButton(const QString& caption);
    // The row of "OK" (the default button) and "Abbrechen" (rejects) at the
    // right; "OK" accepts unless the dialog connects it itself (`ok` gets it).
    QHBoxLayout* makeOkCancelRow(QPushButton** ok = nullptr);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage MainBackImg;
};

} // namespace quorvel
