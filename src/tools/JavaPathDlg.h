#pragma once

#include "tools/ToolPathDlg.h"

// "Register JAVA Settings": the folder that holds the Java compiler.
class CJavaPathDlg : public CToolPathDlg
{
public:
    static QString NotSetText() { return QStringLiteral("JAVA path not set"); }

    explicit CJavaPathDlg(const QString& stored, QWidget* parent = nullptr)
        : CToolPathDlg({QStringLiteral("Register JAVA Settings"), QStringLiteral("Java Settings"),
                        QStringLiteral("Path to java bin directory"), NotSetText()},
                       stored, parent)
    {
    }
};
