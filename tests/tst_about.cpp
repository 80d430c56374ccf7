// The about window: its texts and looks, what closes it and what does not,
// and its opening from the main window's status bar as a modal window.

#include "about.h"
#include "product.h"
#include "window.h"
#include "windowdriver.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <QtTest>

using namespace quorlen;
using namespace Qt::StringLiterals;
using common::px;

namespace {
const QStringList kLabels{"lblProductName", "Label1",     "lblWarning",
                          "Label4",         "lblCompany", "Label2"};
const QStringList kTexts{"Tavrin",           "V1.2.1",    "作者：" + kAuthor,
                         "E-mail:" + kEmail, kWebAddress, "感谢使用！有建议和需求请与我联系！"};

QStringList labelTexts(QWidget& window) {
    QStringList texts;
    for (const QString& name : kLabels)
        texts << child<QLabel>(window, name)->text();
    return texts;
}

// Double-clicks a status-bar panel and returns what came up modally: the
// about window's texts and whether it stood centred on the main window. It
// is closed with Esc, or anyway, noted, so that no test hangs on it.
QStringList doubleClickPanel(Form1& window, int panel) {
    QStringList seen;
    QTimer::singleShot(10, [&] {
        auto* about = qobject_cast<frmSplash*>(QApplication::activeModalWidget());
        if (!about)
            return;
        const QPoint off = about->frameGeometry().center() - window.frameGeometry().center();
        seen = labelTexts(*about) << (off.manhattanLength() <= 2 ? "centred" : "off centre");
        QTest::keyClick(about, Qt::Key_Escape);
        if (about->isVisible()) {
            seen << "not closed by Esc";
            about->reject();
        }
    });
    QTest::mouseDClick(child(window, u"StatusBar1_%1"_s.arg(panel)), Qt::LeftButton);
    QTest::qWait(50);
    return seen;
}
} // namespace

// The about window over the main window, both shown.
struct AboutOverMain : Shown<Form1> {
    frmSplash* about = new frmSplash(desktop, &window);
    AboutOverMain() {
        about->show();
        if (!QTest::qWaitForWindowExposed(about))
            qFatal("the about window is not shown");
    }
};

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void textsAndLooks();
    void keysClose();
    void clicks_data();
    void clicks();
    void onlyPanelThreeOpensIt();
};

void TestAbout::textsAndLooks() {
    AboutOverMain w;
    QCOMPARE(labelTexts(*w.about), kTexts);
    auto* frame = child<QGroupBox>(*w.about, u"Frame1"_s);
    const QList<QPoint> twips{{360, 480},  {480, 1080},  {2520, 480},
                              {2520, 840}, {2520, 1200}, {960, 1680}};
    for (int i = 0; i < kLabels.size(); ++i) {
        auto* label = child<QLabel>(*w.about, kLabels[i]);
        QCOMPARE(label->parentWidget(), frame);
        QCOMPARE(label->pos(), QPoint(px(twips[i].x()), px(twips[i].y())));
        // Whole, and inside the frame.
        QVERIFY(label->width() >= label->sizeHint().width());
        QVERIFY(label->height() >= label->sizeHint().height());
        QVERIFY(frame->rect().contains(label->geometry()));
    }
    QCOMPARE(w.about->windowTitle(), QString());
    QCOMPARE(w.about->size(), QSize(px(5385), px(2355)));
    QCOMPARE(w.about->minimumSize(), w.about->maximumSize());
    QCOMPARE(frame->geometry(), common::twipsRect(120, 0, 5160, 2235));
    QCOMPARE(frame->title(), QString());

    const QFont product = child(*w.about, u"lblProductName"_s)->font();
    QCOMPARE(product.pointSize(), 18);
    QVERIFY(product.bold());
    // The web address is the status bar's, and looks like a link.
    QVERIFY(child<QLabel>(w.window, u"StatusBar1_1"_s)->text().endsWith(' ' + kWebAddress));
    auto* link = child<QLabel>(*w.about, u"lblCompany"_s);
    QVERIFY(link->font().underline());
    QCOMPARE(link->font().pointSize(), 9);
    QCOMPARE(link->palette().color(QPalette::WindowText),
             link->palette().color(QPalette::Highlight));
}

// Any key closes it, but a modifier alone does not.
void TestAbout::keysClose() {
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Shift}) {
        AboutOverMain w;
        QTest::keyClick(w.about, key);
        QCOMPARE(w.about->isVisible(), key == Qt::Key_Shift);
    }
}

void TestAbout::clicks_data() {
    QTest::addColumn<QString>("name"); // the widget clicked
    QTest::addColumn<QPoint>("twips"); // where in it; its centre when null
    QTest::addColumn<bool>("closes");
    for (const QString& name : kLabels)
        if (name != u"lblCompany"_s)
            QTest::newRow(qPrintable(name)) << name << QPoint() << true;
    // The web address opens, and again on a second click, and the window stays.
    QTest::newRow("web address") << "lblCompany" << QPoint() << false;
    QTest::newRow("blank part of the frame") << "Frame1" << QPoint(5040, 2115) << true;
    QTest::newRow("margin left of the frame") << "frmSplash" << QPoint(60, 1200) << false;
    QTest::newRow("margin below the frame") << "frmSplash" << QPoint(2700, 2300) << false;
}

void TestAbout::clicks() {
    QFETCH(QString, name);
    QFETCH(QPoint, twips);
    QFETCH(bool, closes);
    AboutOverMain w;
    QWidget* target = name == u"frmSplash"_s ? w.about : child(*w.about, name);
    const QPoint at =
        twips.isNull() ? target->rect().center() : QPoint(px(twips.x()), px(twips.y()));
    // Nothing else lies where the click goes.
    QCOMPARE(w.about->childAt(target->mapTo(w.about, at)), target == w.about ? nullptr : target);
    // A right click is no click.
    QTest::mouseClick(target, Qt::RightButton, {}, at);
    QVERIFY(w.about->isVisible());
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QCOMPARE(w.about->isVisible(), !closes);
    if (!closes)
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QCOMPARE(w.about->isVisible(), !closes);
    const int opened = name == u"lblCompany"_s ? 2 : 0;
    QCOMPARE(w.desktop.openedAddresses, QStringList(opened, kWebAddress));
}

void TestAbout::onlyPanelThreeOpensIt() {
    Shown<Form1> q;
    for (int panel : {1, 2})
        QVERIFY(doubleClickPanel(q.window, panel).isEmpty());
    // Modal, centred, and the same each time it opens.
    for (int time = 0; time < 2; ++time) {
        QCOMPARE(doubleClickPanel(q.window, 3), kTexts + QStringList{"centred"});
        QVERIFY(!QApplication::activeModalWidget());
    }
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
