// The about window: its texts and looks, what closes it and what does not,
// and its opening from the main window's status bar as a modal window.

#include "about.h"
#include "product.h"
#include "scripteddesktop.h"
#include "widgets.h"
#include "window.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace quorlen;

namespace {
const QStringList kLabels = {QStringLiteral("lblProductName"), QStringLiteral("Label1"),
                             QStringLiteral("lblWarning"),     QStringLiteral("Label4"),
                             QStringLiteral("lblCompany"),     QStringLiteral("Label2")};

QWidget* named(QWidget& window, const QString& name) {
    auto* widget = window.findChild<QWidget*>(name);
    QTEST_ASSERT(widget);
    return widget;
}

QStringList labelTexts(QWidget& window) {
    QStringList texts;
    for (const QString& name : kLabels)
        texts << static_cast<QLabel*>(named(window, name))->text();
    return texts;
}

// What each double-click on a status-bar panel brought up: the texts of the
// modal window found while it was open. It is closed with Esc; one that
// stays open is closed anyway and noted, so that no test hangs on it.
struct ModalWatch {
    QStringList texts;
    QRect geometry;
    bool closedByKey = false;
};

ModalWatch doubleClickPanel(Form1& window, int panel) {
    ModalWatch watch;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* about = qobject_cast<frmSplash*>(QApplication::activeModalWidget());
        if (!about)
            return;
        watch.texts = labelTexts(*about);
        watch.geometry = about->frameGeometry();
        QTest::keyClick(about, Qt::Key_Escape);
        watch.closedByKey = !about->isVisible();
        if (!watch.closedByKey)
            about->reject();
    });
    timer.start();
    QTest::mouseDClick(named(window, QStringLiteral("StatusBar1_%1").arg(panel)), Qt::LeftButton);
    QTest::qWait(50);
    return watch;
}
} // namespace

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void textsAndLooks_data();
    void textsAndLooks();
    void keysClose_data();
    void keysClose();
    void clicksClose_data();
    void clicksClose();
    void webAddressOpensAndStays();
    void marginDoesNothing();
    void onlyPanelThreeOpensIt();

private:
    QTemporaryDir* m_dir = nullptr;
    QString m_oldCurrent;
    ScriptedDesktop* m_desktop = nullptr;
    Form1* m_owner = nullptr;
    frmSplash* m_about = nullptr;
};

void TestAbout::init() {
    // The main window loads "default.txt" from the current folder; an empty
    // one keeps the tests apart from whatever lies where they run.
    m_oldCurrent = QDir::currentPath();
    m_dir = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_desktop = new ScriptedDesktop;
    m_owner = new Form1(*m_desktop);
    m_owner->show();
    m_about = new frmSplash(*m_desktop, m_owner);
    m_about->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_about));
}

void TestAbout::cleanup() {
    delete m_about;
    delete m_owner;
    delete m_desktop;
    QDir::setCurrent(m_oldCurrent);
    delete m_dir;
}

void TestAbout::textsAndLooks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("twips");
    QTest::newRow("program") << "lblProductName"
                             << "Tavrin" << QPoint(360, 480);
    QTest::newRow("version") << "Label1"
                             << "V1.2.1" << QPoint(480, 1080);
    QTest::newRow("author") << "lblWarning" << QStringLiteral("作者：") + kAuthor
                            << QPoint(2520, 480);
    QTest::newRow("e-mail") << "Label4" << QStringLiteral("E-mail:") + kEmail << QPoint(2520, 840);
    QTest::newRow("web") << "lblCompany" << kWebAddress << QPoint(2520, 1200);
    QTest::newRow("thanks") << "Label2" << QStringLiteral("感谢使用！有建议和需求请与我联系！")
                            << QPoint(960, 1680);
}

void TestAbout::textsAndLooks() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QPoint, twips);
    auto* label = static_cast<QLabel*>(named(*m_about, name));
    auto* frame = static_cast<QGroupBox*>(named(*m_about, QStringLiteral("Frame1")));
    QCOMPARE(label->text(), text);
    QCOMPARE(label->parentWidget(), frame);
    QCOMPARE(label->pos(), QPoint(common::px(twips.x()), common::px(twips.y())));
    // Whole, and inside the frame.
    QVERIFY(label->width() >= label->sizeHint().width());
    QVERIFY(label->height() >= label->sizeHint().height());
    QVERIFY(frame->rect().contains(label->geometry()));

    QCOMPARE(m_about->windowTitle(), QString());
    QCOMPARE(m_about->size(), QSize(common::px(5385), common::px(2355)));
    QCOMPARE(m_about->minimumSize(), m_about->maximumSize());
    QCOMPARE(frame->geometry(), common::twipsRect(120, 0, 5160, 2235));
    QCOMPARE(frame->title(), QString());
}

void TestAbout::keysClose_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::newRow("letter") << int(Qt::Key_A) << true;
    QTest::newRow("digit") << int(Qt::Key_7) << true;
    QTest::newRow("space") << int(Qt::Key_Space) << true;
    QTest::newRow("Enter") << int(Qt::Key_Return) << true;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << false;
    QTest::newRow("Alt alone") << int(Qt::Key_Alt) << false;
}

void TestAbout::keysClose() {
    QFETCH(int, key);
    QFETCH(bool, closes);
    QTest::keyClick(m_about, Qt::Key(key));
    QCOMPARE(m_about->isVisible(), !closes);
}

void TestAbout::clicksClose_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : kLabels)
        if (name != QStringLiteral("lblCompany"))
            QTest::newRow(qPrintable(name)) << name;
    QTest::newRow("blank part of the frame") << "Frame1";
}

void TestAbout::clicksClose() {
    QFETCH(QString, name);
    QWidget* target = named(*m_about, name);
    // The frame is clicked where no label lies: its bottom-right corner.
    const QPoint at = name == QStringLiteral("Frame1")
                          ? target->rect().bottomRight() - QPoint(common::px(120), common::px(120))
                          : target->rect().center();
    QCOMPARE(m_about->childAt(target->mapTo(m_about, at)), target);
    // A right click is no click; a left one closes.
    QTest::mouseClick(target, Qt::RightButton, {}, at);
    QVERIFY(m_about->isVisible());
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QVERIFY(!m_about->isVisible());
    QVERIFY(m_desktop->openedAddresses.isEmpty());
}

void TestAbout::webAddressOpensAndStays() {
    auto* link = static_cast<QLabel*>(named(*m_about, QStringLiteral("lblCompany")));
    QTest::mouseClick(link, Qt::LeftButton);
    QVERIFY(m_about->isVisible());
    QTest::mouseClick(link, Qt::LeftButton);
    QVERIFY(m_about->isVisible());
    QCOMPARE(m_desktop->openedAddresses, (QStringList{kWebAddress, kWebAddress}));
    // The address is the one the status bar shows, and looks like a link.
    QVERIFY(static_cast<QLabel*>(named(*m_owner, QStringLiteral("StatusBar1_1")))
                ->text()
                .endsWith(QLatin1Char(' ') + kWebAddress));
    QVERIFY(link->font().underline());
    QCOMPARE(link->font().pointSize(), 9);
    QCOMPARE(link->palette().color(QPalette::WindowText),
             link->palette().color(QPalette::Highlight));
    const QFont product = named(*m_about, QStringLiteral("lblProductName"))->font();
    QCOMPARE(product.pointSize(), 18);
    QVERIFY(product.bold());
}

void TestAbout::marginDoesNothing() {
    // Left of the frame, and below it.
    for (const QPoint at :
         {QPoint(common::px(60), common::px(1200)), QPoint(common::px(2700), common::px(2300))}) {
        QCOMPARE(m_about->childAt(at), nullptr);
        QTest::mouseClick(m_about, Qt::LeftButton, {}, at);
        QVERIFY(m_about->isVisible());
    }
}

void TestAbout::onlyPanelThreeOpensIt() {
    delete m_about;
    m_about = nullptr;
    for (int panel : {1, 2})
        QVERIFY(doubleClickPanel(*m_owner, panel).texts.isEmpty());

    const ModalWatch first = doubleClickPanel(*m_owner, 3);
    QCOMPARE(first.texts,
             (QStringList{QStringLiteral("Tavrin"), QStringLiteral("V1.2.1"),
                          QStringLiteral("作者：") + kAuthor, QStringLiteral("E-mail:") + kEmail,
                          kWebAddress, QStringLiteral("感谢使用！有建议和需求请与我联系！")}));
    QVERIFY(first.closedByKey);
    QVERIFY((first.geometry.center() - m_owner->frameGeometry().center()).manhattanLength() <= 2);
    QVERIFY(!QApplication::activeModalWidget());

    const ModalWatch again = doubleClickPanel(*m_owner, 3);
    QCOMPARE(again.texts, first.texts);
    QVERIFY(again.closedByKey);
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
