#include "support/TestMain.h"

#include "framework/ContextMenuKey.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
// A field that notes each context-menu request and where it came from.
class CRecordingEdit : public QLineEdit
{
public:
    QStringList m_requests;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        m_requests << (event->reason() == QContextMenuEvent::Keyboard ? QStringLiteral("keyboard")
                                                                      : QStringLiteral("mouse"));
    }
};
} // namespace

// Shift+F10 asks the focused widget for its context menu, once, as the
// Menu key would; other F10 combinations pass through.
class TestContextMenuKey : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { CContextMenuKey::Install(QApplication::instance()); }
    void shiftF10RequestsTheMenu_data();
    void shiftF10RequestsTheMenu();
};

void TestContextMenuKey::shiftF10RequestsTheMenu_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QStringList>("requests");
    QTest::newRow("Shift+F10") << int(Qt::ShiftModifier) << QStringList{"keyboard"};
    QTest::newRow("F10") << int(Qt::NoModifier) << QStringList();
    QTest::newRow("Ctrl+Shift+F10") << int(Qt::ControlModifier | Qt::ShiftModifier) << QStringList();
}

void TestContextMenuKey::shiftF10RequestsTheMenu()
{
    QFETCH(int, modifiers);
    QFETCH(QStringList, requests);
    QWidget window;
    auto* edit = new CRecordingEdit;
    (new QVBoxLayout(&window))->addWidget(edit);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_F10, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(edit->m_requests, requests);
}

ZT_TEST_MAIN(TestContextMenuKey)
#include "tst_contextmenukey.moc"
