#pragma once

#include "tools/ToolPathDlg.h"

// "Register PERL Path": the full path of the Perl interpreter.
class CPerlPathDlg : public CToolPathDlg
{
public:
    static QString NotSetText() { return QStringLiteral("PERL\\BIN path not set"); }

    explicit CPerlPathDlg(const QString& stored, QWidget* parent = nullptr)
        : CToolPathDlg({QStringLiteral("Register PERL Path"), QStringLiteral("PERL path"),
                        QStringLiteral("Full path to perl.exe"), NotSetText()},
                       stored, parent)
    {
    }
};
