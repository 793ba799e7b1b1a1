#pragma once

#include <QCheckBox>

// A check box whose mnemonic ticks it at once. Qt's own mnemonic clicks a
// button only after a short animation, so a Tab typed right after Alt+letter
// would still find the box clear and skip the field the box enables.
class CMnemonicCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit CMnemonicCheckBox(const QString& text, QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
};
