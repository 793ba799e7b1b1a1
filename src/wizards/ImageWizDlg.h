#pragma once

#include "wizards/ImageText.h"

#include <QDialog>
#include <QStringList>

class CFileButton;
class QComboBox;
class QLineEdit;

// The Image wizard, "Image tag": an image and a link target picked with
// file dialogs (references relative to the base directory; a picture from
// outside the site may be copied into it first), alignment,
// border and a text; OK builds the tag. The folders images were picked
// from are remembered in the profile, most recent first: loaded when the
// dialog opens, written back however it closes.
class CImageWizDlg : public QDialog
{
    Q_OBJECT
public:
    enum {
        IDC_FOLDER = 2300,
        IDC_IMAGE = 2301,
        IDC_ALIGN = 2302,
        IDC_BORDER = 2303,
        IDC_LINK = 2304,
        IDC_TEXT = 2305,
    };

    explicit CImageWizDlg(const QString& baseDirectory, QWidget* parent = nullptr);

    static QString Caption() { return QStringLiteral("Image tag"); }
    // The image file filter, in "description|pattern|" pairs.
    static QString ImageFilter();
    static QString LinkFilter();

    CImageValues Values() const;
    // Fills the image, align and border fields, as for a tag being edited,
    // and turns off the link and its text: an edit writes the IMG tag alone.
    void SetTagValues(const CImageValues& values);
    // Fills the Text field, as the command does with the editor's selection.
    void SetText(const QString& text);
    // The tag OK built; empty before.
    const QString& Text() const { return m_strText; }
    // The remembered folders as the folder box lists them.
    QStringList Folders() const;
    CFileButton* ImageButton() const { return m_pImageButton; }
    CFileButton* LinkButton() const { return m_pLinkButton; }

    void accept() override;
    void done(int result) override;

private:
    QWidget* MakeFolderGroup();
    QWidget* MakeTagGroup(const QString& baseDirectory);
    // A picked image: its folder is remembered, and the field gets its
    // reference, to a copy in the site when the user takes that offer.
    void OnImageChosen(const QString& path);
    // For a picture outside the site whose folder is base, offers to copy it
    // into the site and returns the copy's path; otherwise, when declined or
    // when the copy fails (the user is told why), path.
    QString OfferCopyIntoSite(const QString& path, const QString& base);
    // Puts the folder of a picked image in front of the remembered ones.
    void RecordFolder(const QString& folder);
    void ShowFolders(const QStringList& folders);

    QComboBox* m_pFolder = nullptr;
    QLineEdit* m_pImage = nullptr;
    CFileButton* m_pImageButton = nullptr;
    QComboBox* m_pAlign = nullptr;
    QComboBox* m_pBorder = nullptr;
    QLineEdit* m_pLink = nullptr;
    CFileButton* m_pLinkButton = nullptr;
    QLineEdit* m_pTextField = nullptr;
    QString m_strText;
    // Copies this dialog made in the site; Cancel removes them again.
    QStringList m_madeCopies;
};
