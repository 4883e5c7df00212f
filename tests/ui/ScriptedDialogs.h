#pragma once
// A DialogProvider for window tests: every dialog is answered from a queue the
// test fills, and every request is kept. An empty queue answers "cancelled" for
// file and folder dialogs and Ok (Cancel for questions) for message boxes.

#include "ui/DialogProvider.h"

#include <QString>
#include <deque>
#include <functional>
#include <vector>

namespace drossel::ui::testing {

struct DialogRequest {
    enum class Kind { Open, Save, Folder, Message } kind;
    QString title;         // dialog title, folder caption or message box title
    QString proposedName;  // file dialogs
    QString filter;        // file dialogs, in Qt's form
    QString text;          // message boxes
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class ScriptedDialogs : public DialogProvider {
public:
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<QString> folderAnswers;
    std::deque<MessageAnswer> messageAnswers;
    std::vector<DialogRequest> requests;
    // Called with each request before it is answered, while the dialog would be up.
    std::function<void(const DialogRequest&)> onRequest;

    QString OpenFileName(QWidget*, const QString& title, const QString& proposedName, const QString& filter) override {
        Record({DialogRequest::Kind::Open, title, proposedName, filter, {}, {}, {}});
        return Take(openAnswers);
    }
    QString SaveFileName(QWidget*, const QString& title, const QString& proposedName, const QString& filter) override {
        Record({DialogRequest::Kind::Save, title, proposedName, filter, {}, {}, {}});
        return Take(saveAnswers);
    }
    QString ExistingFolder(QWidget*, const QString& caption) override {
        Record({DialogRequest::Kind::Folder, caption, {}, {}, {}, {}, {}});
        return Take(folderAnswers);
    }
    MessageAnswer Message(QWidget*, const QString& text, const QString& title, MessageIcon icon,
                          MessageButtons buttons) override {
        Record({DialogRequest::Kind::Message, title, {}, {}, text, icon, buttons});
        if (!messageAnswers.empty()) {
            const MessageAnswer answer = messageAnswers.front();
            messageAnswers.pop_front();
            return answer;
        }
        const bool question = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
        return question ? MessageAnswer::Cancel : MessageAnswer::Ok;
    }

    std::vector<DialogRequest> messages() const { return OfKind(DialogRequest::Kind::Message); }
    std::vector<DialogRequest> OfKind(DialogRequest::Kind kind) const {
        std::vector<DialogRequest> found;
        for (const auto& r : requests) {
            if (r.kind == kind) found.push_back(r);
        }
        return found;
    }

private:
    void Record(const DialogRequest& request) {
        requests.push_back(request);
        if (onRequest) onRequest(request);
    }
    static QString Take(std::deque<QString>& answers) {
        if (answers.empty()) return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace drossel::ui::testing
