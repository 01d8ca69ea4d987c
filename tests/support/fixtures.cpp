#include "support/fixtures.h"

#include "platform/paths.h"
#include "platform/serviceconfig.h"
#include "platform/statereset.h"
#include "state/loginstate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

namespace {
std::unique_ptr<QTemporaryDir>& processRoot() {
    static std::unique_ptr<QTemporaryDir> d;
    return d;
}
}  // namespace

void ProcessEnvironment::SetUp() {
    processRoot() = std::make_unique<QTemporaryDir>();
    paths::SetDataRoot(processRoot()->path());
}

void ProcessEnvironment::TearDown() { processRoot().reset(); }

QStringList ScriptedPrompts::messages() const {
    QStringList out;
    for (const PromptRecord& r : m_records)
        if (r.kind == QLatin1String("msgbox")) out.append(r.text);
    return out;
}

int ScriptedPrompts::msgBox(const QString& text, int style, const QString& title) {
    m_records.append({QStringLiteral("msgbox"), text, style, title, QString()});
    if (!m_buttons.isEmpty()) return m_buttons.takeFirst();
    return FirstButton(style);
}

QString ScriptedPrompts::nextText() { return m_texts.isEmpty() ? QString() : m_texts.takeFirst(); }

QString ScriptedPrompts::inputBox(const QString& prompt, const QString& title, const QString&) {
    m_records.append({QStringLiteral("input"), prompt, 0, title, QString()});
    return nextText();
}
QString ScriptedPrompts::openFile(const QString& title, const QString& filter, const QString& dir) {
    m_records.append({QStringLiteral("open"), filter, 0, title, dir});
    return nextText();
}
QStringList ScriptedPrompts::openFiles(const QString& title, const QString& filter, const QString&) {
    m_records.append({QStringLiteral("openmany"), filter, 0, title, QString()});
    const QString t = nextText();
    return t.isEmpty() ? QStringList() : t.split(QLatin1Char('\n'));
}
QString ScriptedPrompts::saveFile(const QString& title, const QString& filter, const QString& dir) {
    m_records.append({QStringLiteral("save"), filter, 0, title, dir});
    return nextText();
}
QString ScriptedPrompts::browseFolder(const QString& title, const QString&) {
    m_records.append({QStringLiteral("folder"), QString(), 0, title, QString()});
    return nextText();
}
QColor ScriptedPrompts::chooseColor(const QColor&, const QString& title) {
    m_records.append({QStringLiteral("color"), QString(), 0, title, QString()});
    return m_colors.isEmpty() ? QColor() : m_colors.takeFirst();
}

void DataRootTest::SetUp() {
    m_dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(m_dir->isValid());
    paths::SetDataRoot(m_dir->path());
    serviceconfig::reload();
    // Every subsystem's module state back to its start, so one test never sees another's member.
    ResetAllState();
}

void DataRootTest::TearDown() {
    ResetAllState();
    if (processRoot()) paths::SetDataRoot(processRoot()->path());
    serviceconfig::reload();
    m_dir.reset();
}

void DataRootTest::loginAs(const QString& member) {
    CurrentUserName = member;
    UserFolder = paths::InRoot(QStringLiteral("UserData/") + member);
    QDir().mkpath(UserFolder);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

::testing::AssertionResult sameBytes(const QByteArray& expected, const QByteArray& actual) {
    if (expected == actual) return ::testing::AssertionSuccess();
    auto lines = [](const QByteArray& b) {
        QByteArray n = b;
        n.replace("\r\n", "\n");
        n.replace('\r', '\n');
        return n.split('\n');
    };
    const QList<QByteArray> e = lines(expected), a = lines(actual);
    for (int i = 0; i < qMax(e.size(), a.size()); ++i) {
        const QByteArray el = i < e.size() ? e[i] : QByteArray("<end>");
        const QByteArray al = i < a.size() ? a[i] : QByteArray("<end>");
        if (el != al)
            return ::testing::AssertionFailure()
                   << "first difference at line " << (i + 1) << "\n  expected: " << el.toStdString()
                   << "\n  actual:   " << al.toStdString();
    }
    return ::testing::AssertionFailure() << "the bytes differ only in line ends (expected "
                                         << expected.size() << " bytes, got " << actual.size() << ")";
}

QString testDataPath(const QString& relative) {
    // The source tree's tests folder, also when a test program runs outside ctest.
    return qEnvironmentVariable("TAVOLIN_TEST_DATA", QStringLiteral(TAVOLIN_TESTS_SOURCE_DIR)) + QLatin1Char('/') + relative;
}

}  // namespace testsupport
