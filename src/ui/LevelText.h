#pragma once
// Names and tags in a level file are single-byte text of the Windows world, not
// UTF-8: each byte is shown as the character of that code.

#include <QString>
#include <string>
#include <string_view>

namespace drossel::ui {

inline QString LevelText(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string LevelBytes(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace drossel::ui
