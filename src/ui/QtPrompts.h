#pragma once

#include "common/Prompts.h"

class QWidget;

// The prompts as message boxes and the file dialog, captioned with the program title.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text) override;
    void information(const QString& text) override;
    bool question(const QString& text) override;
    Answer questionForAll(const QString& text) override;
    bool confirm(const QString& text) override;
    QString openFile(const QString& filter, const QString& directory) override;
    QString saveFile(const QString& filter, const QString& fileName) override;

private:
    QWidget* m_parent;
};
