#include "support/TestMain.h"

#include "framework/ContextHelp.h"
#include "wizards/AlignWizDlg.h"
#include "wizards/BodyWizDlg.h"
#include "wizards/ColorButton.h"
#include "wizards/ColorWizDlg.h"
#include "wizards/FileButton.h"
#include "wizards/FontWizDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {
template <class Control>
Control* Find(QWidget* dialog, int id)
{
    Control* control = dialog->findChild<Control*>(CContextHelp::ObjectNameFor(id));
    if (!control)
        qFatal("no control %d", id);
    return control;
}

// The colour button beside a field: the next button in the same row.
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
    void bodyImageButton();
    void fontFacesCollect();
    void colorWizardKeepsItsValue();
    void alignBoxesEnableTheirFields();

private:
    QList<bool> m_pickedFullOpen;
};

void TestWizardDialogs::cleanup()
{
    CColorButton::SetPicker(nullptr);
    CFileButton::SetChooser(nullptr);
    CFontWizDlg::SetFontChooser(nullptr);
    m_pickedFullOpen.clear();
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
    QCOMPARE(text->currentText(), QString());
    // Typing keeps what was typed: no completion to "Red".
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    text->setFocus();
    QTest::keyClicks(text, "r");
    QCOMPARE(text->currentText(), QStringLiteral("r"));

    ColorButtonOf(&dialog, 0)->click(); // Background: full-open form
    ColorButtonOf(&dialog, 1)->click(); // Text color: plain form, cancelled
    QCOMPARE(m_pickedFullOpen, (QList<bool>{true, false}));
    QCOMPARE(Find<QComboBox>(&dialog, CBodyWizDlg::IDC_BACKGROUND)->currentText(), QStringLiteral("#0A05C8"));
    QCOMPARE(text->currentText(), QString()); // a cancelled chooser empties the field

    Find<QRadioButton>(&dialog, CBodyWizDlg::IDC_FIXED)->click();
    QVERIFY(dialog.Values().m_bFixed);
    Find<QRadioButton>(&dialog, CBodyWizDlg::IDC_NOT_FIXED)->click();
    dialog.accept();
    QCOMPARE(dialog.Text(), QStringLiteral("<BODY BGCOLOR=\"#0A05C8\" >\n"));
    const auto* visited = Find<QComboBox>(&dialog, CBodyWizDlg::IDC_VISITED_LINK);
    QCOMPARE(visited->itemText(0), QStringLiteral("Black"));
    QCOMPARE(visited->itemText(7), QStringLiteral("Yellow"));
}

void TestWizardDialogs::bodyImageButton_data()
{
    // The base directory as the command gives it, relative to a fresh
    // folder; "-" for none.
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("becomesCurrent");
    QTest::newRow("below the base") << "Site" << "Site/Img/Ä b.GIF" << "Img/Ä b.GIF" << true;
    QTest::newRow("base gone") << "Gone" << "Site/a.gif" << "Site/a.gif" << false;
    QTest::newRow("no page path") << "-" << "Site/a.gif" << "Site/a.gif" << false;
}

void TestWizardDialogs::bodyImageButton()
{
    QFETCH(QString, base);
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    QFETCH(bool, becomesCurrent);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Site/Img")));
    const QString before = QDir::currentPath();
    const QString baseDirectory = base == QLatin1String("-") ? QString() : root.filePath(base);
    CBodyWizDlg dialog(baseDirectory);
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
    QCOMPARE(reference.startsWith(QLatin1Char('/')) ? reference.mid(root.path().size() + 1) : reference, expected);
    QCOMPARE(current == root.filePath(base), becomesCurrent);
    QCOMPARE(openedIn, current);
    QVERIFY(filter.startsWith(QStringLiteral(".gif Files (*.GIF *.gif)")));

    // Cancel leaves the field as it was.
    CFileButton::SetChooser([](QWidget*, const QString&, const QString&) { return QString(); });
    dialog.ImageButton()->click();
    QDir::setCurrent(before);
    QCOMPARE(Find<QLineEdit>(&dialog, CBodyWizDlg::IDC_IMAGE)->text(), reference);
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
    QVERIFY(Find<QRadioButton>(&dialog, CColorWizDlg::IDC_KIND_ALONE)->isChecked());
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

void TestWizardDialogs::alignBoxesEnableTheirFields()
{
    CAlignWizDlg dialog;
    const QList<int> boxes{CAlignWizDlg::IDC_HORIZONTAL, CAlignWizDlg::IDC_VERTICAL, CAlignWizDlg::IDC_HEIGHT,
                           CAlignWizDlg::IDC_WIDTH};
    for (int box : boxes) {
        QVERIFY(!Find<QCheckBox>(&dialog, box)->isChecked());
        QVERIFY(!Find<QComboBox>(&dialog, box + 1)->isEnabled());
    }
    auto* vertical = Find<QCheckBox>(&dialog, CAlignWizDlg::IDC_VERTICAL);
    vertical->click();
    QVERIFY(Find<QComboBox>(&dialog, CAlignWizDlg::IDC_VERTICAL_VALUE)->isEnabled());
    vertical->click();
    QVERIFY(!Find<QComboBox>(&dialog, CAlignWizDlg::IDC_VERTICAL_VALUE)->isEnabled());
}

ZT_TEST_MAIN(TestWizardDialogs)
#include "tst_wizarddialogs.moc"
