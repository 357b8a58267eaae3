// SPDX-License-Identifier: GPL-3.0-or-later
#include "tarbblattdruckform.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

ViewPrintFields sheetStartFields() {
    ViewPrintFields start;
    start.left = u"2,2"_s;
    start.top = u"1,4"_s;
    start.width = u"16,5"_s;
    start.height = u"26,8"_s;
    return start;
}

void swapTexts(QLineEdit* a, QLineEdit* b) {
    const QString text = a->text();
    a->setText(b->text());
    b->setText(text);
}

} // namespace

TArbblattDruckForm::TArbblattDruckForm(QWidget* parent)
    : TDruckForm(u"TArbblattDruckForm"_s, u"Arbeitsblatt drucken"_s, sheetStartFields(), parent),
      m_note(new QLabel(this)) {
    m_note->setObjectName(u"OrientLabel"_s);
    if (auto* outer = qobject_cast<QVBoxLayout*>(layout()))
        outer->insertWidget(1, m_note);
}

int TArbblattDruckForm::execFor(const QSize& pageSize) {
    const bool landscape = pageSize.width() > pageSize.height();
    setRatio(pictureRatio(pageSize));
    m_note->setText(landscape ? u"Ausdruck erfolgt im Querformat"_s
                              : u"Ausdruck erfolgt im Hochformat"_s);
    if (landscape)
        swapFields();
    const int result = exec();
    if (landscape)
        swapFields();
    return result;
}

void TArbblattDruckForm::swapFields() {
    swapTexts(leftEdit(), topEdit());
    swapTexts(widthEdit(), heightEdit());
}

} // namespace quorvel
