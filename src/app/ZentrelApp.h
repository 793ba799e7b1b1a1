#pragma once

#include <QApplication>

class CZentrelApp : public QApplication
{
    Q_OBJECT
public:
    CZentrelApp(int& argc, char** argv);
    ~CZentrelApp() override;
};

// The running application object.
CZentrelApp* ZtApp();
