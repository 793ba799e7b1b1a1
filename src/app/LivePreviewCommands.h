#pragma once

#include "framework/CmdTarget.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <optional>

class CLivePreviewBar;
class CMDIChildWnd;
class CMDIFrameWnd;
class CZentrelView;

// The live preview beside the editors: the "Live Preview" bar, its View menu
// switch, and what it shows. The bar shows the page of the last active
// web-page editor, following its text a moment after each change, and
// scrolls to the element that holds the caret a moment after the caret
// stops. A style sheet typed in another editor reaches the page without a
// new render.
//
// Typing only restarts a timer: the text is copied and served when it
// fires, and only while the bar is shown.
class CLivePreviewCommands : public QObject, public CCmdTarget
{
    Q_OBJECT
public:
    // The pause after the last change before the page is rendered anew.
    static constexpr int kRenderDelayMs = 250;
    // The pause after the caret stops before the preview scrolls to it.
    static constexpr int kCaretDelayMs = 500;

    // Makes the bar in frame, docked on the right and hidden until shown.
    explicit CLivePreviewCommands(CMDIFrameWnd* frame);
    ~CLivePreviewCommands() override;

    CLivePreviewBar* Bar() const { return m_pBar; }

    // The text an editor holds for the file at path, as saving would write
    // it; nothing when no editor has the file open.
    std::optional<QByteArray> OpenText(const QString& path) const;
    // The open project's folder in frame; empty while none is open.
    static QString ProjectFolderOf(const CMDIFrameWnd* frame);

private:
    // The docked width below which showing the bar widens it.
    static constexpr int kMinimumWidth = 200;

    void ToggleBar();
    void OnActiveChildChanged(CMDIChildWnd* child);
    void FollowPage(CZentrelView* page);
    void FollowStyleSheet(CZentrelView* styleSheet);
    void Render();
    // Renders once the events under way are handled, without waiting for the
    // pause after typing.
    void RenderSoon();
    void RevealCaret();
    void ReloadStyleSheet();
    bool IsShown() const;

    CMDIFrameWnd* m_pFrame;
    CLivePreviewBar* m_pBar;
    QPointer<CZentrelView> m_pPage;
    QPointer<CZentrelView> m_pStyleSheet;
    QMetaObject::Connection m_pageChange;
    QMetaObject::Connection m_pageCaret;
    QMetaObject::Connection m_styleSheetChange;
    QTimer m_renderTimer;
    QTimer m_caretTimer;
    QTimer m_styleSheetTimer;
};
