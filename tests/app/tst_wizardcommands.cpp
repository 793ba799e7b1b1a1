#include "support/AppTestMain.h"

#include "app/WizardCommands.h"
#include "editor/PlainTextDoc.h"
#include "editor/SyntaxColorizer.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "framework/CommandRouter.h"
#include "files/UserDataFolders.h"
#include "framework/MDIChildWnd.h"
#include "framework/RecentFileList.h"
#include "wizards/AlignWizDlg.h"
#include "wizards/BodyWizDlg.h"
#include "wizards/ColorWizDlg.h"
#include "wizards/FileButton.h"
#include "wizards/FontWizDlg.h"
#include "wizards/ImageWizDlg.h"
#include "wizards/ListWizDlg.h"
#include "wizards/NewDlg.h"
#include "wizards/NewPageDlg.h"
#include "wizards/TableGroupFields.h"
#include "wizards/TableWizPage1.h"
#include "wizards/TableWizPage2.h"
#include "wizards/WizardTarget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextBlock>

using namespace ZtCmd;

namespace {
// Fills the fields of the wizard dialog that is open.
using Filler = std::function<void(QDialog*)>;

void Type(QDialog* dialog, int id, const QString& text)
{
    QWidget* field = ZtTest::Find(dialog, id);
    if (auto* combo = qobject_cast<QComboBox*>(field))
        combo->setEditText(text);
    else
        qobject_cast<QLineEdit*>(field)->setText(text);
}

QString Shown(QDialog* dialog, int id)
{
    QWidget* field = ZtTest::Find(dialog, id);
    if (auto* combo = qobject_cast<QComboBox*>(field))
        return combo->currentText();
    if (auto* box = qobject_cast<QAbstractButton*>(field))
        return box->isChecked() ? QStringLiteral("ticked") : QStringLiteral("clear");
    return qobject_cast<QLineEdit*>(field)->text();
}

// What the fields show, "|" between them; "-" for a field that is off.
QString Shown(QDialog* dialog, const QList<int>& ids)
{
    QStringList shown;
    for (int id : ids)
        shown << (ZtTest::Find(dialog, id)->isEnabled() ? Shown(dialog, id) : QStringLiteral("-"));
    return shown.join(QLatin1Char('|'));
}

void Click(QDialog* dialog, int id)
{
    ZtTest::Find<QAbstractButton>(dialog, id)->click();
}

const QList<int> kWizards{ID_BODY_WIZARD,  ID_FONT_WIZARD,  ID_TABLE_WIZARD, ID_IMAGE_WIZARD,
                          ID_COLOR_WIZARD, ID_ALIGN_WIZARD, ID_LIST_WIZARD};
} // namespace

Q_DECLARE_METATYPE(Filler)

// The wizard commands in the whole program: when they are offered, what
// they insert into the page and how it is undone, what they say without an
// editor, and the folder their file references start from; and File > New,
// whose page wizard starts where the user works.
class TestWizardCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_app = ZtApp();
        ZtTest::ShowMainFrame();
        m_app->WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringOn"), 1);
        m_app->WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 1000000);
    }

    void init()
    {
        m_dir = ZtTest::FreshDir(QStringLiteral("Web Sïte"));
        m_messages.texts.clear();
    }

    void cleanup()
    {
        ZtTest::CloseAllDocuments();
        m_app->SetSelectedPath(QString());
        m_app->SetProjectPath(QString());
    }

    // Which files the wizards take is a table of its own (tst_wizardtext); here,
    // that the commands ask it about the active window, and only for a page editor.
    void enableRule_data()
    {
        // "-" for no window, "" for a new page without a path.
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("pageWizards");
        QTest::addColumn<bool>("colorWizard");
        QTest::newRow("PAGE.HTM") << "PAGE.HTM" << true << true;
        QTest::newRow("style.css") << "style.css" << false << true;
        QTest::newRow("new page") << "" << false << false;
        QTest::newRow("plain text") << "notes.txt" << false << false;
        QTest::newRow("no window") << "-" << false << false;
    }

    void enableRule()
    {
        QFETCH(QString, name);
        QFETCH(bool, pageWizards);
        QFETCH(bool, colorWizard);
        if (name.isEmpty()) {
            // New takes a page; its New Page dialog is cancelled: an untitled page.
            QVERIFY(RunNew({}, [](QDialog*) {}, false));
        }
        else if (name != QLatin1String("-"))
            OpenPage(name);
        for (int id : kWizards) {
            if (id != ID_COLOR_WIZARD)
                QVERIFY2(Enabled(id) == pageWizards, qPrintable(QString::number(id)));
        }
        QCOMPARE(Enabled(ID_COLOR_WIZARD), colorWizard);
    }

    // The text each wizard builds has its rows in tst_wizardtext, and every
    // wizard command reaches its dialog in the cancelled rows; the others are
    // the kinds of insert (a dialog with a text field, a wizard of pages, a
    // value for a style sheet) and what becomes of the selection. A new user
    // selected a word and ran the Font wizard: the word was gone.
    void insertAtTheSelection_data()
    {
        // The page holds "<P>old</P>\nnew\n"; "old" or "old</P>\nnew" is
        // selected. The text after the wizard, with "|" at the caret where it
        // is checked.
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("twoLines");
        QTest::addColumn<Filler>("fill"); // none: the dialog is cancelled
        QTest::addColumn<int>("answer");  // to the question, when one comes
        QTest::addColumn<QString>("expected");
        const Filler none = [](QDialog*) {};
        const int noQuestion = QMessageBox::NoButton;
        const QString longText = QString(5000, QChar(0x00E9)) + QString(5000, QChar(0x4F60));
        QTest::newRow("Font, long non-ASCII text") << int(ID_FONT_WIZARD) << false << Filler([longText](QDialog* d) {
            Type(d, CFontWizDlg::IDC_SIZE, "+1");
            Type(d, CFontWizDlg::IDC_TEXT, longText);
        }) << noQuestion << "<P><FONT SIZE=\"+1\" >" + longText + " </FONT>\n|</P>\nnew\n";
        QTest::newRow("Table") << int(ID_TABLE_WIZARD) << false << Filler([](QDialog* d) {
            Type(d, CTableWizPage1::IDC_WIDTH, "100%");
            Type(d, CTableWizPage1::IDC_BORDER, "1");
            static_cast<QWizard*>(d)->next();
            Type(d, int(CTableWizPage2::IDC_CELLS_FIRST) + CTableGroupFields::COUNT, "2");
        }) << int(QMessageBox::Yes) << "<P><TABLE WIDTH=\"100%\" BORDER=\"1\" >\n\t<TR >\n"
              + QString("\t\t<TD >\nCell data goes here.\n\t\t</TD>\n").repeated(2) + "\t</TR>\n</TABLE>\n|</P>\nnew\n";
        QTest::newRow("Color") << int(ID_COLOR_WIZARD) << false << Filler([](QDialog* d) {
            Click(d, CColorWizDlg::IDC_KIND_BACKGROUND_COLOR);
        }) << int(QMessageBox::Yes) << "<P>background-color: #FFFFFF;|</P>\nnew\n";
        QTest::newRow("Font wraps it") << int(ID_FONT_WIZARD) << false << none << noQuestion
                                       << "<P><FONT >old </FONT>\n</P>\nnew\n";
        QTest::newRow("Font wraps two lines")
            << int(ID_FONT_WIZARD) << true << Filler([](QDialog* d) { Type(d, CFontWizDlg::IDC_COLOR, "Red"); })
            << noQuestion << "<P><FONT COLOR=\"Red\" >old</P>\nnew </FONT>\n\n";
        QTest::newRow("Font, Basefont, kept") << int(ID_FONT_WIZARD) << false
                                              << Filler([](QDialog* d) { Click(d, CFontWizDlg::IDC_BASEFONT); })
                                              << int(QMessageBox::No) << "<P><BASEFONT >\nold</P>\nnew\n";
        QTest::newRow("Image keeps it as its text")
            << int(ID_IMAGE_WIZARD) << false << Filler([](QDialog* d) { Type(d, CImageWizDlg::IDC_IMAGE, "a.gif"); })
            << noQuestion << "<P>old<IMG SRC=\"a.gif\" BORDER=\"0\" > \n</P>\nnew\n";
        QTest::newRow("Body, kept") << int(ID_BODY_WIZARD) << false << none << int(QMessageBox::No)
                                    << "<P><BODY >\nold</P>\nnew\n";
        QTest::newRow("Align, cancelled") << int(ID_ALIGN_WIZARD) << true << none << int(QMessageBox::Cancel)
                                          << "<P>old</P>\nnew\n";
        QTest::newRow("List, empty text") << int(ID_LIST_WIZARD) << false << none << noQuestion << "<P>old</P>\nnew\n";
        for (int id : kWizards)
            QTest::addRow("wizard %d cancelled", id) << id << false << Filler() << noQuestion << "<P>old</P>\nnew\n";
    }

    void insertAtTheSelection()
    {
        QFETCH(int, command);
        QFETCH(bool, twoLines);
        QFETCH(Filler, fill);
        QFETCH(int, answer);
        QFETCH(QString, expected);
        const QString before = QStringLiteral("<P>old</P>\nnew\n");
        CZentrelView* view = OpenPage(QStringLiteral("page.html"), before.toUtf8());
        QVERIFY(view);
        m_messages.answer = QMessageBox::StandardButton(answer);
        QTextCursor selection = view->textCursor();
        selection.setPosition(3);
        selection.setPosition(twoLines ? 14 : 6, QTextCursor::KeepAnchor);
        view->setTextCursor(selection);

        QVERIFY(Run(command, fill, bool(fill)));
        const int caret = int(expected.indexOf(QLatin1Char('|')));
        QCOMPARE(view->toPlainText(), QString(expected).remove(QLatin1Char('|')));
        if (caret >= 0)
            QCOMPARE(view->textCursor().position(), caret);
        QCOMPARE(m_messages.texts, answer == QMessageBox::NoButton ? QStringList() : QStringList{ReplaceSelectionQuestion()});
        // Coloured at once: colouring the whole text again changes nothing.
        const QTextBlock block = view->document()->findBlock(3);
        const QList<QTextLayout::FormatRange> colours = block.layout()->formats();
        view->Colorizer()->ColorizeAll();
        QVERIFY(!colours.isEmpty());
        QVERIFY(colours == block.layout()->formats());
        // One step undoes the insert; a wizard that inserted nothing left the page unmodified.
        QCOMPARE(view->document()->isModified(), view->toPlainText() != before);
        view->undo();
        QCOMPARE(view->toPlainText(), before);
    }

    // With the caret in a tag the wizard makes, the wizard opens filled from
    // it, the fields whose values an edit would drop are off, and its tag
    // takes the old one's place, undone in one step. With the caret after
    // the tag those fields are on.
    void editsTheTagAtTheCaret_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("page"); // "|": the caret
        QTest::addColumn<QList<int>>("fields");
        QTest::addColumn<QString>("shown"); // what they show as the dialog opens, "-" for one that is off
        QTest::addColumn<Filler>("fill");   // none: the dialog is cancelled
        QTest::addColumn<QString>("expected");
        const Filler none = [](QDialog*) {};
        QTest::newRow("Body") << int(ID_BODY_WIZARD) << "<html>\r\n<body bgcolor=#fff\r\n onload=\"go()\"|>\r\n<p>x</p>\r\n"
                              << QList<int>{CBodyWizDlg::IDC_BACKGROUND} << "#fff"
                              << Filler([](QDialog* d) { Type(d, CBodyWizDlg::IDC_TEXT_COLOR, "Black"); })
                              << "<html>\n<BODY BGCOLOR=\"#fff\" TEXT=\"Black\" onload=\"go()\" >\n<p>x</p>\n";
        QTest::newRow("Body, caret after the tag")
            << int(ID_BODY_WIZARD) << "<body bgcolor=#fff>|\n" << QList<int>{CBodyWizDlg::IDC_BACKGROUND} << "" << none
            << "<body bgcolor=#fff><BODY >\n\n";
        QTest::newRow("Image") << int(ID_IMAGE_WIZARD) << "<p><img alt='a<b' |src=a.gif></p>"
                               << QList<int>{CImageWizDlg::IDC_IMAGE, CImageWizDlg::IDC_LINK, CImageWizDlg::IDC_TEXT}
                               << "a.gif|-|-" << none << "<p><IMG SRC=\"a.gif\" BORDER=\"0\" alt='a<b' ></p>";
        QTest::newRow("Image, caret after the tag") << int(ID_IMAGE_WIZARD) << "<img src=a.gif>|x"
                                                    << QList<int>{CImageWizDlg::IDC_LINK, CImageWizDlg::IDC_TEXT}
                                                    << "|" << Filler() << "<img src=a.gif>x";
        QTest::newRow("Font") << int(ID_FONT_WIZARD) << "<font |color=red>x</font>"
                              << QList<int>{CFontWizDlg::IDC_COLOR, CFontWizDlg::IDC_TEXT, CFontWizDlg::IDC_BASEFONT}
                              << "red|-|-" << Filler([](QDialog* d) { Type(d, CFontWizDlg::IDC_SIZE, "+1"); })
                              << "<FONT SIZE=\"+1\" COLOR=\"red\" >x</font>";
        QTest::newRow("Font, caret after the tag") << int(ID_FONT_WIZARD) << "<font size=2>|x"
                                                   << QList<int>{CFontWizDlg::IDC_TEXT, CFontWizDlg::IDC_BASEFONT}
                                                   << "|clear" << Filler() << "<font size=2>x";
        QTest::newRow("Basefont") << int(ID_FONT_WIZARD) << "<basefont |size=2>x" << QList<int>{CFontWizDlg::IDC_BASEFONT}
                                  << "-" << none << "<BASEFONT SIZE=\"2\" >x";
        QTest::newRow("List, items stay")
            << int(ID_LIST_WIZARD) << "<ul\n type=disc|>\n<li>a\n</ul>\n"
            << QList<int>{CListWizDlg::IDC_UNORDERED_TYPE, CListWizDlg::IDC_ORDERED_QUANTITY,
                          CListWizDlg::IDC_UNORDERED_QUANTITY}
            << "disc|-|-" << Filler([](QDialog* d) { Type(d, CListWizDlg::IDC_UNORDERED_TYPE, "square"); })
            << "<UL TYPE=\"square\" >\n<li>a\n</ul>\n";
        QTest::newRow("List, caret after the tag")
            << int(ID_LIST_WIZARD) << "<ol start=3>|x"
            << QList<int>{CListWizDlg::IDC_ORDERED_QUANTITY, CListWizDlg::IDC_UNORDERED_QUANTITY} << "|" << Filler()
            << "<ol start=3>x";
        // The Align wizard's attributes go in at the caret, inside a tag or not.
        const Filler centreOnly = [](QDialog* d) {
            for (int box : {CAlignWizDlg::IDC_HORIZONTAL, CAlignWizDlg::IDC_VERTICAL, CAlignWizDlg::IDC_HEIGHT,
                            CAlignWizDlg::IDC_WIDTH})
                ZtTest::Find<QAbstractButton>(d, box)->setChecked(box == CAlignWizDlg::IDC_HORIZONTAL);
            ZtTest::Find<QComboBox>(d, CAlignWizDlg::IDC_HORIZONTAL_VALUE)->setCurrentText("Center");
        };
        QTest::newRow("Align, tag still being typed")
            << int(ID_ALIGN_WIZARD) << "<P |\nSome text here.\n" << QList<int>{CAlignWizDlg::IDC_HEIGHT} << "clear"
            << centreOnly << "<P  ALIGN=\"Center\" \nSome text here.\n";
    }

    void editsTheTagAtTheCaret()
    {
        QFETCH(int, command);
        QFETCH(QString, page);
        QFETCH(QList<int>, fields);
        QFETCH(QString, shown);
        QFETCH(Filler, fill);
        QFETCH(QString, expected);
        const int caret = int(page.indexOf(QLatin1Char('|')));
        CZentrelView* view = OpenPage(QStringLiteral("page.html"), page.remove(caret, 1).toUtf8());
        QVERIFY(view);
        const QString before = view->toPlainText();
        QTextCursor cursor = view->textCursor();
        cursor.setPosition(caret - int(page.left(caret).count(QLatin1Char('\r'))));
        view->setTextCursor(cursor);

        QString opened;
        QVERIFY(Run(command, [&opened, &fields, fill](QDialog* d) {
            opened = Shown(d, fields);
            if (fill)
                fill(d);
        }, bool(fill)));
        QCOMPARE(opened, shown);
        QCOMPARE(view->toPlainText(), expected);
        QVERIFY(m_messages.texts.isEmpty());
        view->undo();
        QCOMPARE(view->toPlainText(), before);
    }

    // Editing a TABLE start tag has no rows to add: page "Table" is the last,
    // and Return there finishes.
    void tableEditEndsOnItsFirstPage()
    {
        const QString page = QStringLiteral("<TABLE border=1>\n<tr><td>x</td></tr>\n</table>\n");
        CZentrelView* view = OpenPage(QStringLiteral("page.html"), page.toUtf8());
        QVERIFY(view);
        QTextCursor cursor = view->textCursor();
        cursor.setPosition(3);
        view->setTextCursor(cursor);
        bool nextOffered = true;
        bool stillOpen = false;
        QTimer::singleShot(0, [&nextOffered, &stillOpen] {
            auto* wizard = qobject_cast<QWizard*>(QApplication::activeModalWidget());
            if (!wizard)
                return;
            const QAbstractButton* next = wizard->button(QWizard::NextButton);
            nextOffered = next->isVisible() && next->isEnabled();
            Type(wizard, CTableWizPage1::IDC_WIDTH, "50%");
            QTest::keyClick(ZtTest::Find(wizard, CTableWizPage1::IDC_WIDTH), Qt::Key_Return);
            stillOpen = wizard->isVisible();
            if (stillOpen)
                wizard->reject();
        });
        QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_TABLE_WIZARD));
        QVERIFY(!nextOffered);
        QVERIFY(!stillOpen);
        QCOMPARE(view->toPlainText(), QString(page).replace("<TABLE border=1>", "<TABLE WIDTH=\"50%\" BORDER=\"1\" >"));
    }

    void messagesWithoutAnEditor()
    {
        // The commands are disabled then, so the handlers are called directly,
        // as when the window closed while the dialog was open.
        CWizardCommands& commands = m_app->WizardCommands();
        const QList<std::function<void()>> handlers{
            [&] { commands.OnBodyWizard(); },  [&] { commands.OnFontWizard(); },  [&] { commands.OnTableWizard(); },
            [&] { commands.OnImageWizard(); }, [&] { commands.OnColorWizard(); }, [&] { commands.OnAlignWizard(); },
            [&] { commands.OnListWizard(); }};
        for (const auto& handler : handlers) {
            ZtTest::WhenModal();
            handler();
        }
        const QString open = QStringLiteral("No open file in editor!");
        const QString file = QStringLiteral("No file in editor!");
        QCOMPARE(m_messages.texts, (QStringList{open, open, open, open, file, file, file}));

        // Over a window that is no page editor: nothing, silently.
        m_messages.texts.clear();
        OpenPage(QStringLiteral("notes.txt"), "plain");
        const auto seen = ZtTest::WhenModal();
        commands.OnListWizard();
        QVERIFY(*seen);
        QVERIFY(m_messages.texts.isEmpty());
    }

    void wizardDirectory()
    {
        // With no page: the folder holding the selected folder, else the project.
        m_app->SetProjectPath(m_dir + QStringLiteral("/Site/Site.ztp"));
        QCOMPARE(m_app->GetWizardDirectory(), m_app->ProjectPath());
        m_app->SetSelectedPath(m_dir + QStringLiteral("/Site/Images"));
        QCOMPARE(m_app->GetWizardDirectory(), m_dir + QStringLiteral("/Site"));

        // Two pages: the one opened first decides, though the other is active.
        OpenPage(QStringLiteral("First/a.html"));
        OpenPage(QStringLiteral("Second/b.html"));
        QCOMPARE(m_app->GetWizardDirectory(), m_dir + QStringLiteral("/First"));
        QCOMPARE(m_app->WizardCommands().BodyBaseDirectory(), m_dir + QStringLiteral("/First"));
    }

    // File > New: a page from a template, saved as the template's lines after
    // a marker, each ended by CR LF; a file that appeared under its name
    // meanwhile is replaced only after asking, and only on the first save.
    void newPageFromTemplate()
    {
        const QString site = ZtTest::SandboxDir() + "/My Site";
        QDir().mkpath(site);
        const QString shipped = CUserDataFolders::Templates() + "/html5.tpt";
        QString startedIn;
        CFileButton::SetChooser([&](QWidget*, const QString&, const QString&) {
            startedIn = QDir::currentPath();
            return shipped;
        });
        QVERIFY(RunNew({}, [site](QDialog* page) {
            ZtTest::Find<QLineEdit>(page, CNewPageDlg::IDC_TITLE)->setText("Start");
            ZtTest::Find<QLineEdit>(page, CNewPageDlg::IDC_PATH)->setText(site);
            ZtTest::Find<QAbstractButton>(page, CNewPageDlg::IDC_GET_TEMPLATE)->click();
        }));
        CFileButton::SetChooser(nullptr);
        QCOMPARE(startedIn, CUserDataFolders::Templates());
        auto* page = qobject_cast<CZentrelDoc*>(m_app->WebPageTemplate()->Documents().last());
        QVERIFY(page);
        QCOMPARE(page->GetPathName() + QLatin1Char('|') + page->GetTitle(), site + "/Start.html|Start.html");
        QVERIFY(page->IsModified());
        QVERIFY(!QFile::exists(site + "/Start.html"));
        QVERIFY(!page->GetView()->Colorizer()->PrimaryList().isEmpty());
        ZtTest::WriteFile(site + "/Start.html", "someone else's page");
        m_messages.answer = QMessageBox::Yes;
        QVERIFY(page->DoFileSave());
        QVERIFY(page->DoFileSave());
        QCOMPARE(m_messages.texts, QStringList{site + "/Start.html already exists.\nDo you want to replace it?"});
        QByteArray expected = "<!---Created with Zentrel I.D.E--->\n" + ZtTest::ReadFile(shipped);
        QCOMPARE(ZtTest::ReadFile(site + "/Start.html"), expected.replace("\n", "\r\n"));
        // The keys go back to the new page's editor.
        QTRY_COMPARE(QApplication::activeWindow(), m_app->GetMainFrame());
        QCOMPARE(QApplication::focusWidget(), page->GetView());
        QVERIFY(m_app->RecentFileList().Entries().contains(site + "/Start.html"));
    }

    // A cancelled New Page dialog leaves an untitled, empty page; plain text
    // asks for no page at all.
    void newWithoutAPage()
    {
        QVERIFY(RunNew({}, [](QDialog*) {}, false));
        auto* page = qobject_cast<CZentrelDoc*>(m_app->WebPageTemplate()->Documents().value(0));
        QVERIFY(page && page->GetPathName().isEmpty() && !page->IsModified());
        QVERIFY(page->GetView()->toPlainText().isEmpty());
        QVERIFY(RunNew([](QDialog* dialog) { ZtTest::Find<QRadioButton>(dialog, CNewDlg::IDC_NEW_TEXT)->setChecked(true); }));
        QCOMPARE(m_app->WebPageTemplate()->Documents().size(), 1);
        QVERIFY(qobject_cast<CPlainTextDoc*>(m_app->TextTemplate()->Documents().value(0)));
        QVERIFY(m_messages.texts.isEmpty());
    }

    void newPagePathStartsInTheOpenProject_data()
    {
        QTest::addColumn<bool>("project");
        QTest::addColumn<QString>("edited"); // a page open in an editor, or none
        QTest::addColumn<QString>("picked"); // the folder last picked in a tree, or none
        QTest::addColumn<QString>("expected"); // below the test's folder; empty for that folder
        // The second page of a site made while its first one is edited.
        QTest::newRow("project, its page edited") << true << "Web/Site/index.html" << "" << "Web/Site";
        QTest::newRow("project, nothing edited") << true << "" << "" << "Web/Site";
        QTest::newRow("project, its folder picked") << true << "Web/Site/index.html" << "Web/Site/pages"
                                                    << "Web/Site/pages";
        // A folder picked elsewhere, or no project: the folder above the
        // wizards' base directory.
        QTest::newRow("project, other folder picked") << true << "" << "Web/Other" << "";
        QTest::newRow("no project, a page edited") << false << "Web/Other/x.html" << "" << "Web";
    }
    void newPagePathStartsInTheOpenProject()
    {
        QFETCH(bool, project);
        QFETCH(QString, edited);
        QFETCH(QString, picked);
        QFETCH(QString, expected);
        const QString sandbox = ZtTest::SandboxDir() + "/new";
        ZtTest::WriteFile(sandbox + "/Web/Site/Site.ztp", "Site\r\r\n");
        ZtTest::WriteFile(sandbox + "/Web/Site/index.html", "<html></html>");
        ZtTest::WriteFile(sandbox + "/Web/Other/x.html", "<html></html>");
        m_app->SetSelectedPath(picked.isEmpty() ? QString() : sandbox + "/" + picked);
        if (project)
            m_app->OpenProject(sandbox + "/Web/Site/Site.ztp");
        if (!edited.isEmpty())
            m_app->OpenFileInEditor(sandbox + "/" + edited, false);
        QString path;
        QVERIFY(RunNew({}, [&path](QDialog* page) { path = ZtTest::Find<QLineEdit>(page, CNewPageDlg::IDC_PATH)->text(); },
                       false));
        QCOMPARE(path, expected.isEmpty() ? sandbox : sandbox + "/" + expected);
        if (project)
            QVERIFY(ZtTest::Run(ID_PROJECT_CLOSE));
    }

private:
    // Runs File > New: the New dialog is filled by fill and accepted; the New
    // Page dialog, when one is to come, is filled by page and accepted or
    // cancelled. False when the command or a dialog never came.
    bool RunNew(const Filler& fill, const Filler& page = {}, bool acceptPage = true)
    {
        auto pageSeen = std::make_shared<std::shared_ptr<bool>>();
        const auto seen = ZtTest::WhenModal([=](QDialog* dialog) {
            if (fill)
                fill(dialog);
            if (page)
                *pageSeen = ZtTest::WhenModal(page, acceptPage);
        });
        return ZtTest::Run(ID_FILE_NEW) && *seen && (!page || (*pageSeen && **pageSeen));
    }

    CZentrelView* OpenPage(const QString& name, const QByteArray& bytes = "<P>old</P>\n")
    {
        return ZtTest::OpenPageEditor(m_dir + QLatin1Char('/') + name, bytes);
    }

    // Runs a wizard command; its dialog, once open, is filled by fill and
    // accepted (or cancelled). False when the command or its dialog failed.
    bool Run(int id, const Filler& fill, bool accept = true)
    {
        const auto seen = ZtTest::WhenModal(fill, accept);
        return ZtTest::Run(id) && *seen;
    }

    bool Enabled(int id) const { return m_app->GetMainFrame()->Router().IsEnabled(id); }

    CZentrelApp* m_app = nullptr;
    QString m_dir;
    ZtTest::CMessageLog m_messages;
};

ZT_APP_TEST_MAIN(TestWizardCommands)
#include "tst_wizardcommands.moc"
