#pragma once
// The description editor 修改图片描述信息: the cell's thumbnail, its description, a new one of at
// most 30 bytes, stored by OK.
#include "hostedfiles/descriptioneditor.h"
#include "platform/defaultinstance.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class DescriptionEditorWindow : public QDialog, public DefaultInstance<DescriptionEditorWindow> {
public:
    explicit DescriptionEditorWindow(QWidget* parent = nullptr);

    DescriptionEditorController logic;

    QFrame* picView = nullptr;
    QLabel* imgView = nullptr;
    QLabel* labMemo = nullptr;
    QLineEdit* txtMemo = nullptr;
    QLabel* labWordLen = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCloseUpload = nullptr;
    QFrame* picWait = nullptr;

private:
    void wireView();

    // ---- the view's hooks
    QString memoText() const;
    void setMemoText(const QString& s);
    void setWordLen(const QString& s);
    void focusMemoAtEnd();
    void showWait(bool on);
    static void setManagerMemo(int index, const QString& text);
};
using frm修改描述信息 = DescriptionEditorWindow;  // 修改图片描述信息 description editor
