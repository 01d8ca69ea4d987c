#pragma once
// The home-page protection dialog: the protection's state, a question from the list or one of the
// member's own, the answer, and the commands that switch the protection on and off. Opened by the
// main window's protection button on the record it loaded into frmDB::grdDB[13].
#include "siteoptions/siteprotection.h"

#include <QDialog>

#include <memory>

class PleaseWait;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// No Q_OBJECT: moc cannot read the name.
class SiteProtectionWindow : public QDialog {
public:
    explicit SiteProtectionWindow(QWidget* parent = nullptr);
    ~SiteProtectionWindow() override;

    QLabel* labEncryption = nullptr;
    QComboBox* cobQuestion = nullptr;
    QLabel* labMyQuestion = nullptr;
    QLineEdit* txtMyQuestion = nullptr;
    QLineEdit* txtAnswer = nullptr;
    QPushButton* cmdDIY = nullptr;
    QPushButton* cmdEncryption = nullptr;
    QPushButton* cmdNotEncryption = nullptr;
    QPushButton* cmdBack = nullptr;
    QWidget* picNetToService = nullptr;

    // The logic, with the hooks this window set.
    SiteProtectionController logic;

    void Form_Load() { logic.Form_Load(); }
    void cobQuestion_Click() { logic.cobQuestion_Click(); }
    void cmdDIY_Click() { logic.cmdDIY_Click(); }
    void cmdEncryption_Click() { logic.cmdEncryption_Click(); }
    void cmdNotEncryption_Click() { logic.cmdNotEncryption_Click(); }
    void cmdBack_Click() { close(); }

private:
    // The logic's view: each hook served by the member of its name (close by closeDone).
    void wireView();
    void setState(const QString& state);
    void enableEncryption(bool on);
    void enableNotEncryption(bool on);
    QString questionText() const;
    void setQuestionText(const QString& text);
    bool customQuestionShown() const;
    void showCustomQuestion(bool on);
    QString customQuestionText() const;
    QString answerText() const;
    void setAnswerText(const QString& text);
    void focusQuestion();
    void focusCustomQuestion();
    void focusAnswer();
    void showWait();
    void hideWait();
    void closeDone();

    std::unique_ptr<PleaseWait> m_wait;
};
using frm网站加密 = SiteProtectionWindow;  // 网站加密 home-page protection
