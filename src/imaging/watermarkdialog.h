#pragma once
// The logic of the watermark and border settings dialog frm水印设置, apart from its window: what it
// opens with, how it saves (wab.dat and the two picture copies in the member's folder) and what it
// asks on closing. The window fills a WatermarkDialogView.
#include "imaging/watermarksettings.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

class VbError;

// Every hook is required.
struct WatermarkDialogView {
    // The watermark text box (its change handler follows, as for the member's typing).
    std::function<void(const QString&)> setText;
    // Fields 0 to 18 into the controls and hidden labels, each through its handler, in the
    // dialog's opening order; field 18 (the copy's extension) goes into the picture path label.
    std::function<void(const WatermarkSettings&)> showSettings;
    // Field 19 into the border label.
    std::function<void(bool)> setBorderFlag;
    // A saved copy shown in its preview; the labels stay as they are. An unreadable copy shows nothing.
    std::function<void(const QString& path)> showWatermarkCopy;
    std::function<void(const QString& path)> showBorderCopy;
    // The four placement routines: text horizontally and vertically, then the picture likewise.
    std::function<void()> placeAll;
    // The controls as the row's fields read them (fields 17 and 18 from the picture labels).
    std::function<WatermarkSettings()> settings;
    // The picture path label (a chosen file's path, or after opening the copy's extension) and the
    // border path label (a chosen file's path, or empty).
    std::function<QString()> pictureWatermarkPath;
    std::function<QString()> borderPath;
    std::function<bool()> saveEnabled;
    std::function<void(bool)> setSaveEnabled;
};

// The fonts the font list offers: every screen font name (fontnames.h) but those whose upper-case
// form holds "CPI" or "POINT".
QStringList WatermarkFontNames();
// The names a font list keeps of those given: none whose upper-case form holds "CPI" or "POINT".
QStringList WithoutPrinterFonts(const QStringList& names);
// The text the dialog is designed with: "www." + the service domain.
QString DesignedWatermarkText();
// The text of a first opening: the member's site host, "www." + the registered domain
// label + "." + the service domain; "www." + the service domain while no domain is registered.
QString DefaultWatermarkText();

// Opening, after the designed values: the member's saved settings (or the default text when there
// is no wab.dat), the saved copies, the placements; no unsaved changes afterwards.
void LoadWatermarkDialog(const WatermarkDialogView& view);
// Saves wab.dat and the copies of newly chosen pictures, then confirms; on a refused text or a
// failed read, write or copy it says so and leaves cmdSave enabled. True when saved.
bool SaveWatermarkDialog(const WatermarkDialogView& view);
// Closing: while there are unsaved changes, offers to save them. False when the member asked for
// the save and it failed: the dialog then stays open with the edits.
bool QueryUnloadWatermarkDialog(const WatermarkDialogView& view);

// A picture file for the preview; throws VbError 481 (invalid picture) when it cannot be read.
QImage LoadOverlayPicture(const QString& path);
// The dialog's error box: "错误：" + number + two carriage returns + description, title "错误提示".
void ShowWatermarkError(const VbError& e);
