#include "RecordingUserInterface.h"

#include <algorithm>

namespace drossel::testing {
namespace {

std::string Take(std::deque<std::string>& queue) {
    if (queue.empty()) return {};
    std::string answer = queue.front();
    queue.pop_front();
    return answer;
}

}  // namespace

void RecordingUserInterface::SetStatusText(const std::string& text) {
    statusTexts.push_back(text);
}

std::string RecordingUserInterface::AskSavePath(const FileDialogRequest& request) {
    dialogs.push_back({RecordedDialog::Kind::Save, request});
    return Take(savePaths);
}

std::string RecordingUserInterface::AskOpenPath(const FileDialogRequest& request) {
    dialogs.push_back({RecordedDialog::Kind::Open, request});
    return Take(openPaths);
}

std::string RecordingUserInterface::BrowseForFolder(const std::string& title) {
    dialogs.push_back({RecordedDialog::Kind::Folder, {title.empty() ? "Select Directory" : title, "", ""}});
    return Take(folders);
}

MessageAnswer RecordingUserInterface::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                                                  MessageButtons buttons) {
    messages.push_back({text, title, icon, buttons});
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void RecordingUserInterface::SetProgressMaximum(int maximum) {
    progressMaximum = maximum;
}

void RecordingUserInterface::SetProgressValue(int value) {
    progressValue = value;
    ++progressUpdates;
    highestProgress = std::max(highestProgress, value);
}

}  // namespace drossel::testing
