#include "app/HelpWindow.h"

#include "res/CommandIcons.h"
#include "res/HelpFile.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

void CHelpWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted() && parentWidget() && parentWidget()->window()->isVisible())
        parentWidget()->window()->activateWindow();
}

namespace {
// What an item of the contents stands for: the title page, a chapter or a topic.
enum EItemRole { KindRole = Qt::UserRole, IndexRole };
enum EItemKind { TitleItem, ChapterItem, TopicItem };
} // namespace

CHelpWindow::CHelpWindow(const CHelpFile& helpFile, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_helpFile(helpFile)
    , m_pContents(new QTreeWidget(this))
    , m_pPage(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(helpFile.Title());
    setWindowIcon(ZtRes::ProgramIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    m_pContents->setHeaderHidden(true);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_pContents);
    splitter->addWidget(m_pPage);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 460});
    // The contents page links to the task topics; the window follows them
    // itself so that the contents on the left show where the reader is.
    m_pPage->setOpenLinks(false);
    connect(m_pPage, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { OnLinkClicked(url); });
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(tr("&Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("helpClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // Escape closes the window, as it closes a dialog.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);
    resize(760, 480);
    FillContents();
    connect(m_pContents, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { OnItemChanged(item); });
}

void CHelpWindow::FillContents()
{
    auto* title = new QTreeWidgetItem(m_pContents, {m_helpFile.Title()});
    title->setData(0, KindRole, TitleItem);
    const QList<CHelpChapter>& chapters = m_helpFile.Chapters();
    const QList<CHelpTopic>& topics = m_helpFile.Topics();
    QList<QTreeWidgetItem*> chapterItems;
    for (int i = 0; i < chapters.size(); ++i) {
        auto* item = new QTreeWidgetItem(m_pContents, {chapters[i].m_strTitle});
        item->setData(0, KindRole, ChapterItem);
        item->setData(0, IndexRole, i);
        chapterItems.append(item);
    }
    for (int i = 0; i < topics.size(); ++i) {
        QTreeWidgetItem* parent = title;
        for (QTreeWidgetItem* chapter : std::as_const(chapterItems)) {
            if (chapter->text(0) == topics[i].m_strChapter)
                parent = chapter;
        }
        auto* item = new QTreeWidgetItem(parent, {topics[i].m_strTitle});
        item->setData(0, KindRole, TopicItem);
        item->setData(0, IndexRole, i);
    }
    m_pContents->expandAll();
}

void CHelpWindow::ShowTopic(int id)
{
    const CHelpTopic* topic = id != 0 ? m_helpFile.Topic(id) : nullptr;
    ShowTopicAt(topic ? int(topic - m_helpFile.Topics().constData()) : -1);
}

void CHelpWindow::OnLinkClicked(const QUrl& url)
{
    const int index = CHelpFile::TopicIndexOfLink(url.toString());
    if (index >= 0 && index < m_helpFile.Topics().size())
        ShowTopicAt(index);
}

void CHelpWindow::ShowTopicAt(int index)
{
    for (QTreeWidgetItemIterator it(m_pContents); *it; ++it) {
        const bool wanted = index < 0 ? (*it)->data(0, KindRole) == TitleItem
                                      : (*it)->data(0, KindRole) == TopicItem
                                            && (*it)->data(0, IndexRole) == index;
        if (wanted) {
            m_pContents->setCurrentItem(*it);
            OnItemChanged(*it);
            return;
        }
    }
}

void CHelpWindow::OnItemChanged(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const int index = item->data(0, IndexRole).toInt();
    switch (item->data(0, KindRole).toInt()) {
    case TitleItem:
        ShowPage(m_helpFile.ContentsPage());
        break;
    case ChapterItem:
        ShowPage(ChapterPage(index));
        break;
    default: {
        const CHelpTopic& topic = m_helpFile.Topics().at(index);
        ShowPage(QStringLiteral("## %1\n\n%2").arg(topic.m_strTitle, topic.m_strBody));
    }
    }
}

QString CHelpWindow::ChapterPage(int chapter) const
{
    const CHelpChapter& about = m_helpFile.Chapters().at(chapter);
    QString page = QStringLiteral("# %1\n\n%2\n\n").arg(about.m_strTitle, about.m_strIntro);
    for (const CHelpTopic& topic : m_helpFile.Topics()) {
        if (topic.m_strChapter == about.m_strTitle)
            page += QStringLiteral("## %1\n\n%2\n\n").arg(topic.m_strTitle, topic.m_strBody);
    }
    return page;
}

void CHelpWindow::ShowPage(const QString& markdown)
{
    m_strPage = markdown;
    m_pPage->setMarkdown(markdown);
}
