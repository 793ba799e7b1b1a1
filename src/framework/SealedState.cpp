#include "framework/SealedState.h"

#include <QCryptographicHash>
#include <QtEndian>

namespace {
const QByteArray kMagic = QByteArrayLiteral("ZtSt");
constexpr int kVersionSize = 4;
constexpr int kChecksumSize = 32;
constexpr int kHeaderSize = 4 + kVersionSize + kChecksumSize;

QByteArray Checksum(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}
} // namespace

QString CSealedState::Seal(const QByteArray& bytes, quint32 version)
{
    char versionBytes[kVersionSize];
    qToBigEndian(version, versionBytes);
    const QByteArray sealed = kMagic + QByteArray(versionBytes, kVersionSize) + Checksum(bytes) + bytes;
    return QString::fromLatin1(sealed.toBase64());
}

QByteArray CSealedState::Open(const QString& text, quint32 version)
{
    if (text.size() > kMaxTextLength)
        return {};
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    const QByteArray& sealed = decoded.decoded;
    if (!decoded || sealed.size() < kHeaderSize || !sealed.startsWith(kMagic))
        return {};
    if (qFromBigEndian<quint32>(sealed.constData() + kMagic.size()) != version)
        return {};
    const QByteArray bytes = sealed.mid(kHeaderSize);
    if (sealed.mid(kMagic.size() + kVersionSize, kChecksumSize) != Checksum(bytes))
        return {};
    return bytes;
}
