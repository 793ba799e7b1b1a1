#include "projects/ProjectView.h"

#include "editor/SourceText.h"
#include "framework/Document.h"

#include <QFont>

CProjectView::CProjectView()
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The margins belong to the edit area: the gaps take its background.
    setViewportMargins(kLeftMargin, 0, kRightMargin, 0);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFont(ViewFont());
}

QFont CProjectView::ViewFont()
{
    if (!m_bFontMade) {
        // As in the editors: the face when it is installed, otherwise the
        // system's fixed-pitch font.
        QFont font;
        font.setFamilies({QStringLiteral("Courier New")});
        font.setStyleHint(QFont::TypeWriter);
        font.setPointSize(10);
        setFont(font);
        m_bFontMade = true;
    }
    return font();
}

void CProjectView::OnOpenRequest(const COpenRequest&)
{
    // Typing is the only thing that modifies a project.
    CDocument* document = GetDocument();
    connect(this->document(), &QTextDocument::modificationChanged, this, [document](bool modified) {
        if (document)
            document->SetModifiedFlag(modified);
    });
}

void CProjectView::SetFileBytes(const QByteArray& bytes)
{
    CSourceText::LoadInto(document(), bytes);
}

QByteArray CProjectView::FileBytes() const
{
    return CSourceText::Save(document());
}
