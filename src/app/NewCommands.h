#pragma once

#include "editor/ZentrelDoc.h"

#include <optional>

class CDocTemplate;
class CMainFrame;
class CView;
class QWidget;

// File > New: the New dialog's choice of a page, a plain text file or a
// project workspace, and the New Page dialog every new web page runs.
class CNewCommands
{
public:
    // What the commands use of the program; the application gives itself.
    class CServices
    {
    public:
        virtual ~CServices() = default;
        virtual CMainFrame* GetMainFrame() const = 0;
        virtual CDocTemplate* WebPageTemplate() const = 0;
        virtual CDocTemplate* TextTemplate() const = 0;
        virtual CDocTemplate* ProjectTemplate() const = 0;
        virtual QString StartDirectory() const = 0;
        // The folder the pages' links are made relative to.
        virtual QString GetWizardDirectory() const = 0;
        // The folder last selected in a tree.
        virtual QString SelectedPath() const = 0;
    };

    // Installs the New Page dialog as what a new web page asks.
    explicit CNewCommands(CServices& services);
    ~CNewCommands();

    void OnFileNew();
    // Runs the New Page dialog; nothing on Cancel.
    std::optional<CZentrelDoc::CNewPage> RunNewPageDialog();

private:
    // Makes what the New dialog's choice (CNewDlg::EChoice) names.
    void Create(int choice);
    // The keys go back to the main window: to the editor of a new document,
    // else where they were before.
    void GiveFocusBack(const CView* viewBefore, QWidget* focusBefore);

    CServices& m_services;
};
