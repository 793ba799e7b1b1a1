#pragma once

#include "editor/ZentrelDoc.h"

#include <optional>

class CView;
class CZentrelApp;
class QWidget;

// File > New: the New dialog's choice of a page, a plain text file or a
// project workspace, and the New Page dialog every new web page runs.
class CNewCommands
{
public:
    // Installs the New Page dialog as what a new web page asks.
    explicit CNewCommands(CZentrelApp& app);
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

    CZentrelApp& m_app;
};
