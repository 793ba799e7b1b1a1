#pragma once

#include "editor/SourcePrinter.h"
#include "framework/View.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QTextCharFormat>

#include <memory>

struct CCharFormatChange;
class QMenu;
class CFindReplaceDlg;

// What the two editor views share: a plain-text editor of one fixed-pitch
// font, without word wrap, with tab stops every 0.2 inch, that pastes plain
// text only, prints with half-inch margins and shows its context menu
// through the main frame's command routing.
//
// The differences between the web-page editor and the plain text editor are
// the font defaults and the context menu; they come in through the
// constructor's settings.
class CSourceEditView : public QPlainTextEdit, public CView
{
    Q_OBJECT
public:
    struct Settings
    {
        int contextMenuId;        // menu resource of the context menu
        int defaultFormatSize;    // "FontSize" default of the default format, twips
        int screenFontSize;       // "FontSize" default of the screen font, twips
        QString screenFontFace;   // "FontFace" default of the screen font
        bool focusOnFontReturn;   // Enter in the font toolbar gives the focus back
    };

    explicit CSourceEditView(const Settings& settings);
    ~CSourceEditView() override;

    QWidget* GetWidget() override { return this; }
    void OnInitialUpdate() override;

    // Word wrap off, the tab stops and the default character format.
    void SetupEditor();
    // The screen font, created on first use from the profile and kept.
    QFont GetEditorFont();
    // The screen font an editor makes from the profile, given its defaults.
    static QFont ScreenFontFromProfile(int defaultSizeTwips, const QString& defaultFace);
    // The web-page editor's defaults, which the Editor Font toolbar shows
    // while no editor is active.
    static constexpr int kWebPageScreenSizeTwips = 180;
    static QString WebPageDefaultFace() { return QStringLiteral("Courier New"); }
    // The default character format: face and size as the profile gives them,
    // the size capped at 14 points.
    QTextCharFormat DefaultCharFormat() const { return m_defaultFormat; }

    // The Editor Font toolbar's requests.
    void OnCharFormatNotify(const CCharFormatChange& change);
    void OnFontReturnNotify();

    // Half an inch, the print margins on all four sides.
    static constexpr int kPrintMarginTwips = 720;
    static constexpr int kTabStopTwips = 288;
    static constexpr int kMaxDefaultSizeTwips = 280;

    // Font sizes in the profile: twips, read with their defaults and kept in
    // a range a screen can show.
    static int ProfileFontSize(int defaultTwips);
    static int CappedDefaultSize(int twips) { return qMin(twips, kMaxDefaultSizeTwips); }

    // The format that marks a file dragged from one of the program's own
    // trees or lists (the file itself travels as a URL).
    static QString ProgramFileDragFormat() { return QStringLiteral("application/x-zentrel-file"); }
    // A file of the Keywords tree that opens in an editor where it is let
    // go, instead of becoming a tag (its path, in the file name encoding).
    static QString OpenFileDragFormat() { return QStringLiteral("application/x-zentrel-open-file"); }
    // A keyword dragged from the Keywords tree: its text, UTF-8.
    static QString KeywordDragFormat() { return QStringLiteral("application/x-zentrel-keyword"); }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    // Whether a dragged file is this editor's to take; other file drags go
    // on to the main window, which opens the file.
    virtual bool AcceptsFileDrop(const QMimeData*) const { return false; }
    // Adds items of a subclass's own on top of the context menu, for the
    // text at position.
    virtual void AddContextItems(QMenu*, int /*position*/) {}
    // The colours of the printed lines; none for black text.
    virtual CSourcePrinter::BlockColours PrintColours() const { return {}; }

private:
    void MapCommands();
    // Makes this editor's child window the active one, with the focus here.
    void ActivateOwnWindow();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnEditFind(bool replace);
    void OnEditRepeat();
    void PrintTo(class QPrinter* printer);

    Settings m_settings;
    QTextCharFormat m_defaultFormat;
    std::unique_ptr<QFont> m_pScreenFont;
};
