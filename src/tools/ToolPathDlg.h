#pragma once

#include <QDialog>

class QLineEdit;

// A dialog that registers the place of an outside tool: one edit in a group,
// showing the path kept in the profile or, when none is kept, a "not set" text.
class CToolPathDlg : public QDialog
{
    Q_OBJECT
public:
    enum ControlId { IDC_PATH = 1195 };

    // The fixed texts of one tool's dialog.
    struct Texts
    {
        QString title;
        QString group;
        QString label;
        QString notSet;
    };

    // stored: the path kept in the profile; empty shows texts.notSet.
    CToolPathDlg(const Texts& texts, const QString& stored, QWidget* parent);

    // The edit's text, whatever it reads, with a leading "~" standing for
    // the home folder.
    QString Path() const;
    QLineEdit* PathEdit() const { return m_pPath; }

private:
    QLineEdit* m_pPath;
};
