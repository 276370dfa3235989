#include "ScriptedPrompts.h"

void ScriptedPrompts::message(const QString& text) {
    shown.append({Kind::Message, text});
}

void ScriptedPrompts::information(const QString& text) {
    shown.append({Kind::Information, text});
}

bool ScriptedPrompts::nextAnswer() {
    if (m_answers.isEmpty())
        return m_defaultAnswer;
    return m_answers.takeFirst();
}

bool ScriptedPrompts::question(const QString& text) {
    shown.append({Kind::Question, text});
    return nextAnswer();
}

Prompts::Answer ScriptedPrompts::questionForAll(const QString& text) {
    shown.append({Kind::Question, text});
    if (!m_forAll.isEmpty())
        return m_forAll.takeFirst();
    return nextAnswer() ? Answer::Yes : Answer::No;
}

bool ScriptedPrompts::confirm(const QString& text) {
    shown.append({Kind::Confirm, text});
    return nextAnswer();
}

QString ScriptedPrompts::openFile(const QString& filter, const QString& directory) {
    shown.append({Kind::OpenFile, filter});
    lastFilter = filter;
    lastDirectory = directory;
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString ScriptedPrompts::saveFile(const QString& filter, const QString& fileName) {
    shown.append({Kind::SaveFile, filter});
    lastFilter = filter;
    lastSaveName = fileName;
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QStringList ScriptedPrompts::texts() const {
    QStringList out;
    for (const Shown& s : shown)
        out << s.text;
    return out;
}

QStringList ScriptedPrompts::texts(Kind kind) const {
    QStringList out;
    for (const Shown& s : shown) {
        if (s.kind == kind)
            out << s.text;
    }
    return out;
}
