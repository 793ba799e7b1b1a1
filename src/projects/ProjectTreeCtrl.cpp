#include "projects/ProjectTreeCtrl.h"

#include <QFileInfo>

CProjectTreeCtrl::CProjectTreeCtrl(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    ShowNoProject();
}

void CProjectTreeCtrl::ShowNoProject()
{
    clear();
    m_strProjectFile.clear();
    m_strMainDirectory.clear();
    m_strProjectName.clear();
    addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("No Open Project")}));
}

void CProjectTreeCtrl::SetProjectPath(const QString& projectFile)
{
    m_strProjectFile = projectFile;
    m_strMainDirectory = projectFile.left(qMax(0, int(projectFile.lastIndexOf(QLatin1Char('/')))));
    const QString name = projectFile.mid(projectFile.lastIndexOf(QLatin1Char('/')) + 1);
    m_strProjectName = name.contains(QLatin1Char('.')) ? name.left(name.lastIndexOf(QLatin1Char('.'))) : QString();
}

void CProjectTreeCtrl::FillTree()
{
    clear();
    addTopLevelItem(new QTreeWidgetItem(QStringList{m_strProjectName}));
}
