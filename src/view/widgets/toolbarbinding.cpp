// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolbarbinding.h"

#include "commandregistry.h"
#include "learningviewcontroller.h"
#include "learningviewpanel.h"
#include "toolbar.h"

#include <QCheckBox>
#include <QKeySequence>
#include <QToolButton>
#include <array>
#include <functional>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

// The "&Ebenen" items in layer order.
const std::array<QString, 4> kLayerCommands = {u"EbeneBasisbild1"_s, u"EbeneTexteundBilder1"_s,
                                               u"EbeneInfopunkte1"_s, u"EbeneLayout1"_s};

// The "&Zoomstufe" item of a zoom level (levels 1 and 3 have none).
QString zoomCommand(int level) {
    switch (level) {
    case 0:
        return u"Zoomstufe100Prozent1"_s;
    case 2:
        return u"Zoomstufe150Prozent1"_s;
    case 4:
        return u"Zoomstufe200Prozent1"_s;
    default:
        return {};
    }
}

QString numberingCommand(int numberingMode) {
    switch (numberingMode) {
    case NumberingQuestionMarks:
        return u"NummerierungFragezeichen1"_s;
    case NumberingRandom:
        return u"NummerierungZufaellig1"_s;
    default:
        return u"NummerierungGeordnet1"_s;
    }
}

} // namespace

ToolBarBinding::ToolBarBinding(CommandRegistry& commands, LearningViewPanel& panel,
                               LearningViewController& controller)
    : QObject(&controller), m_commands(commands), m_panel(panel), m_controller(controller) {
    connectToolBar();
    connectCommands();
    connectKeys();
    showControllerState();
}

void ToolBarBinding::connectToolBar() {
    ToolBar& bar = m_panel.toolBar();
    LearningViewController* c = &m_controller;
    connect(&bar, &ToolBar::toolChosen, c, &LearningViewController::chooseToolButton);
    connect(&bar, &ToolBar::colourChosen, c, &LearningViewController::setColour);
    connect(&bar, &ToolBar::thicknessChosen, c, &LearningViewController::setThickness);
    connect(&bar, &ToolBar::penChosen, c, &LearningViewController::choosePen);
    connect(&bar, &ToolBar::stampChosen, c, &LearningViewController::setStamp);
    connect(&bar, &ToolBar::configureStamps, c, &LearningViewController::configureStamps);

    const auto button = [this, &bar](const QString& name, auto handler) {
        connect(bar.button(name), &QToolButton::clicked, this, handler);
    };
    button(u"KlappPan"_s, [this] { m_panel.toggleCollapsed(); });
    button(u"RueckgaengigBtn"_s, [c] { c->undo(); });
    button(u"MarkEntfBtn"_s, [c] { c->removeAllDrawings(); });
    button(u"AbdeckerBtn"_s, [c] { c->toggleCoverPane(); });
    button(u"AlleAbdeckenBtn"_s, [c] { c->coverAll(); });
    button(u"AlleAufdeckenBtn"_s, [c] { c->uncoverAll(); });
    button(u"NummerModeSort"_s, [c] { c->number(NumberingOrdered); });
    button(u"NummerModeZufall"_s, [c] { c->number(NumberingRandom); });
    button(u"NummerModeFragez"_s, [c] { c->number(NumberingQuestionMarks); });
    button(u"ScrollLinksBtn"_s, [c] { c->scroll(ScrollDirection::Left); });
    button(u"ScrollRechtsBtn"_s, [c] { c->scroll(ScrollDirection::Right); });
    button(u"ScrollHochBtn"_s, [c] { c->scroll(ScrollDirection::Up); });
    button(u"ScrollRunterBtn"_s, [c] { c->scroll(ScrollDirection::Down); });
    button(u"ZoomPan0"_s, [c] { c->setZoomLevel(0); });
    button(u"ZoomPan2"_s, [c] { c->setZoomLevel(2); });
    button(u"ZoomPan4"_s, [c] { c->setZoomLevel(4); });
    button(u"DruckBtn"_s, [this] { m_commands.trigger(u"Drucken1"_s); });
    button(u"ExportBtn"_s, [this] { m_commands.trigger(u"Exportieren1"_s); });
    button(u"ClipbordBtn"_s, [this] { m_commands.trigger(u"InZwischenablagekopieren1"_s); });
    button(u"EMailBtn"_s, [this] { m_commands.trigger(u"PerEMailversenden1"_s); });
    button(u"ABBtn"_s, [this] { m_commands.trigger(u"Arbeitsblatterstellen1"_s); });
    for (int i = 0; i < int(kLayerCommands.size()); ++i)
        connect(bar.layer(i), &QCheckBox::clicked, c,
                [c, i](bool shown) { c->setLayer(i, shown); });
}

void ToolBarBinding::connectCommands() {
    LearningViewController* c = &m_controller;
    const auto command = [this](const QString& name, std::function<void()> handler) {
        m_commands.onTriggered(name, this, std::move(handler));
    };
    command(u"Werkzeugleistezuklappen1"_s, [this] { m_panel.toggleCollapsed(); });
    for (int i = 0; i < int(kLayerCommands.size()); ++i)
        m_commands.onToggled(kLayerCommands[size_t(i)], this,
                             [c, i](bool shown) { c->setLayer(i, shown); });
    command(u"AlleAbfragefelderabdecken1"_s, [c] { c->coverAll(); });
    command(u"AlleAbfragefelderaufdecken1"_s, [c] { c->uncoverAll(); });
    command(u"Abdeckblatteinblenden1"_s, [c] { c->showCoverPane(true); });
    command(u"Abdeckblattausblenden1"_s, [c] { c->showCoverPane(false); });
    for (int mode : {NumberingQuestionMarks, NumberingOrdered, NumberingRandom})
        command(numberingCommand(mode), [c, mode] { c->number(mode); });
    for (int level : {0, 2, 4})
        command(zoomCommand(level), [c, level] { c->setZoomLevel(level); });
    command(u"AlleZeichnungenentfernen1"_s, [c] { c->removeAllDrawings(); });
    command(u"WerkzeugleisteLinks1"_s, [this] { m_panel.setSide(1); });
    command(u"WerkzeugleisteRechts1"_s, [this] { m_panel.setSide(0); });
}

void ToolBarBinding::connectKeys() {
    LearningViewController* c = &m_controller;
    const auto key = [this](const QString& name, QKeyCombination keys, auto handler) {
        m_commands.addKey(name, QKeySequence(keys), true, this, handler);
    };
    // The question keys act as the question navigation buttons.
    const auto question = [c](Typ button) { return [c, button] { c->changeQuestion(button); }; };
    key(u"PreviousQuestionKey"_s, QKeyCombination(Qt::Key_Left), question(Typ::PreviousQuestion));
    key(u"NextQuestionKey"_s, QKeyCombination(Qt::Key_Right), question(Typ::NextQuestion));
    key(u"FirstQuestionKey"_s, QKeyCombination(Qt::Key_Home), question(Typ::FirstQuestion));
    key(u"LastQuestionKey"_s, QKeyCombination(Qt::Key_End), question(Typ::LastQuestion));
    const Qt::KeyboardModifiers keypad = Qt::ControlModifier | Qt::KeypadModifier;
    key(u"ZoomInKey"_s, QKeyCombination(keypad, Qt::Key_Plus), [c] { c->zoomIn(); });
    key(u"ZoomOutKey"_s, QKeyCombination(keypad, Qt::Key_Minus), [c] { c->zoomOut(); });
}

void ToolBarBinding::showControllerState() {
    ToolBar& bar = m_panel.toolBar();
    LearningViewController* c = &m_controller;
    connect(c, &LearningViewController::toolChanged, &bar, &ToolBar::showTool);
    connect(c, &LearningViewController::drawingChanged, &bar,
            [&bar, c] { bar.showSettings(c->drawingState()); });
    connect(c, &LearningViewController::stampsChanged, &bar, [&bar, c] {
        bar.showStampPictures(c->drawingState().stamps);
        bar.showSettings(c->drawingState());
    });
    connect(c, &LearningViewController::layerChanged, this, [this, &bar](int index, bool shown) {
        bar.layer(index)->setChecked(shown);
        m_commands.setChecked(kLayerCommands[size_t(index)], shown);
    });
    connect(c, &LearningViewController::zoomLevelChanged, this, [this](int level) {
        const QString name = zoomCommand(level);
        if (!name.isEmpty())
            m_commands.setChecked(name, true);
    });
    connect(c, &LearningViewController::numberingChanged, this,
            [this](int mode) { m_commands.setChecked(numberingCommand(mode), true); });

    bar.showStampPictures(c->drawingState().stamps);
    bar.showSettings(c->drawingState());
    bar.showTool(c->tool());
}

} // namespace quorvel
