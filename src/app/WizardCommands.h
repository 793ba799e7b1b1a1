#pragma once

#include <QString>

class CDocTemplate;
class CMainFrame;
struct CStartTag;

// The HTML wizard commands of the application: each runs its dialog and,
// when the dialog is accepted, puts the text it built into the active
// editor in place of the selection. With the caret in a start tag that a
// wizard makes, the wizard opens filled from that tag and its tag takes the
// old one's place instead.
class CWizardCommands
{
public:
    // What the commands use of the program; the application gives itself.
    class CServices
    {
    public:
        virtual ~CServices() = default;
        virtual CMainFrame* GetMainFrame() const = 0;
        virtual CDocTemplate* WebPageTemplate() const = 0;
        // The folder the pages' links are made relative to.
        virtual QString GetWizardDirectory() const = 0;
        virtual QString ProjectPath() const = 0;
    };

    explicit CWizardCommands(CServices& services) : m_services(services) {}

    void OnBodyWizard();
    void OnFontWizard();
    void OnTableWizard();
    void OnImageWizard();
    void OnColorWizard();
    void OnAlignWizard();
    void OnListWizard();

    // The Body wizard's base directory: the folder of the earliest-opened
    // page, empty when that page has no path yet or no page is open.
    QString BodyBaseDirectory() const;

private:
    // The messages for a finished wizard with no window to take its text.
    static QString NoOpenFileMessage();
    static QString NoFileMessage();
    // Inserts text when the dialog was accepted, then gives the focus back.
    // dialogTookSelection: the text holds the selection the dialog was given.
    void Finish(bool accepted, const QString& text, const QString& noWindowMessage, bool dialogTookSelection = false);
    // Puts startTag in place of tag when the dialog was accepted, then gives
    // the focus back.
    void FinishEdit(bool accepted, const CStartTag& tag, const QString& startTag, const QString& noWindowMessage);
    void GiveFocusBack();

    CServices& m_services;
};
