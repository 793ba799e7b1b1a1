#pragma once

#include "editor/SourceEditView.h"
#include "editor/TagParser.h"

#include <functional>

class CSpellDecorator;
class CSyntaxColorizer;

// The web-page editor: HTML and every other source file, coloured by the
// language of its extension, and the place where the HTML wizards insert
// their markup.
class CZentrelView : public CSourceEditView
{
    Q_OBJECT
public:
    CZentrelView();
    ~CZentrelView() override;

    // Chooses the colouring language by the file's extension and colours the
    // whole text.
    void SetLanguage(const QString& nameOrPath);
    CSyntaxColorizer* Colorizer() const { return m_pColorizer; }
    CSpellDecorator* Spelling() const { return m_pSpelling; }
    bool IsSyntaxColoring() const;

    // Replaces the selection with text, as the wizards insert their markup.
    void ReplaceSelection(const QString& text);
    // Puts text in place of the characters [start, end) as one undoable
    // edit and leaves the caret after it.
    void ReplaceRange(int start, int end, const QString& text);

    // The finished start tag that holds position (see StartTagAt), with
    // positions of the document; invalid when there is none, when the tag
    // has no ">" of its own, or when it may lie in a comment or script begun
    // before the text read. Only the text around position is read, so a tag
    // longer than that is not found.
    CStartTag StartTagAround(int position) const;
    // What "</" typed at position closes (see ElementToClose), read from as
    // little of the text before it as gives an answer, and never more than
    // a few hundred kilobytes.
    QString OpenElementBefore(int position) const;

    // Writes the text as "tempFile.html" in the folder of path, for a
    // preview of unsaved changes, and returns that file's path (empty, after
    // telling the user, when it could not be written or a link, a pipe or a
    // folder has the name). The document is then marked modified.
    QString WriteTempPage(const QString& path);
    static QString TempPagePath(const QString& path);

    // Whether this window colours was decided when its file was opened.
    void OnOpenRequest(const COpenRequest& request) override;

    // What a file dragged from the program's trees or lists becomes when it
    // is dropped on a page (a link or image tag; empty for nothing). The
    // application installs it.
    using FileDropHandler = std::function<QString(const QString& path)>;
    static void SetFileDropHandler(FileDropHandler handler);
    // Who opens a file dropped in the open-file format (the application's
    // OpenFileInEditor); it runs once the drop is over.
    using FileOpenHandler = std::function<void(const QString& path)>;
    static void SetFileOpenHandler(FileOpenHandler handler);

    // The spelling items for a misspelt word at position, on top of menu:
    // its suggestions, "Add to Dictionary" and "Ignore", then a separator.
    // Nothing when no misspelt word is there.
    void AddContextItems(QMenu* menu, int position) override;

protected:
    bool AcceptsFileDrop(const QMimeData* data) const override;
    CSourcePrinter::BlockColours PrintColours() const override;
    void dropEvent(QDropEvent* event) override;
    // "/" typed just after "<" completes the end tag of the innermost open
    // element, as an undo step of its own. Typing the same end tag then
    // types over the completion; typing another one replaces it.
    void keyPressEvent(QKeyEvent* event) override;
    // A click ends the completion being typed over.
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The characters [start, end) with "\n" between lines.
    QString TextBetween(int start, int end) const;
    // Whether "/" typed at the caret now would start an end tag to complete.
    bool IsEndTagStart() const;
    void CompleteEndTag();
    // Whether the document and the caret are still as the last completion,
    // and the keys typed over it since, left them.
    bool IsCompletionPending() const;
    // A key typed while a completion is pending: true when it was used up
    // typing over the completion or in place of it.
    bool TypeOverCompletion(QKeyEvent* event);
    // Where text read back reach characters from position starts.
    int ReadFrom(int position, int reach) const;

    // End tags are completed in pages only, not in style sheets or scripts;
    // a new page that has no name yet is a page.
    bool m_bHtml = true;
    // Where the last completion left the caret, until the next key that
    // does not type over it.
    int m_nCompletionEnd = -1;
    // The part of the last completion not typed over yet, where it starts,
    // and the document's revision it was left at.
    QString m_strPending;
    int m_nPendingAt = -1;
    int m_nPendingRevision = -1;
    CSyntaxColorizer* m_pColorizer;
    CSpellDecorator* m_pSpelling;
};
