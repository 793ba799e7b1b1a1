#include "editor/SpellDecorator.h"

#include "editor/SpellChecker.h"
#include "editor/SyntaxColorizer.h"
#include "files/FileKinds.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

namespace {
// States remembered before they are all forgotten at once; a screen needs
// some dozens.
constexpr int kMaxEndStates = 20000;
} // namespace

CSpellDecorator::CSpellDecorator(QPlainTextEdit* editor, CSyntaxColorizer* colorizer, CSpellChecker& checker)
    : QObject(editor)
    , m_pEditor(editor)
    , m_pColorizer(colorizer)
    , m_checker(checker)
{
    m_misspelt.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    m_misspelt.setUnderlineColor(Qt::red);
    // Connected after the colorizer, so an edit's lines are coloured (and
    // their states known) when OnChange runs.
    connect(editor->document(), &QTextDocument::contentsChange, this, &CSpellDecorator::OnChange);
    connect(&checker, &CSpellChecker::changed, this, &CSpellDecorator::Refresh);
}

CSpellDecorator::~CSpellDecorator()
{
    if (m_bAttached && m_pColorizer)
        m_pColorizer->RemoveDecorator(this);
}

void CSpellDecorator::SetFileName(const QString& nameOrPath)
{
    // A new page that has no name yet is a page.
    m_bHtml = nameOrPath.isEmpty() || IsHtmlFile(nameOrPath);
    Refresh();
}

void CSpellDecorator::Refresh()
{
    const bool wanted = m_bHtml && m_checker.IsEnabled();
    if (!wanted) {
        if (m_bAttached) {
            m_bAttached = false;
            m_pColorizer->RemoveDecorator(this);
        }
        m_pDictionary = nullptr;
        m_strDictionary.clear();
        // Turned on again, spelling tells again why the page is unchecked.
        m_toldLanguages.clear();
        return;
    }
    ForgetStates();
    if (m_bAttached) {
        // Another dictionary was chosen, or a word became known or ignored.
        const QString name = m_checker.DictionaryFor(CSpellTextScanner::PageLanguage(Head()));
        if (name != m_strDictionary)
            ChooseDictionary();
        else
            m_pColorizer->RedecorateAll();
        return;
    }
    const QString language = CSpellTextScanner::PageLanguage(Head());
    const QString name = m_checker.DictionaryFor(language);
    // A dictionary that cannot be loaded turns spelling off (and comes back
    // here, with nothing to do). A page of a language without a dictionary
    // is followed unchecked, till its language changes.
    CSpellDictionary* dictionary = nullptr;
    if (!name.isEmpty()) {
        dictionary = m_checker.Dictionary(name);
        if (!dictionary || !m_checker.IsEnabled())
            return;
    }
    m_strDictionary = name;
    m_pDictionary = dictionary;
    m_bAttached = true;
    m_nBlockCount = m_pEditor->document()->blockCount();
    m_nUndoSteps = m_pEditor->document()->availableUndoSteps();
    ForgetStates();
    m_pColorizer->AddDecorator(this);
    if (name.isEmpty())
        TellNoDictionary(language);
}

void CSpellDecorator::TellNoDictionary(const QString& language)
{
    if (m_toldLanguages.contains(language))
        return;
    m_toldLanguages.insert(language);
    m_checker.TellNoDictionary(language);
}

void CSpellDecorator::ChooseDictionary()
{
    if (!m_bAttached)
        return;
    const QString language = CSpellTextScanner::PageLanguage(Head());
    const QString name = m_checker.DictionaryFor(language);
    if (name.isEmpty()) {
        TellNoDictionary(language);
        if (!m_pDictionary)
            return;
        m_strDictionary.clear();
        m_pDictionary = nullptr;
        ForgetStates();
        m_pColorizer->RedecorateAll();
        return;
    }
    if (name == m_strDictionary)
        return;
    CSpellDictionary* dictionary = m_checker.Dictionary(name);
    if (!dictionary || !m_bAttached)
        return;
    m_strDictionary = name;
    m_pDictionary = dictionary;
    ForgetStates();
    m_pColorizer->RedecorateAll();
}

QString CSpellDecorator::Head() const
{
    QString head;
    for (QTextBlock block = m_pEditor->document()->firstBlock(); block.isValid() && head.size() < kHeadChars;
         block = block.next())
        head += block.text().left(kHeadChars) + QLatin1Char('\n');
    return head;
}

CSpellLineState CSpellDecorator::StateBefore(const QTextBlock& block)
{
    auto known = [this](int number, CSpellLineState* state) {
        const auto found = m_endStates.constFind(number);
        if (found == m_endStates.cend())
            return false;
        *state = *found;
        return true;
    };
    CSpellLineState state;
    QTextBlock start = block.previous();
    int number = block.blockNumber() - 1;
    if (!start.isValid() || known(number, &state))
        return state;
    // Back to a line whose state is known, or as far as the look-back goes;
    // then forward to block.
    int lines = 1;
    int chars = start.length();
    bool fromKnown = false;
    while (start.previous().isValid() && lines < kLookBackLines && chars < kLookBackChars) {
        if (known(number - 1, &state)) {
            fromKnown = true;
            break;
        }
        start = start.previous();
        --number;
        ++lines;
        chars += start.length();
    }
    if (!fromKnown)
        state = CSpellLineState();
    for (QTextBlock line = start; line.isValid() && line != block; line = line.next())
        state = CSpellTextScanner::Scan(line.text(), state, nullptr);
    return state;
}

void CSpellDecorator::SetAsideStatesFrom(int firstChanged)
{
    const int revision = m_pEditor->document()->revision();
    if (revision == m_nStatesRevision)
        return;
    m_nStatesRevision = revision;
    m_replacedStates.clear();
    for (auto entry = m_endStates.begin(); entry != m_endStates.end();) {
        if (entry.key() >= firstChanged) {
            m_replacedStates.insert(entry.key(), entry.value());
            entry = m_endStates.erase(entry);
        } else {
            ++entry;
        }
    }
}

void CSpellDecorator::ForgetStates()
{
    m_endStates.clear();
    m_replacedStates.clear();
    m_nStatesRevision = m_pEditor->document()->revision();
    m_nChangedState = -1;
}

void CSpellDecorator::RememberEndState(int blockNumber, const CSpellLineState& state)
{
    const auto replaced = m_replacedStates.constFind(blockNumber);
    if (replaced != m_replacedStates.cend() && !(*replaced == state))
        m_nChangedState = qMax(m_nChangedState, blockNumber);
    if (m_endStates.size() >= kMaxEndStates)
        m_endStates.clear();
    m_endStates.insert(blockNumber, state);
}

void CSpellDecorator::Decorate(const QTextBlock& block, QList<QTextLayout::FormatRange>& ranges)
{
    if (!m_pDictionary)
        return;
    const int number = block.blockNumber();
    SetAsideStatesFrom(number);
    const QString text = block.text();
    CSpellLineState endState;
    const QList<CSpellTextScanner::Range> words = CSpellTextScanner::Words(text, StateBefore(block), &endState);
    for (const CSpellTextScanner::Range& word : words) {
        const QString form = CSpellTextScanner::DictionaryForm(QStringView(text).mid(word.start, word.length));
        if (m_checker.IsMisspelt(m_pDictionary, form))
            ranges.append({word.start, word.length, m_misspelt});
    }
    RememberEndState(number, endState);
}

void CSpellDecorator::OnChange(int position, int /*charsRemoved*/, int charsAdded)
{
    if (!m_bAttached)
        return;
    QTextDocument* document = m_pEditor->document();
    if (position < kHeadChars && !m_bChoosePending) {
        // After the edit, outside the document's notification: loading a
        // dictionary may have to tell the user something.
        m_bChoosePending = true;
        QTimer::singleShot(0, this, [this] {
            m_bChoosePending = false;
            ChooseDictionary();
        });
    }
    const int undoSteps = document->availableUndoSteps();
    const bool undone = undoSteps < m_nUndoSteps;
    m_nUndoSteps = undoSteps;
    const int first = document->findBlock(position).blockNumber();
    const int last = document->findBlock(position + charsAdded).blockNumber();
    const int addedLines = document->blockCount() - m_nBlockCount;
    m_nBlockCount = document->blockCount();
    if (undone) {
        // The colorizer marks an undo from the lines on screen, not from the
        // first line changed: no remembered state can be trusted.
        ForgetStates();
        m_pColorizer->RedecorateAll();
        return;
    }
    if (last - first >= kLookBackLines) {
        // A change this big is marked on screen only, maybe from states of
        // lines it changed: the states from its first line on go, and its
        // lines and those below are marked again.
        m_nStatesRevision = -1;
        SetAsideStatesFrom(first);
        m_replacedStates.clear();
        m_nChangedState = -1;
        m_pColorizer->Redecorate(first, last + kLookBackLines);
        return;
    }
    SetAsideStatesFrom(first); // when no line of the edit was coloured
    bool marksBelow = m_nChangedState >= 0;
    if (addedLines != 0) {
        // Lines came or went: the last line changed is compared with the one
        // it replaced, under its old number.
        const auto before = m_replacedStates.constFind(last - addedLines);
        const auto after = m_endStates.constFind(last);
        marksBelow = before == m_replacedStates.cend() || after == m_endStates.cend() || !(*before == *after);
    }
    m_nChangedState = -1;
    if (marksBelow)
        m_pColorizer->Redecorate(last + 1, last + kLookBackLines);
    m_replacedStates.clear();
    m_nChangedState = -1;
}

bool CSpellDecorator::MisspeltWordAt(int position, int* start, int* length)
{
    if (!m_pDictionary)
        return false;
    const QTextBlock block = m_pEditor->document()->findBlock(position);
    if (!block.isValid())
        return false;
    if (m_pEditor->document()->revision() != m_nStatesRevision)
        ForgetStates();
    const QString text = block.text();
    const int offset = position - block.position();
    for (const CSpellTextScanner::Range& word : CSpellTextScanner::Words(text, StateBefore(block))) {
        if (offset < word.start || offset > word.start + word.length)
            continue;
        const QString form = CSpellTextScanner::DictionaryForm(QStringView(text).mid(word.start, word.length));
        if (!m_checker.IsMisspelt(m_pDictionary, form))
            return false;
        *start = block.position() + word.start;
        *length = word.length;
        return true;
    }
    return false;
}

QStringList CSpellDecorator::Suggestions(const QString& word)
{
    return m_checker.Suggestions(m_pDictionary, CSpellTextScanner::DictionaryForm(word));
}

void CSpellDecorator::AddToDictionary(const QString& word)
{
    m_checker.AddToDictionary(CSpellTextScanner::DictionaryForm(word));
}

void CSpellDecorator::Ignore(const QString& word)
{
    m_checker.Ignore(CSpellTextScanner::DictionaryForm(word));
}
