#include "res/CommandIcons.h"

#include "res/CommandIds.h"

#include <QHash>

using namespace ZtCmd;

namespace ZtRes {
namespace {

// Commands that do the same thing in different places (copy in the trees and
// the list, new folder in every tree) share one picture.
const QHash<int, QString>& IconNames()
{
    static const QHash<int, QString> names{
        // Main toolbar.
        {ID_PROJECT_OPEN, QStringLiteral("project-open")},
        {ID_FILE_OPEN_WEB_PROJECT, QStringLiteral("project-open")},
        {ID_FILE_NEW, QStringLiteral("file-new")},
        {ID_FILE_OPEN, QStringLiteral("file-open")},
        {ID_BROWSER_FILE_OPEN, QStringLiteral("file-open")},
        {ID_EDIT_CUT, QStringLiteral("cut")},
        {ID_EDIT_COPY, QStringLiteral("copy")},
        {ID_EDIT_PASTE, QStringLiteral("paste")},
        {ID_FILE_PRINT, QStringLiteral("print")},
        {ID_EDIT_UNDO, QStringLiteral("undo")},
        {ID_EDIT_FIND, QStringLiteral("find")},
        {ID_TOGGLE_WORKSPACE, QStringLiteral("toggle-workspace")},
        {ID_VIEW_PROJECTBAR, QStringLiteral("toggle-workspace")},
        {ID_TOGGLE_LISTBAR, QStringLiteral("toggle-listbar")},
        {ID_VIEW_LISTBAR, QStringLiteral("toggle-listbar")},
        {ID_CONTEXT_HELP, QStringLiteral("help")},
        {ID_HELP_FINDER, QStringLiteral("help")},
        {ID_APP_ABOUT, QStringLiteral("about")},
        {ID_MAINBAR_BLANK, QStringLiteral("spare")},
        // Browse bar.
        {ID_FILE_SAVE, QStringLiteral("save")},
        {ID_SAVE_ALL, QStringLiteral("save-all")},
        {ID_NEXT_DOCUMENT, QStringLiteral("next-document")},
        {ID_SHOW_AS_WEBPAGE, QStringLiteral("show-webpage")},
        {ID_EDIT_DOCUMENT, QStringLiteral("edit-document")},
        {ID_OPEN_IN_IE, QStringLiteral("open-in-browser")},
        {ID_DIRECTORY_MOVE_DOWN, QStringLiteral("dir-down")},
        {ID_DIRECTORY_MOVE_UP, QStringLiteral("dir-up")},
        {ID_TILE_HORIZONTAL, QStringLiteral("tile-horizontal")},
        {ID_TILE_VERTICAL, QStringLiteral("tile-vertical")},
        {ID_WINDOW_TILE_VERT, QStringLiteral("tile-vertical")},
        {ID_SYNC_SCROLL_DOWN, QStringLiteral("scroll-down")},
        {ID_SYNC_SCROLL_UP, QStringLiteral("scroll-up")},
        {ID_SYNC_SCROLL_LEFT, QStringLiteral("scroll-left")},
        {ID_SYNC_SCROLL_RIGHT, QStringLiteral("scroll-right")},
        // Fonts toolbar.
        {ID_VIEW_FONTSBAR, QStringLiteral("fonts-toolbar")},
        // HTML Tags toolbar.
        {ID_PROJECT_WIZARD, QStringLiteral("project-wizard")},
        {ID_FONT_WIZARD, QStringLiteral("font-wizard")},
        {ID_BODY_WIZARD, QStringLiteral("body-wizard")},
        {ID_TABLE_WIZARD, QStringLiteral("table-wizard")},
        {ID_IMAGE_WIZARD, QStringLiteral("image-wizard")},
        {ID_COLOR_WIZARD, QStringLiteral("color-wizard")},
        {ID_ALIGN_WIZARD, QStringLiteral("align-wizard")},
        {ID_LIST_WIZARD, QStringLiteral("list-wizard")},
        // Operation toolbar.
        {ID_RUN_PERL, QStringLiteral("run-perl")},
        {ID_COMPILE_JAVA, QStringLiteral("compile-java")},
        // Project tree.
        {ID_PROJTREE_EDIT, QStringLiteral("edit-document")},
        {ID_PROJTREE_SHOW_PAGE, QStringLiteral("show-webpage")},
        {ID_PROJTREE_NEW_FOLDER, QStringLiteral("new-folder")},
        {ID_PROJTREE_COPY, QStringLiteral("copy")},
        {ID_PROJTREE_PASTE, QStringLiteral("paste")},
        {ID_PROJTREE_RENAME, QStringLiteral("rename")},
        {ID_PROJTREE_COMPILE_JAVA, QStringLiteral("compile-java")},
        {ID_PROJTREE_DELETE_ITEM, QStringLiteral("delete")},
        // Keywords tree.
        {ID_KEYWORDS_NEW_FOLDER, QStringLiteral("new-folder")},
        {ID_KEYWORDS_NEW_KEYWORD, QStringLiteral("new-keyword")},
        {ID_KEYWORDS_NEW_FILE, QStringLiteral("new-keywords-file")},
        {ID_KEYWORDS_DELETE_ITEM, QStringLiteral("delete")},
        {ID_KEYWORDS_COPY, QStringLiteral("copy")},
        {ID_KEYWORDS_PASTE, QStringLiteral("paste")},
        {ID_KEYWORDS_EDIT_LABEL, QStringLiteral("rename")},
        // List bar.
        {ID_LIST_EDIT_ITEM, QStringLiteral("edit-document")},
        {ID_LIST_SHOW_IN_BROWSER, QStringLiteral("show-webpage")},
        {ID_LIST_COPY, QStringLiteral("copy")},
        {ID_LIST_MOVE_CUT, QStringLiteral("move-cut")},
        {ID_LIST_BLANK, QStringLiteral("spare")},
        {ID_LIST_DELETE, QStringLiteral("delete")},
        // Desktop tree.
        {ID_FILE_NEW_FOLDER, QStringLiteral("new-folder")},
    };
    return names;
}

} // namespace

QString CommandIconFile(int id)
{
    const QString name = IconNames().value(id);
    return name.isEmpty() ? QString() : QStringLiteral(":/icons/%1.svg").arg(name);
}

QIcon CommandIcon(int id)
{
    const QString file = CommandIconFile(id);
    return file.isEmpty() ? QIcon() : QIcon(file);
}

QIcon ProgramIcon()
{
    return QIcon(QStringLiteral(":/icons/zentrel.svg"));
}

} // namespace ZtRes
