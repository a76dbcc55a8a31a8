#pragma once
// How GoogleTest shows Qt values and our own enumerations in test names and failure messages:
// as text instead of their raw bytes, which change from run to run.

#include "board/CommandList.h"
#include "platform/Language.h"
#include "stream/RecordContext.h"

#include <ostream>
#include <QtCore/QByteArray>
#include <QtCore/QPoint>
#include <QtCore/QString>
#include <QtCore/QStringList>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << bytes.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        *os << (i == 0 ? "" : ", ");
        PrintTo(texts[i], os);
    }
    *os << '}';
}

inline void PrintTo(const QPoint& point, std::ostream* os) {
    *os << '(' << point.x() << ", " << point.y() << ')';
}

namespace karvel {

inline void PrintTo(Language language, std::ostream* os) {
    switch (language) {
    case Language::German:
        *os << "German";
        return;
    case Language::English:
        *os << "English";
        return;
    case Language::French:
        *os << "French";
        return;
    }
    *os << "Language " << int(language);
}

inline void PrintTo(StreamPurpose purpose, std::ostream* os) {
    switch (purpose) {
    case StreamPurpose::File:
        *os << "file";
        return;
    case StreamPurpose::Snapshot:
        *os << "snapshot";
        return;
    case StreamPurpose::Copy:
        *os << "copy";
        return;
    case StreamPurpose::Transfer:
        *os << "transfer";
        return;
    }
    *os << "purpose " << int(purpose);
}

inline void PrintTo(CommandId command, std::ostream* os) {
    *os << CommandName(command).toStdString();
}

} // namespace karvel
