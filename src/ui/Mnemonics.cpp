#include "ui/Mnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace drossel::ui {
namespace {

// The position of the letter to mark, or -1.
qsizetype FreeLetter(const QString& text, const QSet<QChar>& taken) {
    for (const bool wordStartsOnly : {true, false}) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
            if (c.isLetterOrNumber() && (wordStart || !wordStartsOnly) && !taken.contains(c.toLower())) return i;
        }
    }
    return -1;
}

void Assign(const QList<QAction*>& actions) {
    QSet<QChar> taken;
    for (QAction* action : actions) {
        const QString text = action->text();
        if (const qsizetype marked = text.indexOf(QLatin1Char('&')); marked >= 0 && marked + 1 < text.size())
            taken.insert(text[marked + 1].toLower());
    }
    for (QAction* action : actions) {
        QString text = action->text();
        if (action->isSeparator() || text.isEmpty() || text.contains(QLatin1Char('&'))) continue;
        if (const qsizetype at = FreeLetter(text, taken); at >= 0) {
            taken.insert(text[at].toLower());
            action->setText(text.insert(at, QLatin1Char('&')));
        }
    }
    for (QAction* action : actions) {
        if (action->menu() != nullptr) Assign(action->menu()->actions());
    }
}

}  // namespace

void AssignMnemonics(QMenuBar* bar) {
    Assign(bar->actions());
}

}  // namespace drossel::ui
