#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QWidget;

// Context help for the controls of a dialog. A dialog names each control by
// its resource id (objectName "1007" for control 1007) and installs its help
// table: the ids of the controls that have a help topic, the topic being the
// control's own id. A right click or F1 over such a control then asks the
// help engine to show that topic beside the control.
//
// The help engine itself sits higher up; it installs itself as the handler.
// Without one, context help does nothing.
class CContextHelp : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(int topic, QWidget* control)>;

    // The help engine that shows a topic.
    static void SetHandler(Handler handler);
    // Installs the help table on dialog (or on a part of one, such as a
    // wizard page); the table lives as long as the dialog.
    static void Install(QWidget* dialog, const QList<int>& controlIds);
    // The objectName that gives a control its id.
    static QString ObjectNameFor(int controlId);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CContextHelp(QWidget* dialog, const QList<int>& controlIds);
    // The help topic of widget or of the control it is part of; 0 for none.
    int TopicOf(QWidget* widget) const;

    QWidget* m_pDialog;
    QList<int> m_controlIds;
};
