#pragma once

#include <QGroupBox>

class QLineEdit;

// A group of the Table wizard that names a style for a tag: an edit field
// for the name and the radio buttons "CLASS" and "ID". The kind is 0 until
// one of them is clicked, then 1 (CLASS) or 2 (ID), following the last one
// clicked.
class CCssChoiceGroup : public QGroupBox
{
    Q_OBJECT
public:
    // The edit field gets the id firstId, the buttons the two after it.
    CCssChoiceGroup(const QString& title, int firstId, QWidget* parent = nullptr);

    int Kind() const { return m_nKind; }
    QString Text() const;
    // Shows kind (its button checked) and text, as for a tag being edited.
    void SetChoice(int kind, const QString& text);

private:
    QLineEdit* m_pEdit;
    class QRadioButton* m_pButtons[2] = {};
    int m_nKind = 0;
};
