#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Everything a new document window needs to know, handed over in the call
// that opens it: which file, where its window goes, whether it is shown, and
// whether its text is coloured. The caller decides; the document, frame and
// view only read it.
struct COpenRequest
{
    // The file to open; empty for a new untitled document.
    QString m_strPath;
    // A placement string for the new window; empty lets the frame choose.
    QString m_strPlacement;
    // False opens the window hidden.
    bool m_bMakeVisible = true;
    // Whether a source editor colours the text it opens.
    bool m_bSyntaxColoring = false;
    // Unsaved text kept from an earlier run: the document takes these bytes
    // as its modified text instead of reading the file at m_strPath.
    std::optional<QByteArray> m_recoveredBytes;
};
