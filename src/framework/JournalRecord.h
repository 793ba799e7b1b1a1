#pragma once

#include "framework/DiskStamp.h"

#include <QByteArray>
#include <QString>

// One journal file: the unsaved bytes of a document and what is needed to
// open them again where they belong.
//
// The file is a short text header, a blank line, then the bytes exactly as a
// save would write them. The header ends with the length and SHA-1 of those
// bytes, so a journal cut short by a crash or a full disk is told apart from
// a whole one. Reading the header alone (ReadHeader) costs the same for a
// 50 MB journal as for a small one; the checksum is checked when the bytes
// are read (ReadBytes).
struct CJournalRecord
{
    // Where the document's file is; empty for an untitled document.
    QString m_strPath;
    // The document's title, kept for untitled documents.
    QString m_strTitle;
    // The name of the document type that opens the bytes again.
    QString m_strKind;
    // The file as the document last read or wrote it.
    CDiskStamp m_loadStamp;
    // When the journal was written, in milliseconds since the epoch.
    qint64 m_nJournaledMs = 0;
    qint64 m_nLength = 0;
    QByteArray m_sha1;
    // Where the record was read from, and whether it could be understood.
    QString m_strJournalFile;
    bool m_bDamaged = false;

    // The journal file's contents for bytes.
    QByteArray Encode(const QByteArray& bytes) const;
    // Reads the header of a journal file; a file that is not a whole journal
    // comes back with m_bDamaged set. Never reads more than the header.
    static CJournalRecord ReadHeader(const QString& journalFile);
    // The journaled bytes; false (and m_bDamaged set) when the file no longer
    // holds exactly the bytes its header describes.
    bool ReadBytes(QByteArray& bytes);
    // True when the file at m_strPath no longer looks as it did at load.
    bool FileChangedSince() const;
};
