#pragma once

#include <QStringList>
#include <QWizard>

class CTableWizPage1;
class CTableWizPage2;

// The Table wizard, "Wizard": page "Table" builds the TABLE start tag,
// page "Rows and Cells" the rows and the end tag. Each page records its
// piece of text here as the user leaves it; Text() is the table.
class CTableWizSheet : public QWizard
{
    Q_OBJECT
public:
    enum Piece { START_TAG, ROWS_AND_END };

    // baseDirectory is where file references are relative to; projectPath
    // the open project's file, where the background image button starts
    // when no image folder is remembered.
    CTableWizSheet(const QString& baseDirectory, const QString& projectPath, QWidget* parent = nullptr);

    static QString Caption() { return QStringLiteral("Wizard"); }

    const QString& BaseDirectory() const { return m_strBaseDirectory; }
    const QString& ProjectPath() const { return m_strProjectPath; }
    CTableWizPage1* Page1() const { return m_pPage1; }
    CTableWizPage2* Page2() const { return m_pPage2; }

    // Records piece, replacing the text recorded for it before.
    void RecordPiece(Piece piece, const QString& text);
    const QString& RecordedPiece(Piece piece) const { return m_pieces[piece]; }
    // The recorded pieces in order.
    QString Text() const { return m_pieces.join(QString()); }

    // For a TABLE start tag being edited: page "Table" is the last, and
    // Finish (or Return) ends there.
    void EditStartTagOnly() { m_bStartTagOnly = true; }
    int nextId() const override;

private:
    void GiveBothPagesOneSize();

    QString m_strBaseDirectory;
    QString m_strProjectPath;
    QStringList m_pieces{QString(), QString()};
    CTableWizPage1* m_pPage1;
    CTableWizPage2* m_pPage2;
    bool m_bStartTagOnly = false;
};
