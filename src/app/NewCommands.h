#pragma once

#include "editor/ZentrelDoc.h"

#include <optional>

class CZentrelApp;

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
    // The keys go back to the main window and its active editor.
    void GiveFocusBack();

    CZentrelApp& m_app;
};
