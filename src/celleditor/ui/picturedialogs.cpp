#include "celleditor/ui/picturedialogs.h"

#include "celleditor/picturesources.h"
#include "foundation/settings.h"
#include "imaging/ui/imaging_entry.h"
#include "state/imagingstate.h"
#include "state/sitestate.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

PictureSizeDialog::PictureSizeDialog(bool foreground, QWidget* parent) : QDialog(parent) {
    const PictureSizeDialogTexts t = SizeDialogTexts(foreground, CellRecord.value(1), CellRecord.value(2));
    setWindowTitle(t.caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Label1 = new QLabel(t.label1, this);
    Label1->setWordWrap(true);
    Opt1 = new QRadioButton(t.opt1, this);
    Opt1->setChecked(true);
    Option2 = new QRadioButton(t.option2, this);
    Label2 = new QLabel(kSizeDialogNote, this);
    cmdSelect = new QPushButton(QStringLiteral("&Y.确 定"), this);
    cmdCancel = new QPushButton(QStringLiteral("&C.取 消"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSelect);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Opt1), static_cast<QWidget*>(Option2),
                       static_cast<QWidget*>(Label2)})
        layout->addWidget(w);
    layout->addLayout(buttons);
    setProperty("cropMode", int(t.cropMode));
    connect(cmdSelect, &QPushButton::clicked, this, [this] { cmdSelect_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void PictureSizeDialog::cmdSelect_Click() {
    // Option2 keeps the chosen file as the cell's picture, tiled or drawn at the boxes' size.
    m_crop = Opt1->isChecked();
    accept();
}

bool OfferPictureCrop(bool foreground, QWidget* parent) {
    PictureSizeDialog dialog(foreground, parent);
    dialog.exec();
    if (!dialog.cropChosen()) return false;
    CropTargetMode = static_cast<qint16>(dialog.property("cropMode").toInt());
    OpenCropDialog(parent);
    return CropTargetMode == 99;
}

ForegroundAdviceDialog::ForegroundAdviceDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(kAdviceCaption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    for (const QString& text : {kAdviceIntro, kAdvice1, kAdvice2, kAdviceQuestion}) {
        auto* label = new QLabel(text, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    chkIKnow = new QCheckBox(kAdviceIKnow, this);
    Command1 = new QPushButton(QStringLiteral("&Q.取消更换前景图操作"), this);
    cmdContinue = new QPushButton(QStringLiteral("&C.继续更换前景图操作"), this);
    layout->addWidget(chkIKnow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(cmdContinue);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cmdContinue, &QPushButton::clicked, this, [this] { cmdContinue_Click(); });
}

void ForegroundAdviceDialog::rememberChoice() {
    if (chkIKnow->isChecked()) SetUserSetting(UcsHintForegroundReplace, QStringLiteral("1"));
}

void ForegroundAdviceDialog::cmdContinue_Click() {
    rememberChoice();
    DialogState = 99;
    accept();
}

void ForegroundAdviceDialog::Command1_Click() {
    rememberChoice();
    reject();
}
