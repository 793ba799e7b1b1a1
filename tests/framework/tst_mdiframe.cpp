#include "support/TestMain.h"

#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/MDIChildWnd.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MdiTiler.h"
#include "framework/PaneCycle.h"
#include "framework/View.h"

#include <QDebug>
#include <QDockWidget>
#include <QListWidget>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A view that records the request it was opened with.
class CRecordingView : public QPlainTextEdit, public CView
{
public:
    QWidget* GetWidget() override { return this; }
    void OnOpenRequest(const COpenRequest& request) override { m_request = request; }
    COpenRequest m_request;
};

} // namespace

// New windows, cascades and the open request, on a main window of the
// framework alone.
class TestMdiFrame : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void windowsStayLargeAndInsideTheArea();
    void openRequestReachesFrameAndView();
    void paneKeysVisitTheWindowAndEachBarShown();

private:
    CDocument* Open(const COpenRequest& request = {});
    QList<QRect> VisibleGeometries() const;

    CMDIFrameWnd* m_frame = nullptr;
    CDocTemplate* m_template = nullptr;
};

void TestMdiFrame::init()
{
    m_frame = new CMDIFrameWnd;
    m_frame->resize(900, 700);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    m_template = new CDocTemplate(
        1, QStringLiteral("\nTest\nTest\nTest Files (*.tst)\n.tst\nTest.Document\nTest"),
        [] { return new CDocument; }, [] { return new CMDIChildWnd; }, [] { return new CRecordingView; });
    m_template->SetMainFrame(m_frame);
}

void TestMdiFrame::cleanup()
{
    m_template->CloseAllDocuments();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete m_template;
    delete m_frame;
}

CDocument* TestMdiFrame::Open(const COpenRequest& request)
{
    CDocument* document = m_template->OpenDocumentFile(request);
    QCoreApplication::processEvents();
    return document;
}

QList<QRect> TestMdiFrame::VisibleGeometries() const
{
    QList<QRect> geometries;
    for (CMDIChildWnd* child : m_frame->ChildFrames()) {
        if (child->isVisible())
            geometries.append(child->geometry());
    }
    return geometries;
}

void TestMdiFrame::windowsStayLargeAndInsideTheArea()
{
    // More windows than one cascade holds: the cascade starts again at the
    // top left instead of running off the bottom-right corner.
    const QRect area = m_frame->MdiArea()->viewport()->rect();
    for (int i = 0; i < 12; ++i)
        QVERIFY(Open());
    const QList<QRect> geometries = VisibleGeometries();
    QCOMPARE(geometries.size(), 12);
    for (const QRect& geometry : geometries) {
        QVERIFY2(area.contains(geometry), qPrintable(QDebug::toString(geometry)));
        QCOMPARE(geometry.size(), QSize(area.width() * 3 / 4, area.height() * 3 / 4));
    }
    QCOMPARE(geometries.at(1).topLeft() - geometries.at(0).topLeft(),
             QPoint(CMdiTiler::kCascadeStep, CMdiTiler::kCascadeStep));
    QVERIFY(!m_frame->MdiArea()->verticalScrollBar()->isVisible());

    // A cascade makes a small window and a maximised one large again.
    m_frame->ChildFrames().first()->setGeometry(700, 500, 150, 100);
    m_frame->ChildFrames().last()->showMaximized();
    m_frame->CascadeChildFrames();
    for (const QRect& geometry : VisibleGeometries()) {
        QVERIFY(area.contains(geometry));
        QVERIFY(geometry.width() >= area.width() * 3 / 4 && geometry.height() >= area.height() * 3 / 4);
    }
    // A tiny area still gets windows no larger than itself.
    const QRect small(0, 0, 300, 200);
    QCOMPARE(CMdiTiler::CascadeSlot(small, 3), small);
}

void TestMdiFrame::openRequestReachesFrameAndView()
{
    QList<CDocument*> created;
    connect(m_template, &CDocTemplate::documentCreated, this, [&created](CDocument* made) { created.append(made); });
    COpenRequest request;
    request.m_strPlacement = QStringLiteral("0,1,-1,-1,-1,-1,10,10,400,300");
    request.m_bSyntaxColoring = true;
    CDocument* document = Open(request);
    QCOMPARE(created, QList<CDocument*>{document});
    CMDIChildWnd* frame = document->Frames().first();
    QCOMPARE(frame->OpenRequest().m_strPlacement, request.m_strPlacement);
    auto* view = static_cast<CRecordingView*>(frame->GetActiveView());
    QVERIFY(view->m_request.m_bSyntaxColoring);

    // A request to open hidden gives a hidden window.
    COpenRequest hidden;
    hidden.m_bMakeVisible = false;
    QVERIFY(!Open(hidden)->Frames().first()->isVisible());
}

// F6 and Shift+F6 go round the active window and the bars shown, in the
// order the bars stand; each bar gets the keys where it had them last.
void TestMdiFrame::paneKeysVisitTheWindowAndEachBarShown()
{
    QPlainTextEdit* editor = qobject_cast<QPlainTextEdit*>(Open()->GetFirstView()->GetWidget());
    QVERIFY(editor);
    editor->setObjectName(QStringLiteral("editor"));
    const auto addBar = [this](Qt::DockWidgetArea side, QWidget* content) {
        auto* bar = new QDockWidget(m_frame);
        bar->setWidget(content);
        m_frame->addDockWidget(side, bar);
        return bar;
    };
    // Added right first: the order is where the bars stand, not when they came.
    auto* list = new QListWidget;
    list->setObjectName(QStringLiteral("list"));
    addBar(Qt::RightDockWidgetArea, list);
    auto* tabs = new QTabWidget;
    for (const char* name : {"project", "keywords"}) {
        auto* tree = new QTreeWidget;
        tree->setObjectName(QLatin1String(name));
        tabs->addTab(tree, QLatin1String(name));
    }
    // As in the program's bars, the tabs stand in a container of the bar's.
    auto* holder = new QWidget;
    (new QVBoxLayout(holder))->addWidget(tabs);
    addBar(Qt::LeftDockWidgetArea, holder);
    addBar(Qt::LeftDockWidgetArea, new QTreeWidget)->hide();
    QCoreApplication::processEvents();

    QString visited;
    const auto step = [&visited, this](bool bForward) {
        ZtPaneCycle::Step(m_frame, m_frame->MdiArea(), bForward);
        const QWidget* focus = QApplication::focusWidget();
        visited += (bForward ? QStringLiteral(" > ") : QStringLiteral(" < "))
                   + (focus ? focus->objectName() : QStringLiteral("none"));
    };
    m_frame->setFocus();
    step(true);
    step(true);
    step(true);
    step(true);
    step(false);
    // The second tab shown: the bar gives the keys to it, not to the hidden first.
    tabs->setCurrentIndex(1);
    step(false);
    QCOMPARE(visited, QStringLiteral(" > editor > project > list > editor < list < keywords"));
}

ZT_TEST_MAIN(TestMdiFrame)
#include "tst_mdiframe.moc"
