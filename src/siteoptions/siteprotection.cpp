#include "siteoptions/siteprotection.h"

#include "foundation/servicecall.h"
#include "foundation/shareddata.h"
#include "mainwindow/commands.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

#include <QRandomGenerator>

namespace {

const QString kTitle = QStringLiteral("提示");
const QString kEndpoint = QStringLiteral("wwwser003");
constexpr int kProtectionGrid = 13;
constexpr int kRecordColumns = 11;
// Row 1 of the record: the state, the question and the answer.
constexpr int kRecordRow = 1;
constexpr int kStateColumn = 1;
constexpr int kQuestionColumn = 4;
constexpr int kAnswerColumn = 5;

Grid& ProtectionGrid() { return frmDB::grdDB[kProtectionGrid]; }

void Message(const QString& text) { MsgBox(text, vbInformation, kTitle); }

}  // namespace

const QStringList& ProtectionQuestions() {
    static const QStringList questions{
        QStringLiteral("请您说出我的真实姓名。"),
        QStringLiteral("请您说出我的手机号码。"),
        QStringLiteral("请您说出我的生日（格式如：12月1日）。"),
        QStringLiteral("请您说出我所居住的城市及区划（格式如：某某市某某区）。"),
        QStringLiteral("请您说出我现在所上的学校的全名。"),
        QStringLiteral("请您说出我现在所工作的单位的全名。"),
        QStringLiteral("如果您认识我，请您找我索要答案。"),
        kCustomQuestionEntry,
    };
    return questions;
}

QString NewSiteKey() {
    // Every key of the form is equally likely: the key guards the site and travels in page
    // addresses, so it must not be guessable from a small set.
    return QString::number(QRandomGenerator::system()->generate(), 16).rightJustified(8, QLatin1Char('0'));
}

void SiteProtectionController::Form_Load() {
    if (!ProtectionRecordRead()) {
        CALL_REQUIRED_HOOK(view.setState, kProtectionUnknown);
        return;
    }
    const Grid& grid = ProtectionGrid();
    const QString state = grid.value(kRecordRow, kStateColumn);
    if (state == QLatin1String("1")) {
        CALL_REQUIRED_HOOK(view.setState, kProtectionOn);
        CALL_REQUIRED_HOOK(view.enableNotEncryption, true);
    } else if (state == QLatin1String("0")) {
        CALL_REQUIRED_HOOK(view.setState, kProtectionOff);
    } else {
        CALL_REQUIRED_HOOK(view.setState, kProtectionUnknown);
    }
    CALL_REQUIRED_HOOK(view.setQuestionText, grid.value(kRecordRow, kQuestionColumn));
    CALL_REQUIRED_HOOK(view.setAnswerText, grid.value(kRecordRow, kAnswerColumn));
}

void SiteProtectionController::cobQuestion_Click() {
    const bool custom = AskRequiredHook(view.questionText) == kCustomQuestionEntry;
    CALL_REQUIRED_HOOK(view.showCustomQuestion, custom);
    if (custom) CALL_REQUIRED_HOOK(view.focusCustomQuestion);
    else CALL_REQUIRED_HOOK(view.focusAnswer);
}

void SiteProtectionController::cmdDIY_Click() {
    CALL_REQUIRED_HOOK(view.showCustomQuestion, true);
    CALL_REQUIRED_HOOK(view.focusCustomQuestion);
}

void SiteProtectionController::cmdEncryption_Click() {
    // While the custom box is shown its text, not the list's, is the question.
    const bool custom = AskRequiredHook(view.customQuestionShown);
    const QString question =
        vb::Trim(custom ? AskRequiredHook(view.customQuestionText) : AskRequiredHook(view.questionText));
    if (question.isEmpty()) {
        Message(QStringLiteral("问题不能为空，请设置问题后再继续..."));
        if (custom) CALL_REQUIRED_HOOK(view.focusCustomQuestion);
        else CALL_REQUIRED_HOOK(view.focusQuestion);
        return;
    }
    const QString answer = vb::Trim(AskRequiredHook(view.answerText));
    if (answer.isEmpty()) {
        Message(QStringLiteral("答案不能为空，请设置答案后再继续..."));
        return;
    }
    CALL_REQUIRED_HOOK(view.enableEncryption, false);

    // The whole site goes out once more with the new key, on the protection service; the
    // published state and the PublishedColumn are not the switch-on's business.
    QString oldKey;
    PublishVariant v;
    v.domainTest = false;
    v.changeTest = false;
    v.markPublished = false;
    v.endpoint = kEndpoint;
    v.method = QStringLiteral("WebsiteEncryption");
    v.argument11 = question;
    v.argument12 = answer;
    v.writeChanges = [&oldKey] {
        oldKey = LoginField(15);
        SetLoginField(15, NewSiteKey());
    };
    REQUIRE_HOOK(view.showWait);
    REQUIRE_HOOK(view.hideWait);
    v.showWait = view.showWait;
    v.hideWait = view.hideWait;
    v.accepted = [this, &question, &answer](const QString&) {
        CALL_REQUIRED_HOOK(view.setState, kProtectionOn);
        // A record never read in this run is made here, so the next opening shows the new state.
        Grid& grid = ProtectionGrid();
        if (!ProtectionRecordRead()) {
            grid.setCols(kRecordColumns);
            grid.set(kRecordRow, 0, LoginField(6));
        }
        grid.set(kRecordRow, kStateColumn, QStringLiteral("1"));
        grid.set(kRecordRow, kQuestionColumn, question);
        grid.set(kRecordRow, kAnswerColumn, answer);
        CALL_REQUIRED_HOOK(view.enableNotEncryption, true);
        Message(QStringLiteral("网站加密成功！"));
        CALL_REQUIRED_HOOK(view.close);
    };
    v.refused = [&oldKey](const QString&) {
        SetLoginField(15, oldKey);
        Message(QStringLiteral("网站加密失败！请您稍后再试...\r\r注：若加密失败后出现域名无法正常访问则请稍后再重新加密。"));
    };
    PublishSiteSettings(v);
    CALL_REQUIRED_HOOK(view.enableEncryption, true);
}

void SiteProtectionController::cmdNotEncryption_Click() {
    CALL_REQUIRED_HOOK(view.showWait);
    CALL_REQUIRED_HOOK(view.enableNotEncryption, false);
    QString reply;
    try {
        reply = ServiceCall(kEndpoint, QStringLiteral("WebsiteNotEncryption"),
                            {CurrentUserName, LoginField(5), LoginField(6)});
    } catch (const VbError& e) {
        CALL_REQUIRED_HOOK(view.hideWait);
        ReportServiceError(e);
        CALL_REQUIRED_HOOK(view.enableNotEncryption, true);
        return;
    }
    CALL_REQUIRED_HOOK(view.hideWait);
    if (reply == kOK_0001) {
        ProtectionGrid().set(kRecordRow, kStateColumn, QStringLiteral("0"));
        CALL_REQUIRED_HOOK(view.setState, kProtectionOff);
        SetLoginField(15, QString());
        Message(QStringLiteral("“取消加密”成功！"));
    } else {
        Message(QStringLiteral("“取消加密”失败！请您稍后再试...\r\r注：若“取消加密”失败后出现域名无法正常访问则请稍后再重新取消加密。"));
        CALL_REQUIRED_HOOK(view.enableNotEncryption, true);
    }
}
