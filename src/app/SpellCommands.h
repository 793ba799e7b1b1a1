#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class CCmdUI;
class QWidget;

// The spelling commands of the Tools menu: Check Spelling switches the
// underlines of every page on and off; Spelling Dictionary chooses the
// dictionary of pages that name no language of their own.
class CSpellCommands
{
public:
    using CommandMapper = std::function<void(int, std::function<void()>)>;
    using UpdateMapper = std::function<void(int, std::function<void(CCmdUI*)>)>;
    static void Map(const CommandMapper& onCommand, const UpdateMapper& onUpdate);

    // Asks for one of the installed dictionaries, current preselected; empty
    // on Cancel. Tests install their own answer (null restores the dialog).
    using Chooser = std::function<QString(QWidget* parent, const QStringList& installed, const QString& current)>;
    static void SetChooser(Chooser chooser);

    static void OnCheckSpelling();
    static void OnChooseDictionary(QWidget* parent);
};
