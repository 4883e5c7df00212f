#pragma once
// Answers the desktop program's dialogs from a queue and keeps every request
// ("kind: title: text") and every message's text.

#include "ui/DialogProvider.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>

namespace drossel::ui {

// The windows keep their settings in a folder of the test's own, never the user's.
inline const struct TestSettings {
    QTemporaryDir folder;
    TestSettings() {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    }
} kTestSettings;

class ScriptedDialogs : public DialogProvider {
public:
    std::deque<QString> answers;  // file and folder dialogs; empty: cancelled
    QStringList requests;
    QStringList messages;

    QString OpenFileName(QWidget*, const QString& title, const QString&, const QString&) override {
        return Answer("open: " + title);
    }
    QString SaveFileName(QWidget*, const QString& title, const QString& name, const QString&,
                         QString* selected) override {
        return Answer("save: " + title + ": " + name + (selected->isEmpty() ? "" : " [" + *selected + "]"));
    }
    QString ExistingFolder(QWidget*, const QString& caption, const QString&) override {
        return Answer("folder: " + caption);
    }
    void ShowFolder(const QString& folder) override { requests << "show folder: " + folder; }
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
