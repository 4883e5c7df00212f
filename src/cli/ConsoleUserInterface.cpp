#include "cli/ConsoleUserInterface.h"

#include <unistd.h>
#include <cstdio>
#include <iostream>

namespace drossel::cli {
namespace {

// Message texts use CR LF between lines; a shell wants plain line ends.
std::string OnConsole(std::string text) {
    std::string out;
    for (char c : text) {
        if (c != '\r') out += c;
    }
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

}  // namespace

ConsoleUserInterface::ConsoleUserInterface(Verbosity verbosity)
    : verbosity_(verbosity), showProgress_(verbosity != Verbosity::Quiet && ::isatty(STDERR_FILENO) == 1) {}

void ConsoleUserInterface::SetStatusText(const std::string& text) {
    status_ = text;
    if (verbosity_ == Verbosity::Verbose) std::cerr << text << '\n';
}

void ConsoleUserInterface::Warn(const std::string& text) {
    status_ = text;
    if (verbosity_ != Verbosity::Quiet) std::cerr << OnConsole(text) << '\n';
}

std::string ConsoleUserInterface::AskSavePath(const FileDialogRequest&) {
    return {};
}

std::string ConsoleUserInterface::AskOpenPath(const FileDialogRequest&) {
    return {};
}

std::string ConsoleUserInterface::BrowseForFolder(const std::string&) {
    return folderAnswer;
}

MessageAnswer ConsoleUserInterface::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                                                MessageButtons buttons) {
    if (buttons == MessageButtons::YesNoCancel || buttons == MessageButtons::YesNo) return questionAnswer;
    if (icon == MessageIcon::Critical) {
        failed_ = true;
        std::cerr << OnConsole(text) << '\n';
    } else if (verbosity_ != Verbosity::Quiet) {
        std::cerr << (title.empty() ? "" : title + ": ") << OnConsole(text) << '\n';
    }
    return MessageAnswer::Ok;
}

void ConsoleUserInterface::SetProgressMaximum(int maximum) {
    progressMaximum_ = maximum;
    lastShownPercent_ = -1;
}

void ConsoleUserInterface::SetProgressValue(int value) {
    if (!showProgress_ || progressMaximum_ <= 0) return;
    const int percent = static_cast<int>(100LL * value / progressMaximum_);
    if (percent == lastShownPercent_) return;
    lastShownPercent_ = percent;
    std::fprintf(stderr, value == 0 ? "\r      \r" : "\r%3d%% ", percent);
    std::fflush(stderr);
}

void ConsoleUserInterface::FileWritten(const std::string& path) {
    std::cout << path << '\n';
}

}  // namespace drossel::cli
