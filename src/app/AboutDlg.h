#pragma once

#include <QDialog>

// "About Zentrel": the program icon, the product name and version, and OK.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
