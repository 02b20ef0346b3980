#pragma once
// Header texts are Latin-1 bytes; the dialogs show and take QStrings.

#include <QString>

#include <string>

inline QString headText(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The bytes of a typed text; false when it holds characters beyond
// Latin-1, which a header cannot store (they come out as '?').
inline bool headBytes(const QString& text, std::string& bytes)
{
    const QByteArray latin1 = text.toLatin1();
    bytes.assign(latin1.constData(), static_cast<std::size_t>(latin1.size()));
    return QString::fromLatin1(latin1) == text;
}
