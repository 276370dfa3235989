#pragma once

#include "DatedRecordDialog.h"

// The refinancing rate by hand: date and rate.
class TfrmAdd_Edit2 : public DatedRecordDialog {
public:
    explicit TfrmAdd_Edit2(const RecordDialogContext& context, QWidget* parent = nullptr)
        : DatedRecordDialog(RecordDialogs::Refinancing, context, parent) {}
};
