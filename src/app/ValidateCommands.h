#pragma once

#include "framework/CmdTarget.h"
#include "tools/TidyValidator.h"
#include "tools/ValidationMarks.h"

#include <QObject>
#include <QPointer>

class CMDIFrameWnd;
class CMessagesBar;
class CValidateJob;
class CZentrelView;

// Tools > Validate Page: checks the active page's text, as it stands
// unsaved, with HTML Tidy on a worker thread; shows the errors and warnings
// in the "Messages" bar, leads from a message to its place in the page, and
// underlines the lines with errors. The page's text is only read.
class CValidateCommands : public QObject, public CCmdTarget
{
    Q_OBJECT
public:
    // Makes the bar in frame, docked at the bottom and hidden until a page
    // is validated.
    explicit CValidateCommands(CMDIFrameWnd* frame);
    ~CValidateCommands() override;

    CMessagesBar* Bar() const { return m_pBar; }
    CValidateJob* Job() const { return m_pJob; }

    void OnValidatePage();
    // Puts the caret of the validated page at column (an offset) of line.
    void ShowPlace(int line, qsizetype column);

private:
    void OnReport(const CTidyReport& report);
    void ShowBar();

    CMDIFrameWnd* m_pFrame;
    CMessagesBar* m_pBar;
    CValidateJob* m_pJob;
    // The page being checked or last checked, and its lines when copied.
    QPointer<CZentrelView> m_pPage;
    QString m_strPageName;
    QVector<CValidationMarks::CLineStamp> m_stamps;
};
