#pragma once
// How the main window opens the site option editors and site services. Each is shown modally;
// the editors report a change by setting DialogState to 99.
#include <QString>

class QWidget;

// frm卷首语设置, the preface editor of cell 10, for the cell record in CellRecord (EditorKind 1).
void OpenPrefaceEditor(QWidget* parent);
// frm颜色设置, the colour dialog of one area, for the colour record in CellRecord.
void OpenColorDialog(QWidget* parent);
// frm背景音乐设置, the background-music editor, for the music record in CellRecord.
void OpenMusicEditor(QWidget* parent);
// frm注册域名, the domain registration; label (may be empty) goes into its own domain box.
void OpenDomainRegistration(QWidget* parent, const QString& label);
// frm网站加密, the home-page protection, on the record in frmDB::grdDB[13].
void OpenProtectionDialog(QWidget* parent);
// frm手机网站, the mobile-site preview.
void OpenMobileSitePreview(QWidget* parent);
