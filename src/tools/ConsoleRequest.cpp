#include "tools/ConsoleRequest.h"

#include <QDataStream>
#include <QIODevice>

namespace {
// Changes whenever the encoding does, so an older runner refuses a request
// rather than misreading it.
const QString kFormat = QStringLiteral("zentrel-runcon/1");
} // namespace

QByteArray CConsoleRequest::Encode() const
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << kFormat << m_strWorkingDirectory << m_line.m_bRedirectOutput << m_line.m_strOutputFile
           << m_line.m_strProgram << m_line.m_arguments;
    return bytes;
}

std::optional<CConsoleRequest> CConsoleRequest::Decode(const QByteArray& bytes)
{
    QDataStream stream(bytes);
    QString format;
    CConsoleRequest request;
    stream >> format >> request.m_strWorkingDirectory >> request.m_line.m_bRedirectOutput
        >> request.m_line.m_strOutputFile >> request.m_line.m_strProgram >> request.m_line.m_arguments;
    if (stream.status() != QDataStream::Ok || format != kFormat)
        return std::nullopt;
    return request;
}
