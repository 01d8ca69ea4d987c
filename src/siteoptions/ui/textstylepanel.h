#pragma once
// The text-style controls the music and preface editors share: the effect list, the font colour
// and back colour buttons with their swatches, and the "无" box for no back colour. The controls
// are children of the editor and sit in the editor's own layout (a grid or a row), so each editor
// keeps its geometry; the panel sets the hooks and connections both controllers take alike. An
// editor derives from it, so the controls are the editor's own members.
#include "platform/hookcheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QObject>
#include <QPushButton>

class QColor;
class QGridLayout;
class QHBoxLayout;
class QLabel;

class TextStylePanel {
public:
    QComboBox* cobTX1 = nullptr;
    QPushButton* cmdSetFontColor = nullptr;
    QLabel* labFontColor = nullptr;
    QPushButton* cmdSetFontBackColor = nullptr;
    QLabel* labFontBackColor = nullptr;
    QCheckBox* chkFontBackColor = nullptr;

protected:
    // Makes the controls, where the editor makes its other children so that they keep their
    // order; the editors word the back colour button differently.
    void createTextStyle(QWidget* parent, const QString& backColorCaption);

    // The captioned effect list and every colour control, left to right in one row.
    void addTextStyleToRow(QHBoxLayout* row);
    // The captioned effect list in two cells from (row, column); the colour controls in five.
    void addEffectToGrid(QGridLayout* grid, int row, int column);
    void addColorsToGrid(QGridLayout* grid, int row, int column);

    void showFontColor(const QColor& color);
    void setBackColorSwatch(const QColor& color);
    void showBackColorSwatch(bool shown);
    void setNoBackColor(bool ticked);  // without the box's handler
    void selectEffect(int entry);      // without the list's handler; out of range clears it
    int effect() const;

    // Sets the panel's hooks in a window's view (those the view has).
    template <class View>
    void setTextStyleHooks(View& v) {
        v.showFontColor = MemberHook(this, &TextStylePanel::showFontColor);
        v.setBackColorSwatch = MemberHook(this, &TextStylePanel::setBackColorSwatch);
        v.showBackColorSwatch = MemberHook(this, &TextStylePanel::showBackColorSwatch);
        v.setNoBackColor = MemberHook(this, &TextStylePanel::setNoBackColor);
        if constexpr (requires { v.selectEffect; }) v.selectEffect = MemberHook(this, &TextStylePanel::selectEffect);
        if constexpr (requires { v.effect; }) v.effect = MemberHook(this, &TextStylePanel::effect);
    }

    // Connects the controls to the controller's handlers, for as long as context lives.
    template <class Controller>
    void connectTextStyle(QObject* context, Controller& logic) {
        QObject::connect(cobTX1, &QComboBox::activated, context, [&logic](int entry) {
            if constexpr (requires { logic.cobTX1_Click(entry); })
                logic.cobTX1_Click(entry);
            else
                logic.cobTX1_Click();
        });
        QObject::connect(cmdSetFontColor, &QPushButton::clicked, context, [&logic] { logic.cmdSetFontColor_Click(); });
        QObject::connect(cmdSetFontBackColor, &QPushButton::clicked, context,
                         [&logic] { logic.cmdSetFontBackColor_Click(); });
        QObject::connect(chkFontBackColor, &QCheckBox::clicked, context,
                         [&logic](bool on) { logic.chkFontBackColor_Click(on); });
    }

private:
    QWidget* m_styleParent = nullptr;
};
