#include "app/BatchReporting.h"

namespace drossel {

MessageAnswer BatchReporting::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                                          MessageButtons buttons) {
    if (icon != MessageIcon::Critical || buttons != MessageButtons::Ok) {
        return inner_.ShowMessage(text, title, icon, buttons);
    }
    // A status bar shows one line.
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        line += c == '\n' ? ' ' : c;
    }
    summary_.failures.push_back(line);
    inner_.SetStatusText(line);
    return MessageAnswer::Ok;
}

void BatchReporting::Warn(const std::string& text) {
    summary_.warnings.push_back(text);
    inner_.Warn(text);
}

void BatchReporting::FileWritten(const std::string& path) {
    ++summary_.filesWritten;
    inner_.FileWritten(path);
}

}  // namespace drossel
