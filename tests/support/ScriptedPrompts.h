#pragma once

#include "common/Prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

// Prompts for tests: records every text and gives the next scripted answer (Yes/OK when none is left, unless
// the default is changed).
class ScriptedPrompts : public Prompts {
public:
    enum class Kind { Message, Information, Question, Confirm, OpenFile, SaveFile };
    struct Shown {
        Kind kind;
        QString text;
    };

    void message(const QString& text) override;
    void information(const QString& text) override;
    bool question(const QString& text) override;
    // Shown as a Question; answered from setNextForAllAnswers, else from the Yes/No script.
    Answer questionForAll(const QString& text) override;
    bool confirm(const QString& text) override;
    QString openFile(const QString& filter, const QString& directory) override;
    // Gives the next scripted file name, as openFile does.
    QString saveFile(const QString& filter, const QString& fileName) override;

    void setNextAnswers(QList<bool> answers) { m_answers = std::move(answers); }
    void setNextForAllAnswers(QList<Answer> answers) { m_forAll = std::move(answers); }
    void setDefaultAnswer(bool answer) { m_defaultAnswer = answer; }
    void setNextFileName(const QString& name) { m_files.append(name); }

    QList<Shown> shown;
    QString lastFilter, lastDirectory, lastSaveName;
    QStringList texts() const;
    QStringList texts(Kind kind) const;
    void clear() { shown.clear(); }

private:
    bool nextAnswer();
    QList<bool> m_answers;
    QList<Answer> m_forAll;
    QStringList m_files;
    bool m_defaultAnswer = true;
};
