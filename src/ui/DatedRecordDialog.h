#pragma once

#include "RecordDialog.h"

#include <array>

// A value series by hand: the date and one or two values, the first the compared one.
struct DatedRecordDescriptor {
    struct Field {
        const char* objectName;
        const char16_t* label;
        const char16_t* column;
    };
    const char* dialogName;
    int fieldCount; // 1 or 2
    std::array<Field, 2> fields;
};

namespace RecordDialogs {
inline constexpr DatedRecordDescriptor Refinancing{"frmAdd_Edit2", 1, {{{"ce", u"Размер:", u"RAZMER"}, {}}}};
inline constexpr DatedRecordDescriptor Mrot{"frmAdd_Edit5",
                                            2,
                                            {{{"ce", u"В иных целях (уплата госпошлины):", u"RAZMER"},
                                              {"ce2", u"В целях регулирования оплаты труда:", u"RAZMER2"}}}};
} // namespace RecordDialogs

class DatedRecordDialog : public RecordDialog {
    Q_OBJECT
public:
    DatedRecordDialog(const DatedRecordDescriptor& descriptor, const RecordDialogContext& context,
                      QWidget* parent = nullptr);

protected:
    QString mainColumn() const override;
    void fillFields() override;
    Entry readEntry() override;
    void writeColumns(TableObject& table, Write kind) override;

private:
    const DatedRecordDescriptor& m_descriptor;
    std::array<QLineEdit*, 2> m_fields{};
    std::array<double, 2> m_values{};
};
