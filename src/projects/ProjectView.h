#pragma once

#include "framework/View.h"

#include <QWidget>

// The view of a project's hidden child frame.
class CProjectView : public QWidget, public CView
{
    Q_OBJECT
public:
    QWidget* GetWidget() override { return this; }
};
