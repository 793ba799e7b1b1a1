#pragma once

#include "browser/LivePreviewView.h"
#include "framework/SizeControlBar.h"

// The "Live Preview" docking bar. It makes its view, and with it the web
// engine, only when it is first shown: a program that never shows it never
// pays for the engine.
class CLivePreviewBar : public CSizeControlBar
{
    Q_OBJECT
public:
    static constexpr int kDockedInset = 2;

    CLivePreviewBar(CLivePreviewView::Services services, QWidget* parent = nullptr);

    // The view, made on first request; ViewIfMade gives null until then.
    CLivePreviewView* View();
    CLivePreviewView* ViewIfMade() const { return m_pView; }

private:
    CLivePreviewView::Services m_services;
    CLivePreviewView* m_pView = nullptr;
};
