#pragma once

#include <QObject>

class QAbstractButton;

// Makes a button's mnemonic (Alt+letter) click it at once. Qt's own
// mnemonic clicks only after a short animation, so keys typed right after
// it (a Tab to the field a check box enables, the fields of the next wizard
// page) would reach a dialog that has not changed yet.
class CInstantMnemonic : public QObject
{
    Q_OBJECT
public:
    // The filter lives as long as the button.
    static void Install(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CInstantMnemonic(QObject* parent);
};
