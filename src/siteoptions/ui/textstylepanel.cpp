#include "siteoptions/ui/textstylepanel.h"

#include "siteoptions/musicsettings.h"
#include "siteoptions/ui/colorswatch.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace {

// The caption is made where the editor lays the list out, so the editor's children keep their order.
QLabel* NewEffectCaption(QWidget* parent) { return new QLabel(QStringLiteral("艺术字"), parent); }

}  // namespace

void TextStylePanel::createTextStyle(QWidget* parent, const QString& backColorCaption) {
    m_styleParent = parent;
    cobTX1 = new QComboBox(parent);  // a drop-down list: no typing
    cobTX1->addItems(MusicEffectList());  // both editors offer the same effects
    cobTX1->setCurrentIndex(-1);
    cmdSetFontColor = new QPushButton(QStringLiteral("字体颜色"), parent);
    labFontColor = NewSwatch(parent);
    cmdSetFontBackColor = new QPushButton(backColorCaption, parent);
    labFontBackColor = NewSwatch(parent);
    chkFontBackColor = new QCheckBox(QStringLiteral("无"), parent);
}

void TextStylePanel::addTextStyleToRow(QHBoxLayout* row) {
    row->addWidget(NewEffectCaption(m_styleParent));
    row->addWidget(cobTX1);
    for (QWidget* w : {static_cast<QWidget*>(cmdSetFontColor), static_cast<QWidget*>(labFontColor),
                       static_cast<QWidget*>(cmdSetFontBackColor), static_cast<QWidget*>(labFontBackColor),
                       static_cast<QWidget*>(chkFontBackColor)})
        row->addWidget(w);
}

void TextStylePanel::addEffectToGrid(QGridLayout* grid, int row, int column) {
    grid->addWidget(NewEffectCaption(m_styleParent), row, column);
    grid->addWidget(cobTX1, row, column + 1);
}

void TextStylePanel::addColorsToGrid(QGridLayout* grid, int row, int column) {
    grid->addWidget(cmdSetFontColor, row, column);
    grid->addWidget(labFontColor, row, column + 1);
    grid->addWidget(cmdSetFontBackColor, row, column + 2);
    grid->addWidget(labFontBackColor, row, column + 3);
    grid->addWidget(chkFontBackColor, row, column + 4);
}

void TextStylePanel::showFontColor(const QColor& color) {
    SetSwatchColor(labFontColor, color);
    labFontColor->show();
}

void TextStylePanel::setBackColorSwatch(const QColor& color) { SetSwatchColor(labFontBackColor, color); }

void TextStylePanel::showBackColorSwatch(bool shown) { labFontBackColor->setVisible(shown); }

void TextStylePanel::setNoBackColor(bool ticked) {
    const QSignalBlocker block(chkFontBackColor);
    chkFontBackColor->setChecked(ticked);
}

void TextStylePanel::selectEffect(int entry) {
    const QSignalBlocker block(cobTX1);
    cobTX1->setCurrentIndex(entry >= 0 && entry < cobTX1->count() ? entry : -1);
}

int TextStylePanel::effect() const { return cobTX1->currentIndex(); }
