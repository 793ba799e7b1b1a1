#include "support/TestMain.h"

#include "app/Profile.h"
#include "editor/ColorPicker.h"
#include "editor/FontToolBar.h"
#include "editor/SyntaxSettingsDlg.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <limits>

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kStartup = QStringLiteral("Startup");

// A colour chooser whose modal run is replaced by a script.
class CScriptedColorPicker : public CColorPicker
{
public:
    CScriptedColorPicker(bool fullOpen, std::function<bool(QColorDialog&)> script)
        : CColorPicker(fullOpen)
        , m_script(std::move(script))
    {
    }

protected:
    bool RunDialog(QColorDialog& dialog) override { return m_script(dialog); }

private:
    std::function<bool(QColorDialog&)> m_script;
};

// Records what the font toolbar tells its owner.
struct FontToolBarRecorder
{
    explicit FontToolBarRecorder(CFontToolBar& toolBar)
    {
        QObject::connect(&toolBar, &CFontToolBar::charFormatNotify,
                         [this](int id, const CCharFormatChange& change) {
                             events << QStringLiteral("format");
                             ids << id;
                             changes << change;
                         });
        QObject::connect(&toolBar, &CFontToolBar::returnNotify, [this](int id) {
            events << QStringLiteral("return");
            ids << id;
        });
    }
    QStringList events;
    QList<int> ids;
    QList<CCharFormatChange> changes;
};

template <typename T>
T* Control(QWidget& parent, int id)
{
    T* control = parent.findChild<T*>(QString::number(id));
    if (!control)
        qFatal("control %d missing", id);
    return control;
}

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

    void settingsDialogControls();
    void settingsDialogStartsFromProfile_data();
    void settingsDialogStartsFromProfile();
    void settingsRadiosToggleSizeBox();
    void settingsOkWritesProfile_data();
    void settingsOkWritesProfile();
    void settingsCancelWritesNothing();

    void htmlColorFormat_data();
    void htmlColorFormat();
    void customColorParse_data();
    void customColorParse();
    void pickColorLoadsAndSavesCustomColors();
    void pickColorCancelStillSaves();
    void pickColorForms();

    void fontToolBarControls();
    void fontToolBarStartsFromProfile_data();
    void fontToolBarStartsFromProfile();
    void fontToolBarFaceFromProfile();
    void fontSizeParse_data();
    void fontSizeParse();
    void fontSizeEnter_data();
    void fontSizeEnter();
    void fontSizeChosenFromList();
    void fontSizeTypedThenLeftDoesNothing();
    void fontFaceChosen();
    void fontToolBarLeaveKeys();
    void fontToolBarSync();
};

void TestEditorSettings::init()
{
    CProfile& profile = CProfile::Instance();
    profile.RemoveSection(kSettings);
    profile.RemoveSection(kStartup);
}

// ---- Settings dialog -------------------------------------------------------

void TestEditorSettings::settingsDialogControls()
{
    CSyntaxSettingsDlg dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Settings"));
    QCOMPARE(Control<QRadioButton>(dialog, 1214)->text(), QStringLiteral("Syntax coloring On"));
    QCOMPARE(Control<QRadioButton>(dialog, 1215)->text(), QStringLiteral("Syntax coloring Off"));
    QCOMPARE(Control<QPushButton>(dialog, 1)->text(), QStringLiteral("OK"));
    QCOMPARE(Control<QPushButton>(dialog, 2)->text(), QStringLiteral("Cancel"));
    auto* sizeBox = Control<QComboBox>(dialog, 1216);
    QVERIFY(sizeBox->isEditable());
    QStringList items;
    for (int i = 0; i < sizeBox->count(); ++i)
        items << sizeBox->itemText(i);
    QCOMPARE(items, QStringList({"5000", "7000", "10000", "12000", "15000", "17000", "20000", "25000"}));
}

void TestEditorSettings::settingsDialogStartsFromProfile_data()
{
    QTest::addColumn<QString>("coloringOn"); // empty: key absent
    QTest::addColumn<QString>("fileSize");
    QTest::addColumn<bool>("expectOn");
    QTest::addColumn<QString>("expectSizeText");

    QTest::newRow("keys absent") << QString() << QString() << false << "0";
    QTest::newRow("on with size") << "1" << "12000" << true << "12000";
    QTest::newRow("off keeps size") << "0" << "7000" << false << "7000";
    QTest::newRow("any non-zero is on") << "2" << "5000" << true << "5000";
    QTest::newRow("malformed is off") << "yes" << "lots" << false << "0";
}

void TestEditorSettings::settingsDialogStartsFromProfile()
{
    QFETCH(QString, coloringOn);
    QFETCH(QString, fileSize);
    QFETCH(bool, expectOn);
    QFETCH(QString, expectSizeText);
    if (!coloringOn.isNull())
        CProfile::Instance().WriteString(kSettings, QStringLiteral("SyntaxColoringOn"), coloringOn);
    if (!fileSize.isNull())
        CProfile::Instance().WriteString(kSettings, QStringLiteral("SyntaxFileSize"), fileSize);

    CSyntaxSettingsDlg dialog;
    QCOMPARE(Control<QRadioButton>(dialog, 1214)->isChecked(), expectOn);
    QCOMPARE(Control<QRadioButton>(dialog, 1215)->isChecked(), !expectOn);
    QCOMPARE(dialog.State(), expectOn ? 1 : 0);
    QCOMPARE(Control<QComboBox>(dialog, 1216)->isEnabled(), expectOn);
    QCOMPARE(Control<QComboBox>(dialog, 1216)->currentText(), expectSizeText);
    QCOMPARE(Control<QLabel>(dialog, 1213)->text(), CSyntaxSettingsDlg::StatusTextFor(expectOn ? 1 : 0));
}

void TestEditorSettings::settingsRadiosToggleSizeBox()
{
    CSyntaxSettingsDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* on = Control<QRadioButton>(dialog, 1214);
    auto* off = Control<QRadioButton>(dialog, 1215);
    auto* sizeBox = Control<QComboBox>(dialog, 1216);
    auto* status = Control<QLabel>(dialog, 1213);

    ClickRadio(on);
    QCOMPARE(dialog.State(), 1);
    QVERIFY(sizeBox->isEnabled());
    QVERIFY(!off->isChecked());
    QCOMPARE(status->text(),
             QStringLiteral("Set the maximum size of a file that Zentrel should allow syntax coloring on. "
                            "Slower machines(100 mhz and lower) should stay below 10000 bites to "
                            "prevent lock-up."));

    ClickRadio(off);
    QCOMPARE(dialog.State(), 0);
    QVERIFY(!sizeBox->isEnabled());
    QVERIFY(!on->isChecked());
    QCOMPARE(status->text(), QStringLiteral("No syntax coloring."));
}

void TestEditorSettings::settingsOkWritesProfile_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expectSize");

    QTest::newRow("list value") << "12000" << 12000;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("number then text") << "15000 bytes" << 15000;
    QTest::newRow("leading blank") << " 7000" << 7000;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("beyond int") << "99999999999" << std::numeric_limits<int>::max();
}

void TestEditorSettings::settingsOkWritesProfile()
{
    QFETCH(QString, typed);
    QFETCH(int, expectSize);
    CSyntaxSettingsDlg dialog;
    dialog.show();
    ClickRadio(Control<QRadioButton>(dialog, 1214));
    Control<QComboBox>(dialog, 1216)->setEditText(typed);
    Control<QPushButton>(dialog, 1)->click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const CProfile& profile = CProfile::Instance();
    QCOMPARE(profile.GetString(kSettings, QStringLiteral("SyntaxFileSize")), QString::number(expectSize));
    QCOMPARE(profile.GetString(kSettings, QStringLiteral("SyntaxColoringOn")), QStringLiteral("1"));
}

void TestEditorSettings::settingsCancelWritesNothing()
{
    CSyntaxSettingsDlg dialog;
    dialog.show();
    ClickRadio(Control<QRadioButton>(dialog, 1214));
    Control<QComboBox>(dialog, 1216)->setEditText(QStringLiteral("20000"));
    Control<QPushButton>(dialog, 2)->click();

    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(CProfile::Instance().Keys(kSettings).isEmpty());
}

// ---- Colour chooser --------------------------------------------------------

void TestEditorSettings::htmlColorFormat_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pure red") << QColor(255, 0, 0) << "#FF0000";
    QTest::newRow("small values padded") << QColor(12, 5, 0) << "#0C0500";
    QTest::newRow("orange") << QColor(255, 128, 0) << "#FF8000";
    QTest::newRow("upper-case letters") << QColor(0xAB, 0xCD, 0xEF) << "#ABCDEF";
    QTest::newRow("black") << QColor(0, 0, 0) << "#000000";
}

void TestEditorSettings::htmlColorFormat()
{
    QFETCH(QColor, color);
    QFETCH(QString, expected);
    QCOMPARE(CColorPicker::FormatHtmlColor(color), expected);
}

void TestEditorSettings::customColorParse_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("plain") << "0,128,255" << QColor(0, 128, 255);
    QTest::newRow("empty is white") << "" << QColor(255, 255, 255);
    QTest::newRow("no number is white") << "red" << QColor(255, 255, 255);
    QTest::newRow("blanks") << " 1, 2, 3" << QColor(1, 2, 3);
    QTest::newRow("too few numbers") << "10,20" << QColor(10, 20, 0);
    QTest::newRow("stops at a non-number") << "5,x,7" << QColor(5, 0, 0);
    QTest::newRow("extra numbers ignored") << "1,2,3,4" << QColor(1, 2, 3);
    QTest::newRow("red low eight bits") << "300,0,0" << QColor(44, 0, 0);
    QTest::newRow("negative red") << "-1,0,0" << QColor(255, 0, 0);
    QTest::newRow("green and blue low eight bits") << "1,256,513" << QColor(1, 0, 1);
    QTest::newRow("negative blue") << "0,0,-2" << QColor(0, 0, 254);
    QTest::newRow("beyond int is no number") << "99999999999,1,1" << QColor(255, 255, 255);
}

void TestEditorSettings::customColorParse()
{
    QFETCH(QString, stored);
    QFETCH(QColor, expected);
    const QColor parsed = CColorPicker::ParseCustomColor(stored);
    QCOMPARE(parsed, expected);
    // Whatever was read is written back in the canonical form.
    QCOMPARE(CColorPicker::ParseCustomColor(CColorPicker::FormatCustomColor(parsed)), parsed);
}

void TestEditorSettings::pickColorLoadsAndSavesCustomColors()
{
    CProfile& profile = CProfile::Instance();
    profile.WriteString(kSettings, QStringLiteral("Color1"), QStringLiteral("0,128,255"));
    profile.WriteString(kSettings, QStringLiteral("color2"), QStringLiteral("300,-1"));
    profile.WriteString(kSettings, QStringLiteral("Color3"), QString());

    QList<QColor> seen;
    CScriptedColorPicker picker(false, [&seen](QColorDialog& dialog) {
        for (int i = 0; i < CColorPicker::kCustomColorCount; ++i)
            seen << QColorDialog::customColor(i);
        QColorDialog::setCustomColor(15, QColor(1, 2, 3));
        dialog.setCurrentColor(QColor(255, 128, 0));
        return true;
    });
    QCOMPARE(picker.PickColor(), QStringLiteral("#FF8000"));

    QCOMPARE(seen.size(), 16);
    QCOMPARE(seen[0], QColor(0, 128, 255));
    QCOMPARE(seen[1], QColor(44, 255, 0));
    QCOMPARE(seen[2], QColor(255, 255, 255));
    QCOMPARE(seen[9], QColor(255, 255, 255));
    QCOMPARE(profile.GetString(kSettings, QStringLiteral("Color1")), QStringLiteral("0,128,255"));
    QCOMPARE(profile.GetString(kSettings, QStringLiteral("Color2")), QStringLiteral("44,255,0"));
    QCOMPARE(profile.GetString(kSettings, QStringLiteral("Color10")), QStringLiteral("255,255,255"));
    QCOMPARE(profile.GetString(kSettings, QStringLiteral("Color16")), QStringLiteral("1,2,3"));
}

void TestEditorSettings::pickColorCancelStillSaves()
{
    CScriptedColorPicker picker(false, [](QColorDialog& dialog) {
        QColorDialog::setCustomColor(4, QColor(12, 5, 0));
        dialog.setCurrentColor(Qt::red);
        return false;
    });
    QCOMPARE(picker.PickColor(), QString());
    QCOMPARE(CProfile::Instance().GetString(kSettings, QStringLiteral("Color5")), QStringLiteral("12,5,0"));
    QCOMPARE(CProfile::Instance().GetString(kSettings, QStringLiteral("Color1")), QStringLiteral("255,255,255"));
}

void TestEditorSettings::pickColorForms()
{
    // The plain form hides the editing part until "Define Custom Colors >>";
    // the full-open form shows it at once. Both use Qt's own dialog, which
    // honours the custom colours.
    for (const bool fullOpen : {false, true}) {
        struct Seen
        {
            bool ran = false;
            bool qtDialog = false;
            bool spectrumFound = false;
            bool spectrumShown = false;
            bool defineOffered = false;
            bool spectrumShownAfterDefine = false;
            bool defineDisabledAfterUse = false;
        } seen;
        CScriptedColorPicker picker(fullOpen, [&seen](QColorDialog& dialog) {
            seen.ran = true;
            seen.qtDialog = dialog.testOption(QColorDialog::DontUseNativeDialog);
            QWidget* spectrum = nullptr;
            for (QWidget* child : dialog.findChildren<QWidget*>()) {
                if (child->inherits("QColorPicker"))
                    spectrum = child;
            }
            seen.spectrumFound = spectrum != nullptr;
            if (!spectrum)
                return false;
            seen.spectrumShown = spectrum->isVisibleTo(&dialog);
            auto* define = dialog.findChild<QPushButton*>(QStringLiteral("DefineCustomColors"));
            seen.defineOffered = define != nullptr;
            if (define) {
                define->click();
                seen.spectrumShownAfterDefine = spectrum->isVisibleTo(&dialog);
                seen.defineDisabledAfterUse = !define->isEnabled();
            }
            return false;
        });
        picker.PickColor();
        QVERIFY(seen.ran);
        QVERIFY(seen.qtDialog);
        QVERIFY(seen.spectrumFound);
        QCOMPARE(seen.spectrumShown, fullOpen);
        QCOMPARE(seen.defineOffered, !fullOpen);
        if (!fullOpen) {
            QVERIFY(seen.spectrumShownAfterDefine);
            QVERIFY(seen.defineDisabledAfterUse);
        }
    }
}

// ---- Editor Font toolbar ---------------------------------------------------

void TestEditorSettings::fontToolBarControls()
{
    CFontToolBar toolBar(176);
    QCOMPARE(toolBar.objectName(), QStringLiteral("FontToolBar"));
    QCOMPARE(toolBar.windowTitle(), QStringLiteral("Editor Font"));
    QCOMPARE(toolBar.ResourceId(), 176);

    auto* face = Control<QComboBox>(toolBar, 113);
    auto* size = Control<QComboBox>(toolBar, 114);
    QCOMPARE(face, toolBar.FaceBox());
    QCOMPARE(size, toolBar.SizeBox());
    QVERIFY(!face->isEditable());
    QVERIFY(size->isEditable());
    QCOMPARE(size->lineEdit()->maxLength(), 4);
    QCOMPARE(face->maxVisibleItems(), 16);

    QStringList faces;
    for (int i = 0; i < face->count(); ++i)
        faces << face->itemText(i);
    QCOMPARE(faces, QFontDatabase::families());
    QStringList sizes;
    for (int i = 0; i < size->count(); ++i)
        sizes << size->itemText(i);
    QCOMPARE(sizes, QStringList({"8", "9", "10", "11", "12", "14"}));

    QAction toggle(QStringLiteral("&Fonts toolbar"));
    toolBar.AddToggleAction(&toggle);
    QCOMPARE(toolBar.actions().last(), &toggle);
}

void TestEditorSettings::fontToolBarStartsFromProfile_data()
{
    QTest::addColumn<QString>("stored"); // null: key absent
    QTest::addColumn<QString>("expectText");
    QTest::newRow("absent is 10") << QString() << "10";
    QTest::newRow("9 points") << "180" << "9";
    QTest::newRow("capped at 14") << "400" << "14";
    QTest::newRow("280 is 14") << "280" << "14";
    QTest::newRow("rounds down") << "250" << "12";
    QTest::newRow("malformed is default") << "big" << "10";
    QTest::newRow("zero is default") << "0" << "10";
    QTest::newRow("negative is default") << "-100" << "10";
}

void TestEditorSettings::fontToolBarStartsFromProfile()
{
    QFETCH(QString, stored);
    QFETCH(QString, expectText);
    if (!stored.isNull())
        CProfile::Instance().WriteString(kStartup, QStringLiteral("FontSize"), stored);
    CFontToolBar toolBar(176);
    QCOMPARE(toolBar.SizeBox()->currentText(), expectText);
    QCOMPARE(toolBar.SizeBox()->currentIndex(), toolBar.SizeBox()->findText(expectText));
}

void TestEditorSettings::fontToolBarFaceFromProfile()
{
    const QStringList families = QFontDatabase::families();
    if (families.isEmpty())
        QSKIP("no fonts installed");
    CProfile& profile = CProfile::Instance();
    const QString installed = families.last();

    profile.WriteString(kStartup, QStringLiteral("FontFace"), installed.toUpper());
    QCOMPARE(CFontToolBar(176).FaceBox()->currentText(), installed);

    profile.WriteString(kStartup, QStringLiteral("FontFace"), QStringLiteral("No Such Face Zq"));
    QCOMPARE(CFontToolBar(176).FaceBox()->currentIndex(), -1);

    // Empty and absent both mean "Courier New", selected only if installed.
    const int courier = families.indexOf(QStringLiteral("Courier New"));
    profile.WriteString(kStartup, QStringLiteral("FontFace"), QString());
    QCOMPARE(CFontToolBar(176).FaceBox()->currentIndex(), courier);
    profile.RemoveKey(kStartup, QStringLiteral("FontFace"));
    QCOMPARE(CFontToolBar(176).FaceBox()->currentIndex(), courier);
}

void TestEditorSettings::fontSizeParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("twips");
    QTest::newRow("16") << "16" << 320;
    QTest::newRow("8") << "8" << 160;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("letters") << "ab" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("trailing text") << "12pt" << 240;
    QTest::newRow("first four characters") << "123456" << 24680;
    QTest::newRow("negative") << "-3" << 0;
}

void TestEditorSettings::fontSizeParse()
{
    QFETCH(QString, text);
    QFETCH(int, twips);
    QCOMPARE(CFontToolBar::ParseSizeTwips(text), twips);
}

void TestEditorSettings::fontSizeEnter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("twips"); // 0: nothing applied
    QTest::newRow("16 points") << "16" << 320;
    QTest::newRow("list size") << "12" << 240;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("letters") << "xy" << 0;
}

void TestEditorSettings::fontSizeEnter()
{
    QFETCH(QString, typed);
    QFETCH(int, twips);
    CFontToolBar toolBar(176);
    FontToolBarRecorder recorder(toolBar);
    toolBar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolBar));
    QLineEdit* edit = toolBar.SizeBox()->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);

    const CProfile& profile = CProfile::Instance();
    if (twips == 0) {
        QCOMPARE(recorder.events, QStringList({"return"}));
        QVERIFY(!profile.Contains(kStartup, QStringLiteral("FontSize")));
    } else {
        QCOMPARE(recorder.events, QStringList({"format", "return"}));
        QCOMPARE(recorder.changes.first().field, CCharFormatChange::Field::Size);
        QCOMPARE(recorder.changes.first().sizeTwips, twips);
        QCOMPARE(profile.GetInt(kStartup, QStringLiteral("FontSize"), -1), twips);
    }
    QCOMPARE(recorder.ids, QList<int>(recorder.events.size(), 176));
}

void TestEditorSettings::fontSizeChosenFromList()
{
    CFontToolBar toolBar(176);
    FontToolBarRecorder recorder(toolBar);
    emit toolBar.SizeBox()->activated(toolBar.SizeBox()->findText(QStringLiteral("14")));
    QCOMPARE(recorder.events, QStringList({"format"}));
    QCOMPARE(recorder.changes.first().sizeTwips, 280);
    QCOMPARE(CProfile::Instance().GetInt(kStartup, QStringLiteral("FontSize"), -1), 280);
}

void TestEditorSettings::fontSizeTypedThenLeftDoesNothing()
{
    // Typing a size that is in the list and moving on without Enter applies
    // nothing: only Enter or a choice from the list does.
    CFontToolBar toolBar(176);
    FontToolBarRecorder recorder(toolBar);
    toolBar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolBar));
    QLineEdit* edit = toolBar.SizeBox()->lineEdit();
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("1"));
    QCOMPARE(edit->text(), QStringLiteral("1"));
    QTest::keyClicks(edit, QStringLiteral("2"));
    toolBar.FaceBox()->setFocus();
    QVERIFY(recorder.events.isEmpty());
    QVERIFY(!CProfile::Instance().Contains(kStartup, QStringLiteral("FontSize")));
}

void TestEditorSettings::fontFaceChosen()
{
    if (QFontDatabase::families().size() < 2)
        QSKIP("needs two installed font families");
    CFontToolBar toolBar(176);
    FontToolBarRecorder recorder(toolBar);
    toolBar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolBar));
    QComboBox* face = toolBar.FaceBox();
    face->setCurrentIndex(0);
    QTest::keyClick(face, Qt::Key_Down);

    const QString chosen = face->itemText(1);
    QCOMPARE(recorder.events, QStringList({"format"}));
    QCOMPARE(recorder.changes.first().field, CCharFormatChange::Field::Face);
    QCOMPARE(recorder.changes.first().face, chosen.left(31));
    QCOMPARE(CProfile::Instance().GetString(kStartup, QStringLiteral("FontFace")), chosen);
}

void TestEditorSettings::fontToolBarLeaveKeys()
{
    CFontToolBar toolBar(176);
    FontToolBarRecorder recorder(toolBar);
    toolBar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolBar));

    toolBar.SizeBox()->setEditText(QStringLiteral("16"));
    QTest::keyClick(toolBar.SizeBox()->lineEdit(), Qt::Key_Escape);
    QTest::keyClick(toolBar.FaceBox(), Qt::Key_Return);
    QTest::keyClick(toolBar.FaceBox(), Qt::Key_Escape);
    QTest::keyClick(&toolBar, Qt::Key_Enter);

    // Escape does not apply the typed size, and Enter in the face box only
    // hands the focus back.
    QCOMPARE(recorder.events, QStringList({"return", "return", "return", "return"}));
    QVERIFY(!CProfile::Instance().Contains(kStartup, QStringLiteral("FontSize")));
    QVERIFY(!CProfile::Instance().Contains(kStartup, QStringLiteral("FontFace")));
}

void TestEditorSettings::fontToolBarSync()
{
    CFontToolBar toolBar(176);
    CProfile::Instance().WriteInt(kStartup, QStringLiteral("FontSize"), 320);
    toolBar.SyncFromProfile();
    QCOMPARE(toolBar.SizeBox()->currentText(), QStringLiteral("14"));
    CProfile::Instance().WriteInt(kStartup, QStringLiteral("FontSize"), 220);
    toolBar.SyncFromProfile();
    QCOMPARE(toolBar.SizeBox()->currentText(), QStringLiteral("11"));
}

ZT_TEST_MAIN(TestEditorSettings)
#include "tst_settings.moc"
