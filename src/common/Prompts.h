#pragma once

#include <QString>

// Everything the program asks of a person. The windows use the Qt implementation; tests script it.
class Prompts {
public:
    virtual ~Prompts() = default;

    // Plain box with one OK button and the program title as caption.
    virtual void message(const QString& text) = 0;
    // Information box with one OK button.
    virtual void information(const QString& text) = 0;
    // Confirmation with a question icon and the buttons Yes and No; true for Yes.
    virtual bool question(const QString& text) = 0;
    // The answers of a question that may answer the questions still to come as well.
    enum class Answer { Yes, No, YesToAll, NoToAll };
    // Confirmation with a question icon and the buttons «Да», «Да для всех», «Нет», «Нет для всех». Closing the
    // box is No. Where a person cannot be asked for all at once, it is the Yes/No question.
    virtual Answer questionForAll(const QString& text) { return question(text) ? Answer::Yes : Answer::No; }
    // Confirmation with the buttons OK and Cancel; true for OK.
    virtual bool confirm(const QString& text) = 0;
    // Open-file choice; filter in the form "Text files (*.txt)|*.txt". Empty result: cancelled.
    virtual QString openFile(const QString& filter, const QString& directory) = 0;
    // Save-file choice, same filter form, offering `fileName` (a name or a path). Empty result: cancelled,
    // which is all a console can answer.
    virtual QString saveFile(const QString& filter, const QString& fileName) {
        Q_UNUSED(filter);
        Q_UNUSED(fileName);
        return QString();
    }
};
