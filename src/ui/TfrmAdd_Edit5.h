#pragma once

#include "DatedRecordDialog.h"

// The minimum wage by hand: date and the values for state duty and for labour pay.
class TfrmAdd_Edit5 : public DatedRecordDialog {
public:
    explicit TfrmAdd_Edit5(const RecordDialogContext& context, QWidget* parent = nullptr)
        : DatedRecordDialog(RecordDialogs::Mrot, context, parent) {}
};
