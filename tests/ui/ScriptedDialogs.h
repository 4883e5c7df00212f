#pragma once
// Answers the desktop program's dialogs from a queue and keeps every request
// ("kind: title: text") and every message's text.

#include "ui/DialogProvider.h"

#include <QStringList>
#include <deque>

namespace drossel::ui {

class ScriptedDialogs : public DialogProvider {
public:
    std::deque<QString> answers;  // file and folder dialogs; empty: cancelled
    QStringList requests;
    QStringList messages;

    QString OpenFileName(QWidget*, const QString& title, const QString&, const QString&) override {
        return Answer("open: " + title);
    }
    QString SaveFileName(QWidget*, const QString& title, const QString& name, const QString&) override {
        return Answer("save: " + title + ": " + name);
    }
    QString ExistingFolder(QWidget*, const QString& caption) override { return Answer("folder: " + caption); }
    MessageAnswer Message(QWidget*, const QString& text, const QString& title, MessageIcon, MessageButtons) override {
        requests << "message: " + title + ": " + text;
        messages << text;
        return MessageAnswer::Ok;
    }

private:
    QString Answer(const QString& request) {
        requests << request;
        if (answers.empty()) return {};
        const QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace drossel::ui
