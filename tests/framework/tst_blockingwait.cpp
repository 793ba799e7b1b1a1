#include "support/Dialogs.h"
#include "support/TestMain.h"

#include "framework/BlockingWait.h"
#include "framework/MessageBox.h"
#include "framework/SingleInstance.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLocalSocket>
#include <QMimeData>
#include <QShortcut>
#include <QSignalSpy>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Notes the kinds of input that reach it, one word each.
class CInputRecorder : public QWidget
{
public:
    CInputRecorder()
    {
        setAcceptDrops(true);
        setAttribute(Qt::WA_InputMethodEnabled);
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), this);
        shortcut->setContext(Qt::ApplicationShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] { m_log.append(QStringLiteral("shortcut")); });
        resize(100, 100);
    }

    QStringList m_log;

protected:
    bool event(QEvent* event) override
    {
        static const QHash<QEvent::Type, QString> words{
            {QEvent::KeyPress, QStringLiteral("key")},       {QEvent::MouseButtonPress, QStringLiteral("mouse")},
            {QEvent::Wheel, QStringLiteral("wheel")},        {QEvent::InputMethod, QStringLiteral("text")},
            {QEvent::DragEnter, QStringLiteral("drag")},     {QEvent::Drop, QStringLiteral("drop")},
            {QEvent::ContextMenu, QStringLiteral("menu")},   {QEvent::Close, QStringLiteral("close")},
        };
        if (words.contains(event->type()))
            m_log.append(words.value(event->type()));
        if (event->type() == QEvent::DragEnter)
            event->accept();
        return QWidget::event(event);
    }
};

// Gives widget one piece of input of the kind named.
void SendInput(const QString& kind, QWidget* widget)
{
    const QPointF centre(50, 50);
    if (kind == QLatin1String("key")) {
        QTest::keyClick(widget, Qt::Key_A);
    } else if (kind == QLatin1String("shortcut")) {
        QTest::keyClick(widget, Qt::Key_K, Qt::ControlModifier);
    } else if (kind == QLatin1String("mouse")) {
        QTest::mouseClick(widget, Qt::LeftButton);
    } else if (kind == QLatin1String("wheel")) {
        QWheelEvent wheel(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(widget, &wheel);
    } else if (kind == QLatin1String("text")) {
        QInputMethodEvent text;
        text.setCommitString(QStringLiteral("x"));
        QCoreApplication::sendEvent(widget, &text);
    } else if (kind == QLatin1String("drop")) {
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/page.html"))});
        QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &enter);
        QDropEvent drop(centre, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &drop);
    } else if (kind == QLatin1String("menu")) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, centre.toPoint());
        QCoreApplication::sendEvent(widget, &menu);
    } else if (kind == QLatin1String("close")) {
        // As the window system asks: through the native window, which asks
        // the widget.
        QCloseEvent close;
        QCoreApplication::sendEvent(widget->windowHandle(), &close);
    }
}

} // namespace

// The wait for an outside program: no input of any kind reaches the program's
// windows, no box opens inside it, and the wait ends when asked even if one
// did; messages, closes and files handed over come after it.
class TestBlockingWait : public QObject
{
    Q_OBJECT
private slots:
    void swallowsEveryInput();
    void nothingOpensABoxUntilTheEnd();
};

// Each kind of input as the window gets it without a wait, then what reaches
// it from a wait: nothing, but a close asked for during the wait, which
// closes the window once it is over.
void TestBlockingWait::swallowsEveryInput()
{
    CInputRecorder window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList received;
    for (const QString& kind : {"key", "shortcut", "mouse", "wheel", "text", "drop", "menu", "close"}) {
        window.m_log.clear();
        SendInput(kind, &window);
        const QString without = window.m_log.join(QLatin1Char(' '));
        window.m_log.clear();
        window.show();
        CBlockingWait wait;
        QTimer::singleShot(0, &window, [&] {
            SendInput(kind, &window);
            wait.Quit();
        });
        wait.Exec();
        QCoreApplication::processEvents();
        received << without + QStringLiteral(" / ") + window.m_log.join(QLatin1Char(' '))
                        + (window.isVisible() ? QString() : QStringLiteral(" closed"));
    }
    QCOMPARE(received.join(QStringLiteral(" | ")),
             QStringLiteral("key /  | key shortcut /  | mouse /  | wheel /  | text /  | drag drop /  | menu /  | "
                            "close / close closed"));
}

void TestBlockingWait::nothingOpensABoxUntilTheEnd()
{
    ZtTest::CMessageLog messages;
    CSingleInstance running;
    QVERIFY(running.Listen());
    QSignalSpy requested(&running, &CSingleInstance::filesRequested);
    QStringList during;

    CBlockingWait wait;
    QTimer::singleShot(0, this, [&] {
        const auto message = ZtMessageBox::Show(QStringLiteral("Compiled."));
        const auto question = ZtMessageBox::Show(QStringLiteral("Save?"), QMessageBox::Question,
                                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        const auto yesNo = ZtMessageBox::Show(QStringLiteral("Reload?"), QMessageBox::Question,
                                              QMessageBox::Yes | QMessageBox::No);
        during << QStringLiteral("message %1, question %2, yes-no %3, shown %4")
                      .arg(message == QMessageBox::Ok)
                      .arg(question == QMessageBox::Cancel)
                      .arg(yesNo == QMessageBox::No)
                      .arg(messages.texts.size());
        // A box that bypasses the message seam is turned away, and the quit
        // asked for while it is open still ends the wait.
        QMessageBox stray(QMessageBox::Warning, QString(), QStringLiteral("stray"), QMessageBox::Ok);
        QTimer::singleShot(0, this, [&] { wait.Quit(); });
        during << QStringLiteral("stray box rejected %1").arg(stray.exec() != QMessageBox::Ok);
    });
    wait.Exec();

    // Files handed over by "zentrel --open" during a wait: the running
    // program answers at once but opens them after it.
    QLocalSocket secondStart;
    CBlockingWait handOver;
    connect(&secondStart, &QLocalSocket::readyRead, this, [&] {
        during << QStringLiteral("files requested %1").arg(requested.size());
        handOver.Quit();
    });
    QTimer::singleShot(0, this, [&] {
        secondStart.connectToServer(CSingleInstance::ServerName());
        secondStart.write("/tmp/a.html\n\n");
    });
    handOver.Exec();

    QCOMPARE(during, (QStringList{"message 1, question 1, yes-no 1, shown 0", "stray box rejected 1",
                                  "files requested 0"}));
    QTRY_COMPARE(requested.size(), 1);
    QCOMPARE(requested.first().first().toStringList(), QStringList{"/tmp/a.html"});
    QCOMPARE(messages.texts, QStringList{"Compiled."});
}

ZT_TEST_MAIN(TestBlockingWait)
#include "tst_blockingwait.moc"
