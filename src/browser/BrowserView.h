#pragma once

#include "framework/View.h"

#include <QWidget>

class QLabel;

// The browser window's view. Until the embedded browser is built in, it
// names the page it would show.
class CBrowserView : public QWidget, public CView
{
    Q_OBJECT
public:
    CBrowserView();

    QWidget* GetWidget() override { return this; }
    void Navigate(const QString& path);
    QString CurrentPath() const { return m_strPath; }

private:
    QLabel* m_pLabel;
    QString m_strPath;
};
