#include "support/Dialogs.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/Profile.h"
#include "wizards/AlignWizDlg.h"
#include "wizards/BodyWizDlg.h"
#include "wizards/ColorButton.h"
#include "wizards/ColorWizDlg.h"
#include "wizards/FileButton.h"
#include "wizards/FontWizDlg.h"
#include "wizards/ImageFolders.h"
#include "wizards/ImageWizDlg.h"
#include "wizards/TableGroupFields.h"
#include "wizards/TableWizPage1.h"
#include "wizards/TableWizPage2.h"
#include "wizards/TableWizSheet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWizard>

using ZtTest::Find;
using ZtTest::Row;

namespace {
// The dialog's index-th colour button, in the order of the fields they serve.
CColorButton* ColorButtonOf(QWidget* dialog, int index)
{
    return dialog->findChildren<CColorButton*>().value(index);
}
} // namespace

// What the wizard dialogs do between opening and OK: radio buttons, the
// colour, file and face buttons, the preview, the enabled fields.
class TestWizardDialogs : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void bodyFixedFlagAndColourButtons();
    void bodyImageButton_data();
    void bodyImageButton() { ZtTest::CompareResult(); }
    void fontFacesCollect();
    void colorWizardKeepsItsValue();
    void alignBoxesEnableTheirFields();
    void tableWizardPieces();
    void tableBackgroundImageStart_data();
    void tableBackgroundImageStart();
    void imageFoldersRemembered();
    void imageFromOutsideTheSite_data();
    void imageFromOutsideTheSite() { ZtTest::CompareResult(); }

private:
    QList<bool> m_pickedFullOpen;
};

void TestWizardDialogs::cleanup()
{
    CColorButton::SetPicker(nullptr);
    CFileButton::SetChooser(nullptr);
    CFontWizDlg::SetFontChooser(nullptr);
    m_pickedFullOpen.clear();
    CProfile::Instance().RemoveSection(ZtImageFolders::Section());
}

void TestWizardDialogs::bodyFixedFlagAndColourButtons()
{
    CBodyWizDlg dialog{QString()};
    QStringList answers{"#0A05C8", ""};
    CColorButton::SetPicker([&](bool fullOpen, QWidget*) {
        m_pickedFullOpen.append(fullOpen);
        return answers.takeFirst();
    });
    auto* text = Find<QComboBox>(&dialog, CBodyWizDlg::IDC_TEXT_COLOR);
    // Typing keeps what was typed: no completion to "Red".
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    text->setFocus();
    QTest::keyClicks(text, "r");
    QCOMPARE(text->currentText(), QStringLiteral("r"));

    ColorButtonOf(&dialog, 0)->click(); // Background: full-open form
    ColorButtonOf(&dialog, 1)->click(); // Text color: plain form, cancelled
    QCOMPARE(m_pickedFullOpen, (QList<bool>{true, false}));
    QCOMPARE(text->currentText(), QString()); // a cancelled chooser empties the field

    Find<QRadioButton>(&dialog, CBodyWizDlg::IDC_FIXED)->click();
    QVERIFY(dialog.Values().m_bFixed);
    Find<QRadioButton>(&dialog, CBodyWizDlg::IDC_NOT_FIXED)->click();
    dialog.accept();
    QCOMPARE(dialog.Text(), QStringLiteral("<BODY BGCOLOR=\"#0A05C8\" >\n"));
}

// The Body wizard's image button with a base directory given relative to a
// fresh folder ("-": none), choosing a file there: the field, whether the
// base became the current directory and the dialog opened there, and what
// a cancelled choice leaves in the field.
static QString BodyImage(const QString& base, const QString& chosen)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("Site/Img"));
    const QString before = QDir::currentPath();
    CBodyWizDlg dialog(base == QLatin1String("-") ? QString() : root.filePath(base));
    QString openedIn;
    QString filter;
    CFileButton::SetChooser([&](QWidget*, const QString& directory, const QString& qtFilter) {
        openedIn = directory;
        filter = qtFilter;
        return root.filePath(chosen);
    });
    dialog.ImageButton()->click();
    const QString reference = Find<QLineEdit>(&dialog, CBodyWizDlg::IDC_IMAGE)->text();
    const QString current = QDir::currentPath();
    QDir::setCurrent(before);
    CFileButton::SetChooser([](QWidget*, const QString&, const QString&) { return QString(); });
    dialog.ImageButton()->click();
    QDir::setCurrent(before);
    CFileButton::SetChooser(nullptr);
    QString result = QString(reference).replace(root.path() + '/', "~/") + QStringLiteral(" current:%1 opened:%2")
                         .arg(int(current == root.filePath(base)))
                         .arg(openedIn.isEmpty() ? QStringLiteral("-") : openedIn == current ? QStringLiteral("there") : openedIn);
    if (!filter.startsWith(QStringLiteral(".gif Files (*.GIF *.gif)")))
        result += QStringLiteral(" filter:") + filter;
    if (Find<QLineEdit>(&dialog, CBodyWizDlg::IDC_IMAGE)->text() != reference)
        result += QStringLiteral(" changed by a cancel");
    return result;
}

void TestWizardDialogs::bodyImageButton_data()
{
    ZtTest::ResultColumns();
    Row("below the base", BodyImage("Site", "Site/Img/Ä b.GIF"), "Img/Ä b.GIF current:1 opened:there");
    Row("base gone", BodyImage("Gone", "Site/a.gif"), "~/Site/a.gif current:0 opened:-");
    Row("no page path", BodyImage("-", "Site/a.gif"), "~/Site/a.gif current:0 opened:-");
}

void TestWizardDialogs::fontFacesCollect()
{
    CFontWizDlg dialog;
    QStringList faces{"Arial", "Verdana", ""};
    CFontWizDlg::SetFontChooser([&](QWidget*, QString* face) {
        *face = faces.takeFirst();
        return !face->isEmpty();
    });
    auto* faceButton = Find<QPushButton>(&dialog, CFontWizDlg::IDC_FACE_BUTTON);
    for (int press = 0; press < 3; ++press)
        faceButton->click();
    QCOMPARE(Find<QLineEdit>(&dialog, CFontWizDlg::IDC_FACE)->text(), QStringLiteral("Arial, Verdana"));

    CColorButton::SetPicker([&](bool fullOpen, QWidget*) {
        m_pickedFullOpen.append(fullOpen);
        return QStringLiteral("#FF0000");
    });
    ColorButtonOf(&dialog, 0)->click();
    QCOMPARE(m_pickedFullOpen, QList<bool>{false});
    Find<QCheckBox>(&dialog, CFontWizDlg::IDC_INSIDE_TAG)->click();
    QTest::keyClicks(Find<QLineEdit>(&dialog, CFontWizDlg::IDC_TEXT), "Hi");
    dialog.accept();
    QCOMPARE(dialog.Text(), QStringLiteral(" FONT FACE=\"Arial, Verdana\" COLOR=\"#FF0000\" >Hi\n"));
}

void TestWizardDialogs::colorWizardKeepsItsValue()
{
    CColorWizDlg dialog;
    QCOMPARE(dialog.PreviewText(), QStringLiteral("#FFFFFF"));
    // The arrow keys step on from the chosen kind.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.focusWidget(), Find<QRadioButton>(&dialog, CColorWizDlg::IDC_KIND_ALONE));
    Find<QRadioButton>(&dialog, CColorWizDlg::IDC_KIND_COLOR)->click();
    QCOMPARE(dialog.PreviewText(), QStringLiteral("color: #FFFFFF;"));

    QStringList answers{"", "#0A05C8"};
    CColorButton::SetPicker([&](bool fullOpen, QWidget*) {
        m_pickedFullOpen.append(fullOpen);
        return answers.takeFirst();
    });
    auto* value = Find<QLineEdit>(&dialog, CColorWizDlg::IDC_VALUE);
    ColorButtonOf(&dialog, 0)->click(); // cancelled: the value stays
    QCOMPARE(value->text(), QStringLiteral("#FFFFFF"));
    ColorButtonOf(&dialog, 0)->click();
    QCOMPARE(m_pickedFullOpen, (QList<bool>{true, true}));
    QCOMPARE(dialog.PreviewText(), QStringLiteral("color: #0A05C8;"));
    // Typing shows in the field only; the value is the picked one.
    QTest::keyClicks(value, "zz");
    QCOMPARE(dialog.PreviewText(), QStringLiteral("color: #0A05C8;"));
    Find<QRadioButton>(&dialog, CColorWizDlg::IDC_KIND_BGCOLOR)->click();
    dialog.accept();
    QCOMPARE(dialog.Text(), QStringLiteral(" BGCOLOR=\"#0A05C8\" "));
}

// Each box enables its field. Alt+letter, Tab and typing come as fast as a
// user types them: the box must be ticked before the Tab, or the Tab skips
// its still disabled field.
void TestWizardDialogs::alignBoxesEnableTheirFields()
{
    CAlignWizDlg dialog;
    for (int box : {CAlignWizDlg::IDC_HORIZONTAL, CAlignWizDlg::IDC_VERTICAL, CAlignWizDlg::IDC_HEIGHT,
                    CAlignWizDlg::IDC_WIDTH})
        QVERIFY2(!Find<QComboBox>(&dialog, box + 1)->isEnabled(), QByteArray::number(box).constData());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const auto type = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    type(Qt::Key_Z, Qt::AltModifier);
    type(Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "Center");
    type(Qt::Key_W, Qt::AltModifier);
    type(Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "50%");
    auto* vertical = Find<QCheckBox>(&dialog, CAlignWizDlg::IDC_VERTICAL);
    vertical->click();
    QVERIFY(Find<QComboBox>(&dialog, CAlignWizDlg::IDC_VERTICAL_VALUE)->isEnabled());
    vertical->click();
    QVERIFY(!Find<QComboBox>(&dialog, CAlignWizDlg::IDC_VERTICAL_VALUE)->isEnabled());
    type(Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Text(), QStringLiteral(" ALIGN=\"Center\" WIDTH=\"50%\" "));
}

void TestWizardDialogs::tableWizardPieces()
{
    CTableWizSheet sheet{QString(), QString()};
    ZtTest::CMessageLog messages;
    CColorButton::SetPicker([](bool, QWidget*) { return QStringLiteral("#0A05C8"); });
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    sheet.move(120, 80);
    QCoreApplication::processEvents();
    const QRect placed = sheet.frameGeometry();
    Find<QComboBox>(&sheet, CTableWizPage1::IDC_WIDTH)->setEditText("100%");
    Find<QLineEdit>(&sheet, CTableWizPage1::IDC_CSS_TEXT)->setText("main");
    Find<QRadioButton>(&sheet, CTableWizPage1::IDC_CSS_TEXT + 1)->click(); // CLASS
    sheet.next();
    // Back, a change, Next: one start tag, as the page now stands. Next and
    // Back leave the window where and as large as the user had it.
    sheet.back();
    QCoreApplication::processEvents();
    QCOMPARE(sheet.frameGeometry(), placed);
    Find<QComboBox>(&sheet, CTableWizPage1::IDC_BORDER)->setEditText("1");
    sheet.next();
    QCoreApplication::processEvents();
    QCOMPARE(sheet.frameGeometry(), placed);
    // Every field of the larger page is shown whole.
    for (QWidget* field : sheet.Page2()->findChildren<QLineEdit*>())
        QVERIFY(field->width() >= field->minimumSizeHint().width());

    const int cells = CTableWizPage2::IDC_CELLS_FIRST;
    ColorButtonOf(sheet.Page2(), 1)->click(); // the cells' Background Color
    Find<QRadioButton>(&sheet, cells + CTableGroupFields::CSS_ID)->click();
    Find<QLineEdit>(&sheet, cells + CTableGroupFields::CSS_TEXT)->setText("c1");
    auto* rowCount = Find<QLineEdit>(&sheet, int(CTableWizPage2::IDC_ROWS_FIRST) + CTableGroupFields::COUNT);
    auto* cellCount = Find<QLineEdit>(&sheet, cells + CTableGroupFields::COUNT);
    for (const char* refused : {"", "two", "100001"}) {
        rowCount->setText(refused);
        sheet.button(QWizard::FinishButton)->click();
        QVERIFY(sheet.isVisible());
    }
    QCOMPARE(messages.texts, (QStringList{CTableWizPage2::NotAWholeNumberMessage(), CTableWizPage2::NotAWholeNumberMessage(),
                                    CTableWizPage2::TooLargeMessage()}));
    rowCount->setText("1");
    cellCount->setText(" 2 ");
    sheet.button(QWizard::FinishButton)->click();
    QCOMPARE(sheet.result(), int(QDialog::Accepted));
    const QString cell = "\t\t<TD ID=c1 BGCOLOR=\"#0A05C8\" >\nCell data goes here.\n\t\t</TD>\n";
    QCOMPARE(sheet.Text(), "<TABLE CLASS=main WIDTH=\"100%\" BORDER=\"1\" >\n\t<TR >\n" + cell + cell
                               + "\t</TR>\n</TABLE>\n");
}

void TestWizardDialogs::tableBackgroundImageStart_data()
{
    // ImageDir1 as stored ("-" for none; "recent" for an existing folder),
    // and where the file dialog opens ("project" when the project file's
    // path is the start, which is no folder: the current one stays).
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("opensIn");
    QTest::newRow("recent image folder") << "recent" << "recent";
    QTest::newRow("none remembered") << "-" << "project";
    QTest::newRow("garbage") << "c:\\web\\img" << "project";
}

void TestWizardDialogs::tableBackgroundImageStart()
{
    QFETCH(QString, stored);
    QFETCH(QString, opensIn);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Site/Img")));
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Recent Ä")));
    const QString recent = root.filePath(QStringLiteral("Recent Ä"));
    CProfile& profile = CProfile::Instance();
    if (stored != QLatin1String("-"))
        profile.WriteString(ZtImageFolders::Section(), ZtImageFolders::Key(0), stored == "recent" ? recent : stored);
    const QString before = QDir::currentPath();
    CTableWizSheet sheet(root.filePath(QStringLiteral("Site")), root.filePath(QStringLiteral("Site/Site.ztp")));
    QString openedIn;
    CFileButton::SetChooser([&](QWidget*, const QString& directory, const QString&) {
        openedIn = directory;
        return root.filePath(QStringLiteral("Site/Img/Logo.GIF"));
    });
    sheet.Page1()->ImageButton()->click();
    QDir::setCurrent(before);
    QCOMPARE(openedIn, opensIn == "recent" ? recent : QString());
    QCOMPARE(Find<QLineEdit>(&sheet, CTableWizPage1::IDC_BACKGROUND_IMAGE)->text(), QStringLiteral("Img/Logo.GIF"));
    // Only read, never written.
    QCOMPARE(profile.Contains(ZtImageFolders::Section(), ZtImageFolders::Key(1)), false);
}

void TestWizardDialogs::imageFoldersRemembered()
{
    QTemporaryDir root;
    for (const char* folder : {"Site/Img", "One", "Two", "Three", "Four", "New Földer"})
        QVERIFY(QDir(root.path()).mkpath(QString::fromUtf8(folder)));
    CProfile& profile = CProfile::Instance();
    const QString section = ZtImageFolders::Section();
    const QStringList stored{root.filePath("One"), "empty", root.filePath("Two"), root.filePath("Gone")};
    for (int i = 0; i < stored.size(); ++i)
        profile.WriteString(section, ZtImageFolders::Key(i), stored[i]);
    const QString before = QDir::currentPath();
    ZtTest::CMessageLog messages(QMessageBox::No); // no copy into the site

    CImageWizDlg dialog(root.filePath("Site"));
    QCOMPARE(dialog.Folders(), (QStringList{root.filePath("One"), root.filePath("Two"), root.filePath("Gone")}));
    auto* folderBox = Find<QComboBox>(&dialog, CImageWizDlg::IDC_FOLDER);
    QCOMPARE(folderBox->currentText(), root.filePath("One"));

    QStringList openedIn;
    QString answer = root.filePath("New Földer/Pic.GIF");
    CFileButton::SetChooser([&](QWidget*, const QString& directory, const QString&) {
        openedIn.append(directory);
        return answer;
    });
    // A folder that is gone opens the dialog where it would open anyway.
    folderBox->setEditText(root.filePath("Gone"));
    dialog.ImageButton()->click();
    QCOMPARE(openedIn.takeFirst(), QString());
    QCOMPARE(Find<QLineEdit>(&dialog, CImageWizDlg::IDC_IMAGE)->text(), answer);
    QCOMPARE(folderBox->currentText(), root.filePath("New Földer"));
    // The next pick starts there; a pick below the base is relative.
    answer = root.filePath("Site/Img/b.gif");
    dialog.ImageButton()->click();
    QCOMPARE(openedIn.takeFirst(), root.filePath("New Földer"));
    QCOMPARE(Find<QLineEdit>(&dialog, CImageWizDlg::IDC_IMAGE)->text(), QStringLiteral("Img/b.gif"));
    answer = root.filePath("Site/Pages/Next.html");
    dialog.LinkButton()->click();
    QCOMPARE(openedIn.takeFirst(), root.filePath("Site"));
    QCOMPARE(Find<QLineEdit>(&dialog, CImageWizDlg::IDC_LINK)->text(), QStringLiteral("Pages/Next.html"));
    // A folder typed with "~" is in the home folder.
    QVERIFY(QDir::home().mkpath(QStringLiteral("Pics")));
    folderBox->setEditText(QStringLiteral("~/Pics"));
    answer = root.filePath("Site/Img/b.gif");
    dialog.ImageButton()->click();
    QCOMPARE(openedIn.takeFirst(), QDir::homePath() + QStringLiteral("/Pics"));
    QDir::setCurrent(before);

    // Cancel still writes the list; the fourth key keeps its old value.
    dialog.reject();
    QStringList written;
    for (int i = 0; i < 4; ++i)
        written << QDir(root.path()).relativeFilePath(profile.GetString(section, ZtImageFolders::Key(i)));
    QCOMPARE(written.join(' '), QStringLiteral("Site/Img New Földer One Gone"));
}

// A picture linked from outside the site breaks once the site is published;
// the wizard offers to copy it in. Picks a picture (below a fresh folder)
// for a site holding folders, answering the copy offer as told (NoButton:
// none is made): the Image field ("~" for the folder), the messages shown,
// the files the site gained, and whether Cancel took them back.
static QString PickedFromOutside(const QString& picked, const QString& siteFolders, QMessageBox::StandardButton answer)
{
    QTemporaryDir root;
    const QDir dir(root.path());
    for (const QString& folder : QStringList{"Pics/Folder.png", "Site/art", "Site/" + siteFolders})
        dir.mkpath(folder);
    const QByteArray picture("\x89PNG picture");
    for (const char* file : {"Pics/Logo.PNG", "Pics/Old.gif", "Pics/Same.gif", "Site/art/a.webp"})
        ZtTest::WriteFile(dir.filePath(file), picture);
    ZtTest::WriteFile(dir.filePath("Site/" + siteFolders + "/Old.gif"), "another picture");
    ZtTest::WriteFile(dir.filePath("Site/" + siteFolders + "/Same.gif"), picture);
    const QString site = dir.filePath("Site");
    const QString before = ZtTest::FilesBelow(site);

    ZtTest::CMessageLog messages{answer};
    CImageWizDlg dialog(site);
    CFileButton::SetChooser([&](QWidget*, const QString&, const QString&) { return dir.filePath(picked); });
    dialog.ImageButton()->click();
    CFileButton::SetChooser(nullptr);
    QStringList added = ZtTest::FilesBelow(site).split(' ');
    for (const QString& file : before.split(' '))
        added.removeOne(file);
    QString result = Find<QLineEdit>(&dialog, CImageWizDlg::IDC_IMAGE)->text().replace(root.path(), "~")
                     + QStringLiteral(" | messages:%1 | ").arg(messages.texts.size()) + added.join(' ');
    if (added.size() == 1 && ZtTest::ReadFile(site + '/' + added.first()) != picture)
        result += QStringLiteral(" (other bytes)");
    // The folder remembered is where the picture was found.
    if (dialog.Folders().value(0) != QFileInfo(dir.filePath(picked)).path())
        result += QStringLiteral(" | remembered ") + dialog.Folders().value(0);
    // Cancel takes back the copy the dialog made, and only that.
    dialog.reject();
    return ZtTest::FilesBelow(site) == before ? result : result + QStringLiteral(" | kept after cancel");
}

void TestWizardDialogs::imageFromOutsideTheSite_data()
{
    ZtTest::ResultColumns();
    const auto yes = QMessageBox::Yes;
    Row("into images", PickedFromOutside("Pics/Logo.PNG", "images", yes), "images/Logo.PNG | messages:1 | images/Logo.PNG");
    Row("into Images", PickedFromOutside("Pics/Logo.PNG", "Images", yes), "Images/Logo.PNG | messages:1 | Images/Logo.PNG");
    Row("into the page's folder", PickedFromOutside("Pics/Logo.PNG", "css", yes), "Logo.PNG | messages:1 | Logo.PNG");
    Row("same name, other picture", PickedFromOutside("Pics/Old.gif", "images", yes), "images/Old-2.gif | messages:1 | images/Old-2.gif");
    Row("same picture already there", PickedFromOutside("Pics/Same.gif", "images", yes), "images/Same.gif | messages:1 | ");
    Row("declined", PickedFromOutside("Pics/Logo.PNG", "images", QMessageBox::No), "~/Pics/Logo.PNG | messages:1 | ");
    Row("copy fails", PickedFromOutside("Pics/Folder.png", "images", yes), "~/Pics/Folder.png | messages:2 | ");
    Row("inside the site", PickedFromOutside("Site/art/a.webp", "images", QMessageBox::NoButton), "art/a.webp | messages:0 | ");
}

ZT_TEST_MAIN(TestWizardDialogs)
#include "tst_wizarddialogs.moc"
