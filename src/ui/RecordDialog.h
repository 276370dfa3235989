#pragma once

#include "common/NumberText.h"
#include "common/RegionalSettings.h"

#include <QDate>
#include <QDialog>
#include <QStringList>

class Clock;
class MaskedDateEdit;
class Prompts;
class QFormLayout;
class QLineEdit;
class QPushButton;
class TableObject;
struct ChangeCounters;

// What a record dialog works on: the ActiveTable and its current record, the counters, and the mode.
struct RecordDialogContext {
    TableObject& table;
    ChangeCounters& counters;
    Prompts& prompts;
    const Clock& clock;
    const RegionalSettings& regional;
    bool addMode;
};

// The replacement question of the record dialogs: `keyText` is the date or period as typed, `storedText` the
// stored main value in general form (empty when the column is empty), `typedText` the typed value as typed.
QString ManualReplaceQuestionText(bool period, const QString& keyText, const QString& storedText,
                                  const QString& typedText, int storedUpd);

// A small modal dialog that adds a record to the ActiveTable or changes its current record by hand. Everything
// typed is read and checked before anything is written, so a refusal leaves the table as it was and the
// dialog open.
class RecordDialog : public QDialog {
    Q_OBJECT
public:
    RecordDialog(const RecordDialogContext& context, QWidget* parent);

    bool addMode() const { return m_context.addMode; }

public slots:
    // Caption and pre-filled fields.
    void FormCreate();
    // Validates, writes and closes; on a refusal shows why and stays open.
    void btnOKClick();
    void btnCancClick();

protected:
    // What the typed fields say, read before anything is written.
    struct Entry {
        QDate date;
        QString keyText;  // the date or period as typed, for the question
        QString mainText; // the main value as typed
        DecimalNumber mainValue;
    };
    enum class Write { Insert, Edit, Replace };

    virtual bool isPeriodDialog() const { return false; }
    virtual QString mainColumn() const = 0;
    virtual void fillFields() = 0;
    virtual Entry readEntry() = 0;
    // Sets the value columns of the pending record (CURDATE, UPD and DT are the base's).
    virtual void writeColumns(TableObject& table, Write kind) = 0;

    TableObject& table() const { return m_context.table; }
    const RegionalSettings& regional() const { return m_context.regional; }
    const Clock& clock() const { return m_context.clock; }

    MaskedDateEdit* addDateField(); // `de`, "Дата"
    QLineEdit* addTextField(const char* name, const QString& label);
    // Fills the layout's last rows: the separator and the buttons; then sets the caption and the fields.
    void finishLayout();

    // Readings that refuse with the conversion messages.
    QDate readDe() const;
    DecimalNumber readNumber(const QLineEdit* field) const;
    double numberValue(const QLineEdit* field) const;
    // "Поле «Курс»: значение должно быть больше нуля."
    QString positiveMessage(const QWidget* field) const;
    // The field's label without its colon.
    QString fieldName(const QWidget* field) const;
    // General form of a stored column of the current record; empty when the column is empty or there is none.
    QString storedText(const char16_t* column) const;

    MaskedDateEdit* de = nullptr;

private:
    class AddPolicy; // the merge of a typed record
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 2100;
    QStringList fieldTexts() const;

    void addRecord(const Entry& entry);
    void editRecord(const Entry& entry);
    void postEdit(const Entry& entry);

    RecordDialogContext m_context;
    QFormLayout* m_form = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCanc = nullptr;
    QStringList m_filled; // the fields as the dialog filled them
};
