#pragma once

#include <QByteArray>
#include <QString>

// Binary state kept in the profile as text, sealed so that damage is
// recognised before anything trusts the bytes: a magic word, the format
// version and a SHA-256 checksum go in front of the bytes, and the whole is
// written as base64.
//
// Qt's own state readers (QMainWindow::restoreState among them) do not
// defend against damaged data, so only bytes that open here may reach them.
// The checksum catches accidental damage (a flipped byte, a cut-off line),
// not deliberate forgery.
class CSealedState
{
public:
    // Profile text longer than this is never opened: no real layout comes
    // near it, and decoding it would only slow the start.
    static constexpr int kMaxTextLength = 256 * 1024;

    static QString Seal(const QByteArray& bytes, quint32 version);
    // The sealed bytes, or an empty array when the text is not a seal of
    // this version or any byte of it is damaged.
    static QByteArray Open(const QString& text, quint32 version);
};
