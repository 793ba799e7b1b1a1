#pragma once
// Small web sites on disk and the trees that show them, as the project tests
// build them.

#include "support/TestFiles.h"

#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <initializer_list>

namespace ZtTest {

// The project folder main: its project file Site.ztp as a new project has
// it, and files, each holding its own name. Returns the project file.
inline QString WriteSite(const QString& main, std::initializer_list<const char*> files)
{
    for (const char* name : files)
        WriteFile(main + QLatin1Char('/') + QString::fromUtf8(name), name);
    return WriteFile(main + QStringLiteral("/Site.ztp"), "Site\r\r\n");
}

// The child of parent whose label is name; null when there is none.
inline QTreeWidgetItem* ChildNamed(const QTreeWidgetItem* parent, const QString& name)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == name)
            return parent->child(i);
    }
    return nullptr;
}

// Types name into the label being edited in tree and presses Return; false
// when no label is being edited. The tree acts on it a posted step later.
inline bool TypeLabel(QTreeWidget* tree, const QString& name)
{
    auto* editor = tree->findChild<QLineEdit*>();
    if (!editor)
        return false;
    editor->setText(name);
    QTest::keyClick(editor, Qt::Key_Return);
    return true;
}

} // namespace ZtTest
