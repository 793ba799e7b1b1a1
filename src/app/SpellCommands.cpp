#include "app/SpellCommands.h"

#include "editor/SpellChecker.h"
#include "framework/CmdUI.h"
#include "framework/MessageBox.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>

namespace {
QString AskForDictionary(QWidget* parent, const QStringList& installed, const QString& current)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, QObject::tr("Spelling Dictionary"),
                                                 QObject::tr("Check the spelling of pages in:"), installed,
                                                 qMax(0, installed.indexOf(current)), false, &ok);
    return ok ? chosen : QString();
}

CSpellCommands::Chooser& InstalledChooser()
{
    static CSpellCommands::Chooser chooser;
    return chooser;
}
} // namespace

void CSpellCommands::SetChooser(Chooser chooser)
{
    InstalledChooser() = std::move(chooser);
}

void CSpellCommands::Map(const CommandMapper& onCommand, const UpdateMapper& onUpdate)
{
    onCommand(ZtCmd::ID_CHECK_SPELLING, [] { OnCheckSpelling(); });
    onUpdate(ZtCmd::ID_CHECK_SPELLING,
             [](CCmdUI* cmdUI) { cmdUI->SetCheck(CSpellChecker::Instance().IsEnabled()); });
    onCommand(ZtCmd::ID_SPELLING_DICTIONARY, [] { OnChooseDictionary(QApplication::activeWindow()); });
}

void CSpellCommands::OnCheckSpelling()
{
    CSpellChecker& checker = CSpellChecker::Instance();
    checker.SetEnabled(!checker.IsEnabled());
}

void CSpellCommands::OnChooseDictionary(QWidget* parent)
{
    CSpellChecker& checker = CSpellChecker::Instance();
    const QStringList installed = checker.InstalledDictionaries();
    if (installed.isEmpty()) {
        ZtMessageBox::Show(QObject::tr("No spelling dictionary is installed in %1.")
                               .arg(CSpellChecker::DictionaryFolders().join(QStringLiteral(", "))),
                           QMessageBox::Warning);
        return;
    }
    const Chooser& chooser = InstalledChooser();
    const QString chosen = chooser ? chooser(parent, installed, checker.ChosenDictionary())
                                   : AskForDictionary(parent, installed, checker.ChosenDictionary());
    if (!chosen.isEmpty())
        checker.SetChosenDictionary(chosen);
}
