#pragma once
// The template chooser: the service's template gallery in a browser, the member's keep-my-own
// choices, the preview of the chosen template as a whole-site page, and its apply to the site.
#include "site/publishsite.h"
#include "site/templateload.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QColor;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QResizeEvent;
class WebBrowser;

// The repaint after an applied template: every cell browser, then the four background browsers
// reload their pages; then the canvas and its viewport take TemplateCanvasColor().
void RefreshMainWindowAfterTemplate();

// No Q_OBJECT: moc cannot read the name.
class TemplateChooserWindow : public QDialog {
public:
    explicit TemplateChooserWindow(QWidget* parent = nullptr);

    WebBrowser* webMB = nullptr;
    QCheckBox* cheQJ = nullptr;
    QCheckBox* cheBJ = nullptr;
    QCheckBox* cheTxt = nullptr;
    QCheckBox* cheMusic = nullptr;
    QPushButton* cmdView = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QWidget* picNetToService = nullptr;
    QProgressBar* Image1 = nullptr;  // the moving please-wait picture
    QLabel* Label8 = nullptr;
    QGroupBox* fraSM = nullptr;
    QLabel* Label1[5] = {};  // all but Label1[3] are used

    void Form_Load();
    void Form_Resize();
    void cmdView_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    // The check boxes as keep rules.
    TemplateKeepRules keepRules() const;
    // What the template apply does to this window.
    TemplateChooserWindowView view();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    bool LoadChosenTemplate(const QString& nothingChosenMessage);
    void ApplyTemplateToSite();
    // The template apply's view hooks.
    void showWait();
    void hideWait();
    void unloadAfterApply();
};
using frm网站模板 = TemplateChooserWindow;  // 网站模板 template chooser
