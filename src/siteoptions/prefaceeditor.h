#pragma once
// The work of the preface editor frm卷首语设置, apart from its window: the load of the style and
// the letter, the colour, effect and background handlers, the apply through the publish dialog,
// and the reset. The letter's own rules are in prefaceletter.h.
#include "site/publishsite.h"
#include "platform/hookcheck.h"
#include "siteoptions/prefaceletter.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// What the logic does to its window. Every hook is required (platform/hookcheck.h).
struct PrefaceEditorView {
    std::function<QStringList()> lines;                // the eight txtLetter texts
    std::function<void(const QStringList&)> setLines;  // without the line handler
    std::function<void(int line, int position)> focusLine;
    std::function<void(int)> selectEffect;  // cobTX1's entry, without its handler
    std::function<int()> effect;            // cobTX1's entry, -1 none
    std::function<void(const QColor&)> showFontColor;  // labFontColor, shown
    std::function<void(const QColor&)> setBackColorSwatch;
    std::function<void(bool)> showBackColorSwatch;  // labFontBackColor
    std::function<void(bool)> setNoBackColor;       // chkFontBackColor, without its handler
    std::function<void(bool)> enableEdits;          // cmdOK and cmdReSet
    std::function<void(const QString&)> setBackgroundPath;  // txtBJ
    std::function<void()> navigatePreview;  // webView to setpic.html
    std::function<void()> refreshPreview;   // webView "Refresh"
    // The colour dialog on the preset grey: the chosen colour, nothing when cancelled.
    std::function<std::optional<QColor>()> chooseColor;
    // The picture file dialog: the chosen path, nothing when cancelled.
    std::function<std::optional<QString>()> choosePictureFile;
    // frm背景图片设置 and, when chosen there, the crop in mode 0 (grb10.jpg).
    std::function<void()> offerCrop;
    // frm素材, modal; fresh: its page is loaded anew (another editor's target may be open).
    std::function<void(bool fresh)> showMaterials;
    std::function<PublishOutcome()> showPublishDialog;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("lines", bool(lines));
        f("setLines", bool(setLines));
        f("focusLine", bool(focusLine));
        f("selectEffect", bool(selectEffect));
        f("effect", bool(effect));
        f("showFontColor", bool(showFontColor));
        f("setBackColorSwatch", bool(setBackColorSwatch));
        f("showBackColorSwatch", bool(showBackColorSwatch));
        f("setNoBackColor", bool(setNoBackColor));
        f("enableEdits", bool(enableEdits));
        f("setBackgroundPath", bool(setBackgroundPath));
        f("navigatePreview", bool(navigatePreview));
        f("refreshPreview", bool(refreshPreview));
        f("chooseColor", bool(chooseColor));
        f("choosePictureFile", bool(choosePictureFile));
        f("offerCrop", bool(offerCrop));
        f("showMaterials", bool(showMaterials));
        f("showPublishDialog", bool(showPublishDialog));
    }
};

class PrefaceEditorController {
public:
    PrefaceEditorView view;

    // The style and the letter from CellRecord, the defaults, a new PendingPictures.
    void Form_Load();
    bool loaded() const { return m_loaded; }

    void txtLetter_Change(int line);
    // The caret move of a cursor key; true when the caret went to another line.
    bool txtLetter_KeyDown(int line, int key, int position);

    void cmdSearchBJ_Click();
    void CmdBJSC_Click();
    void cmdDelBJ_Click();
    void cmdSetFontColor_Click();
    void cmdSetFontBackColor_Click();
    void chkFontBackColor_Click(bool ticked);
    void cobTX1_Click();
    void cmdView_Click();
    void cmdClearLetter_Click();
    // True when the site took the edit: the window's buttons are then disabled.
    bool cmdOK_Click();
    void cmdReSet_Click();

    // PrefaceStyle: fields 0 to 12 of the style text, 15 entries.
    const QStringList& style() const { return m_style; }
    QString labSetPic15;  // the back colour kept while "无" is ticked

private:
    void edited();  // cmdOK and cmdReSet enabled
    // chkFontBackColor set by the program: runs the box's handling only when its state changes,
    // and an untick keeps field 6 as just set.
    void setNoBackColor(bool ticked);
    LetterStyle letterStyle() const;
    void keepLetterStyle(const LetterStyle& s);
    void refreshPreview();

    bool m_loaded = false;
    bool m_noBackColor = false;  // chkFontBackColor, unticked at design
    QStringList m_style;
};

// The cell's style text as the apply writes it (nineteen fields).
QString PrefaceStyleText(const QStringList& style, int effect);
