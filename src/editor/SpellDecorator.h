#pragma once

#include "editor/LineDecorator.h"
#include "editor/SpellTextScanner.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTextCharFormat>

class CSpellChecker;
class CSpellDictionary;
class CSyntaxColorizer;
class QPlainTextEdit;

// Underlines the misspelt words of one HTML page's text, with a red wavy
// line, through the colorizer: only lines that are coloured for display are
// checked, never the whole page at once.
//
// A line's words depend on what the lines above left open (a comment, a tag,
// a script or a style). That state is not kept for the whole page: the state
// at the start of a line is found by reading forward from at most
// kLookBackLines lines (and kLookBackChars characters) above it, starting
// there as plain text. A script, style, comment or tag longer than that is
// taken for text from that distance on. Lines are coloured top to bottom, so
// the state each line left is remembered and most lines need no look-back
// at all. An edit keeps the states of the lines above it; when it changes
// what its last line leaves open (typing "<script>" or "<!--"), the lines
// below within the look-back distance are marked again.
//
// The dictionary follows the page's <html lang> when it names an installed
// one, or is the chosen one when the page names no language. A page of a
// language without a dictionary is not checked, and the user is told so
// once for each such language it names while spelling is on.
class CSpellDecorator : public QObject, public CLineDecorator
{
    Q_OBJECT
public:
    static constexpr int kLookBackLines = 2000;
    static constexpr int kLookBackChars = 256 * 1024;
    // Only this much of the page's start is searched for <html lang>.
    static constexpr int kHeadChars = 64 * 1024;

    CSpellDecorator(QPlainTextEdit* editor, CSyntaxColorizer* colorizer, CSpellChecker& checker);
    ~CSpellDecorator() override;

    // The page's file decides whether it is checked at all: HTML pages only.
    void SetFileName(const QString& nameOrPath);
    bool IsChecking() const { return m_bAttached; }
    // The dictionary the page is checked with; empty while not checking or
    // while no dictionary of the page's language is installed.
    QString DictionaryName() const { return m_bAttached ? m_strDictionary : QString(); }

    void Decorate(const QTextBlock& block, QList<QTextLayout::FormatRange>& ranges) override;

    // The misspelt word at or right before position, as a document range;
    // false when there is none.
    bool MisspeltWordAt(int position, int* start, int* length);
    QStringList Suggestions(const QString& word);
    void AddToDictionary(const QString& word);
    void Ignore(const QString& word);

private:
    // Checks or stops checking as spelling and the page's kind say.
    void Refresh();
    // Picks the dictionary by the page's language; marks anew when it changed.
    void ChooseDictionary();
    void TellNoDictionary(const QString& language);
    void OnChange(int position, int charsRemoved, int charsAdded);
    CSpellLineState StateBefore(const QTextBlock& block);
    void RememberEndState(int blockNumber, const CSpellLineState& state);
    // The first line coloured after an edit is the first line it changed:
    // the states from that line on are set aside (to compare the new ones
    // with), the ones above stay good.
    void SetAsideStatesFrom(int firstChanged);
    void ForgetStates();
    QString Head() const;

    QPlainTextEdit* m_pEditor;
    // The editor's children go in the order they were made: the colorizer
    // may be gone when this is.
    QPointer<CSyntaxColorizer> m_pColorizer;
    CSpellChecker& m_checker;
    QTextCharFormat m_misspelt;
    bool m_bHtml = false;
    bool m_bAttached = false;
    bool m_bChoosePending = false;
    QString m_strDictionary;
    QSet<QString> m_toldLanguages;
    CSpellDictionary* m_pDictionary = nullptr;
    int m_nBlockCount = 0;
    // The state each decorated line left, good for the text of document
    // revision m_nStatesRevision; the states the current edit replaced.
    QHash<int, CSpellLineState> m_endStates;
    QHash<int, CSpellLineState> m_replacedStates;
    int m_nStatesRevision = -1;
    int m_nUndoSteps = 0;
    // The last line whose state changed with an edit: the lines below it are
    // marked again once the colorizer is through with the edit.
    int m_nChangedState = -1;
};
