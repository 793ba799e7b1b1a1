#pragma once

#include <QString>

class CZentrelApp;

// The HTML wizard commands of the application: each runs its dialog and,
// when the dialog is accepted, puts the text it built into the active
// editor in place of the selection.
class CWizardCommands
{
public:
    explicit CWizardCommands(CZentrelApp& app) : m_app(app) {}

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

    CZentrelApp& m_app;
};
