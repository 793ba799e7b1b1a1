#pragma once

#include <QByteArray>
#include <QString>

// What a document's Serialize works on: the whole file's bytes, read before
// loading or to be written after storing. The framework does the file I/O
// (with atomic saves), so Serialize only converts between bytes and the
// document's contents.
class CArchive
{
public:
    enum class Mode { Load, Store };

    CArchive(Mode mode, const QString& path) : m_mode(mode), m_strPath(path) {}

    bool IsStoring() const { return m_mode == Mode::Store; }
    bool IsLoading() const { return m_mode == Mode::Load; }
    QString GetFilePath() const { return m_strPath; }

    QByteArray& Bytes() { return m_bytes; }

    // Serialize calls this to reject the file; the framework shows the
    // message and the load or save fails.
    void Fail(const QString& message) { m_strError = message; m_bFailed = true; }
    // The load or save stops without a message (the user said no).
    void Cancel() { m_bFailed = true; }
    bool HasFailed() const { return m_bFailed; }
    QString ErrorMessage() const { return m_strError; }

private:
    Mode m_mode;
    QString m_strPath;
    QByteArray m_bytes;
    QString m_strError;
    bool m_bFailed = false;
};
