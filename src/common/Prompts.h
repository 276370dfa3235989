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
