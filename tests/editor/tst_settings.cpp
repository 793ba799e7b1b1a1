#include "support/Dialogs.h"
#include "support/ResultTable.h"
#include "support/TestMain.h"

#include "framework/Profile.h"
#include "editor/ColorPicker.h"
#include "editor/FontToolBar.h"
#include "editor/PlainTextView.h"
#include "editor/SyntaxSettingsDlg.h"
#include "editor/ZentrelView.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <functional>

namespace {

using ZtTest::Row;

const QString kSettings = QStringLiteral("Settings");
const QString kStartup = QStringLiteral("Startup");

// A colour chooser whose modal run is replaced by a script.
class CScriptedColorPicker : public CColorPicker
{
public:
    using CColorPicker::CColorPicker;
    std::function<bool(QColorDialog&)> m_script;

protected:
    bool RunDialog(QColorDialog& dialog) override { return m_script(dialog); }
};

// A shown Editor Font toolbar that records what it tells its owner, one line
// a notification: "176 size 320", "176 face Serif", "176 return".
struct FontToolBarUnderTest
{
    FontToolBarUnderTest()
    {
        QObject::connect(&toolBar, &CFontToolBar::charFormatNotify, [this](int id, const CCharFormatChange& change) {
            events << (change.field == CCharFormatChange::Field::Size
                           ? QStringLiteral("%1 size %2").arg(id).arg(change.sizeTwips)
                           : QStringLiteral("%1 face %2").arg(id).arg(change.face));
        });
        QObject::connect(&toolBar, &CFontToolBar::returnNotify,
                         [this](int id) { events << QStringLiteral("%1 return").arg(id); });
        toolBar.show();
    }
    CFontToolBar toolBar{176};
    QStringList events;
};

// Clicks a radio button on its indicator: a radio button answers clicks only
// on its indicator and label, not on the rest of its width.
void ClickRadio(QRadioButton* radio)
{
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(radio->height() / 2, radio->height() / 2));
}

} // namespace

class TestEditorSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void rows_data();
    void rows() { ZtTest::CompareResult(); }
    void pickColor_data();
    void pickColor();

    void fontChosenFromListsAndLeaveKeys();
};

void TestEditorSettings::init()
{
    CProfile& profile = CProfile::Instance();
    profile.RemoveSection(kSettings);
    profile.RemoveSection(kStartup);
}

// ---- Settings dialog -------------------------------------------------------

// The Syntax Settings dialog on a profile with SyntaxColoringOn and
// SyntaxFileSize (null: absent): the size shown, then for the radios as read
// and after clicking the other one: the state, the size box enabled, and
// whether the status line fits the state.
static QString SettingsDialog(const QString& coloringOn, const QString& fileSize)
{
    CProfile::Instance().RemoveSection(kSettings);
    if (!coloringOn.isNull())
        CProfile::Instance().WriteString(kSettings, QStringLiteral("SyntaxColoringOn"), coloringOn);
    if (!fileSize.isNull())
        CProfile::Instance().WriteString(kSettings, QStringLiteral("SyntaxFileSize"), fileSize);
    CSyntaxSettingsDlg dialog;
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        return QStringLiteral("not shown");
    QStringList seen{ZtTest::Find<QComboBox>(&dialog, 1216)->currentText()};
    for (int click = 0; click < 2; ++click) {
        const bool on = ZtTest::Find<QRadioButton>(&dialog, 1214)->isChecked();
        if (click)
            ClickRadio(ZtTest::Find<QRadioButton>(&dialog, on ? 1215 : 1214));
        const bool nowOn = ZtTest::Find<QRadioButton>(&dialog, 1214)->isChecked();
        seen << QStringLiteral("%1%2 state:%3 box:%4%5").arg(int(nowOn))
                    .arg(int(ZtTest::Find<QRadioButton>(&dialog, 1215)->isChecked())).arg(dialog.State())
                    .arg(int(ZtTest::Find<QComboBox>(&dialog, 1216)->isEnabled()))
                    .arg(ZtTest::Find<QLabel>(&dialog, 1213)->text() == CSyntaxSettingsDlg::StatusTextFor(nowOn ? 1 : 0)
                             ? QString() : QStringLiteral(" wrong status"));
    }
    return seen.join(QStringLiteral(" | "));
}

// Switches colouring on, types a size, presses OK (1) or Cancel (2): the
// result, then every key written.
static QString SettingsButtons(int button, const QString& typed)
{
    CProfile& profile = CProfile::Instance();
    profile.RemoveSection(kSettings);
    CSyntaxSettingsDlg dialog;
    dialog.show();
    ClickRadio(ZtTest::Find<QRadioButton>(&dialog, 1214));
    ZtTest::Find<QComboBox>(&dialog, 1216)->setEditText(typed);
    ZtTest::Find<QPushButton>(&dialog, button)->click();
    QStringList written{dialog.result() == QDialog::Accepted ? QStringLiteral("ok") : QStringLiteral("cancel")};
    for (const QString& key : profile.Keys(kSettings))
        written << key + QLatin1Char('=') + profile.GetString(kSettings, key);
    return written.join(QLatin1Char(' '));
}

// "Colour by structure" on a profile with SyntaxColoringByStructure (null:
// absent) and SyntaxColoringOn: the box as shown, then after an optional
// click and OK (1) or Cancel (2) the value stored (null: absent).
static QString StructureChoice(const QString& stored, const QString& coloringOn, bool click, int button)
{
    CProfile& profile = CProfile::Instance();
    profile.RemoveSection(kSettings);
    const QString key = QStringLiteral("SyntaxColoringByStructure");
    if (!stored.isNull())
        profile.WriteString(kSettings, key, stored);
    profile.WriteString(kSettings, QStringLiteral("SyntaxColoringOn"), coloringOn);
    CSyntaxSettingsDlg dialog;
    dialog.show();
    auto* box = ZtTest::Find<QCheckBox>(&dialog, CSyntaxSettingsDlg::IDC_COLOR_BY_STRUCTURE);
    const QString shown = QStringLiteral("checked:%1 enabled:%2").arg(int(box->isChecked())).arg(int(box->isEnabled()));
    if (click)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    ZtTest::Find<QPushButton>(&dialog, button)->click();
    const QString after = profile.GetString(kSettings, key);
    return shown + QStringLiteral(" stored:") + (after.isNull() ? QStringLiteral("-") : after);
}

// The dialog's mnemonics, then the ids of its controls in tab order.
static QString MnemonicsAndTabOrder()
{
    CSyntaxSettingsDlg dialog;
    dialog.show();
    QStringList mnemonics;
    const auto collect = [&mnemonics](const QString& text) {
        for (qsizetype at = text.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < text.size();
             at = text.indexOf(QLatin1Char('&'), at + 2)) {
            if (text.at(at + 1) != QLatin1Char('&'))
                mnemonics << text.at(at + 1).toLower();
        }
    };
    // Buttons and labels have a text, group boxes a title.
    for (const QWidget* control : dialog.findChildren<QWidget*>())
        collect(control->property(control->inherits("QGroupBox") ? "title" : "text").toString());
    QStringList order;
    QWidget* first = ZtTest::Find(&dialog, CSyntaxSettingsDlg::IDC_COLORING_ON);
    QWidget* widget = first;
    do {
        bool isId = false;
        widget->objectName().toInt(&isId);
        if (isId && (widget->focusPolicy() & Qt::TabFocus))
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != first);
    return mnemonics.join(QLatin1Char(' ')) + QStringLiteral(" | ") + order.join(QLatin1Char(' '));
}

// ---- Colour chooser --------------------------------------------------------

void TestEditorSettings::pickColor_data()
{
    // The plain form hides the editing part until "Define Custom Colors >>";
    // the full-open form shows it at once. Both use Qt's own dialog, which
    // honours the custom colours, and save those even when cancelled.
    QTest::addColumn<bool>("fullOpen");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("form");
    QTest::newRow("plain, ok") << false << true << "#FF8000"
                               << QStringList{"qt dialog", "hidden", "define", "shown", "define disabled"};
    QTest::newRow("full open, cancel") << true << false << "" << QStringList{"qt dialog", "shown"};
}

void TestEditorSettings::pickColor()
{
    QFETCH(bool, fullOpen);
    QFETCH(bool, confirm);
    QFETCH(QString, expected);
    QFETCH(QStringList, form);
    CProfile& profile = CProfile::Instance();
    profile.WriteString(kSettings, QStringLiteral("Color1"), QStringLiteral("0,128,255"));
    profile.WriteString(kSettings, QStringLiteral("color2"), QStringLiteral("300,-1"));
    profile.WriteString(kSettings, QStringLiteral("Color3"), QString());

    QStringList seen;
    CScriptedColorPicker picker(fullOpen);
    picker.m_script = [&seen, confirm](QColorDialog& dialog) {
        QColorDialog::setCustomColor(15, QColor(1, 2, 3));
        dialog.setCurrentColor(QColor(255, 128, 0));
        if (dialog.testOption(QColorDialog::DontUseNativeDialog))
            seen << QStringLiteral("qt dialog");
        const QList<QWidget*> children = dialog.findChildren<QWidget*>();
        const auto spectrum = std::find_if(children.begin(), children.end(),
                                           [](QWidget* child) { return child->inherits("QColorPicker"); });
        const auto shown = [&] {
            return spectrum != children.end() && (*spectrum)->isVisibleTo(&dialog) ? "shown" : "hidden";
        };
        seen << shown();
        if (auto* define = dialog.findChild<QPushButton*>(QStringLiteral("DefineCustomColors"))) {
            define->click();
            seen << "define" << shown();
            if (!define->isEnabled())
                seen << QStringLiteral("define disabled");
        }
        return confirm;
    };
    QCOMPARE(picker.PickColor(), expected);
    QCOMPARE(seen, form);
    // The colours read from the profile went into the dialog and came back in
    // canonical form, with the one the user added.
    QStringList saved;
    for (const int slot : {1, 2, 3, 10, 16})
        saved << profile.GetString(kSettings, QStringLiteral("Color%1").arg(slot));
    QCOMPARE(saved.join(' '), QStringLiteral("0,128,255 44,255,0 255,255,255 255,255,255 1,2,3"));
}

// ---- Editor Font toolbar ---------------------------------------------------

// Stores FontSize and FontFace (null: absent) and describes, in points, the
// page editor's default format, the plain text editor's, the screen font both
// draw with, and the size the Editor Font toolbar shows; its face box shows
// the face that font resolves to. A stored size above the cap gives the cap,
// never the default.
static QString FontsFor(const QString& size, const QString& face = QString())
{
    CProfile& profile = CProfile::Instance();
    profile.RemoveSection(kStartup);
    if (!size.isNull())
        profile.WriteString(kStartup, QStringLiteral("FontSize"), size);
    if (!face.isNull())
        profile.WriteString(kStartup, QStringLiteral("FontFace"), face);
    CZentrelView page;
    CPlainTextView text;
    CFontToolBar toolBar(176);
    const QFont drawn = page.GetEditorFont();
    QString described = QStringLiteral("%1 %2 %3 box:%4").arg(page.DefaultCharFormat().fontPointSize())
        .arg(text.DefaultCharFormat().fontPointSize()).arg(text.GetEditorFont().pointSizeF())
        .arg(toolBar.SizeBox()->currentText());
    if (drawn.pointSizeF() != text.GetEditorFont().pointSizeF())
        described += QStringLiteral(" fonts differ");
    if (toolBar.SizeBox()->currentIndex() != toolBar.SizeBox()->findText(toolBar.SizeBox()->currentText()))
        described += QStringLiteral(" size not chosen");
    if (toolBar.FaceBox()->currentIndex() < 0 || toolBar.FaceBox()->currentText() != QFontInfo(drawn).family())
        described += QStringLiteral(" face ") + toolBar.FaceBox()->currentText();
    return described;
}

// Types a size into the Editor Font toolbar, a key at a time, then presses
// key (0: the focus moves on to the face box instead): what the toolbar told
// its owner, then the size stored (-1: none). Typing "1" stays "1": no
// completion turns it into "10".
static QString TypedSize(const QString& typed, int key)
{
    CProfile::Instance().RemoveSection(kStartup);
    FontToolBarUnderTest bar;
    if (!QTest::qWaitForWindowExposed(&bar.toolBar))
        return QStringLiteral("not shown");
    QLineEdit* edit = bar.toolBar.SizeBox()->lineEdit();
    edit->setFocus();
    edit->clear();
    for (qsizetype i = 0; i < typed.size(); ++i) {
        QTest::keyClicks(edit, typed.mid(i, 1));
        if (edit->text() != typed.left(i + 1))
            return QStringLiteral("completed to ") + edit->text();
    }
    if (key != 0)
        QTest::keyClick(edit, Qt::Key(key));
    else
        bar.toolBar.FaceBox()->setFocus();
    return (bar.events << QString::number(CProfile::Instance().GetInt(kStartup, QStringLiteral("FontSize"), -1)))
        .join(QStringLiteral(", "));
}

void TestEditorSettings::fontChosenFromListsAndLeaveKeys()
{
    FontToolBarUnderTest bar;
    QVERIFY(QTest::qWaitForWindowExposed(&bar.toolBar));
    emit bar.toolBar.SizeBox()->activated(bar.toolBar.SizeBox()->findText(QStringLiteral("14")));
    QCOMPARE(bar.events, QStringList{"176 size 280"});
    QCOMPARE(CProfile::Instance().GetInt(kStartup, QStringLiteral("FontSize"), -1), 280);

    if (QFontDatabase::families().size() < 2)
        QSKIP("needs two installed font families");
    QComboBox* face = bar.toolBar.FaceBox();
    face->setCurrentIndex(0);
    bar.events.clear();
    QTest::keyClick(face, Qt::Key_Down);
    // Enter and Escape in the face box, and Enter on the toolbar itself, only
    // hand the focus back.
    QTest::keyClick(face, Qt::Key_Return);
    QTest::keyClick(face, Qt::Key_Escape);
    QTest::keyClick(&bar.toolBar, Qt::Key_Enter);

    const QString chosen = face->itemText(1);
    QCOMPARE(bar.events, (QStringList{QStringLiteral("176 face ") + chosen.left(31), "176 return", "176 return",
                                      "176 return"}));
    QCOMPARE(CProfile::Instance().GetString(kStartup, QStringLiteral("FontFace")), chosen);
}

void TestEditorSettings::rows_data()
{
    ZtTest::ResultColumns();
    // A stored custom colour as read and shown, and read again once written back
    // in the canonical form.
    const auto read = [](const QString& stored) {
        const QColor parsed = CColorPicker::ParseCustomColor(stored);
        const QColor reread = CColorPicker::ParseCustomColor(CColorPicker::FormatCustomColor(parsed));
        return CColorPicker::FormatHtmlColor(parsed) + (reread == parsed ? QString() : QStringLiteral(" changed"));
    };
    Row("plain", read("0,128,255"), "#0080FF");
    Row("empty is white", read(""), "#FFFFFF");
    Row("stops at a non-number", read("5,x,7"), "#050000");
    Row("extra numbers ignored", read("1,2,3,4"), "#010203");

    Row("keys absent", SettingsDialog(QString(), QString()), "0 | 01 state:0 box:0 | 10 state:1 box:1");
    Row("on with size", SettingsDialog("1", "12000"), "12000 | 10 state:1 box:1 | 01 state:0 box:0");
    Row("off keeps size", SettingsDialog("0", "7000"), "7000 | 01 state:0 box:0 | 10 state:1 box:1");
    Row("any non-zero is on", SettingsDialog("2", "5000"), "5000 | 10 state:1 box:1 | 01 state:0 box:0");

    Row("list value", SettingsButtons(1, "12000"), "ok SyntaxFileSize=12000 SyntaxColoringOn=1 SyntaxColoringByStructure=0");
    Row("letters", SettingsButtons(1, "abc"), "ok SyntaxFileSize=0 SyntaxColoringOn=1 SyntaxColoringByStructure=0");
    Row("number then text", SettingsButtons(1, "15000 bytes"), "ok SyntaxFileSize=15000 SyntaxColoringOn=1 SyntaxColoringByStructure=0");
    Row("beyond int", SettingsButtons(1, "99999999999"), "ok SyntaxFileSize=2147483647 SyntaxColoringOn=1 SyntaxColoringByStructure=0");
    Row("cancel", SettingsButtons(2, "20000"), "cancel");

    // The check box starts from the profile, follows the radios, and only OK
    // writes it; its mnemonic is the dialog's only one and it comes after the
    // size box in the tab order.
    Row("structure absent: off", StructureChoice(QString(), "1", false, 1), "checked:0 enabled:1 stored:0");
    Row("structure stored on", StructureChoice("1", "1", false, 1), "checked:1 enabled:1 stored:1");
    Row("structure ticked, OK", StructureChoice("0", "1", true, 1), "checked:0 enabled:1 stored:1");
    Row("structure unticked, OK", StructureChoice("1", "1", true, 1), "checked:1 enabled:1 stored:0");
    Row("structure ticked, Cancel", StructureChoice(QString(), "1", true, 2), "checked:0 enabled:1 stored:-");
    Row("structure kept while colouring is off", StructureChoice("1", "0", false, 1), "checked:1 enabled:0 stored:1");
    Row("mnemonics and tab order", MnemonicsAndTabOrder(), "s | 1214 1215 1216 1217 1 2");

    Row("absent", FontsFor(QString()), "9 10 9 box:9");
    Row("below the cap", FontsFor("240"), "12 12 12 box:12");
    Row("at the cap", FontsFor("280"), "14 14 14 box:14");
    Row("above the cap, empty face", FontsFor("400", ""), "14 14 20 box:20");
    Row("odd size, face not installed", FontsFor("250", "No Such Face Zq"), "12.5 12.5 12.5 box:12.5");
    Row("above the largest screen size", FontsFor("5000"), "14 14 200 box:200");
    Row("largest number", FontsFor("2147483647"), "14 14 200 box:200");
    Row("zero", FontsFor("0"), "9 10 9 box:9");
    Row("negative", FontsFor("-100"), "9 10 9 box:9");
    Row("letters", FontsFor("big"), "9 10 9 box:9");
    const QStringList families = QFontDatabase::families();
    if (!families.isEmpty())
        Row("face in any case", FontsFor(QString(), families.last().toUpper()), "9 10 9 box:9");

    // Enter applies a size only once: the combo box does not also choose the
    // matching list item.
    Row("enter applies a list size", TypedSize("12", Qt::Key_Return), "176 size 240, 176 return, 240");
    Row("enter reads the leading number", TypedSize("12pt", Qt::Key_Return), "176 size 240, 176 return, 240");
    Row("enter without a number", TypedSize("xy", Qt::Key_Return), "176 return, -1");
    Row("enter with a negative size", TypedSize("-3", Qt::Key_Return), "176 return, -1");
    Row("escape drops the size", TypedSize("16", Qt::Key_Escape), "176 return, -1");
    Row("leaving applies nothing", TypedSize("12", 0), "-1");
}

ZT_TEST_MAIN(TestEditorSettings)
#include "tst_settings.moc"
