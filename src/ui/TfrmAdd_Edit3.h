#pragma once

#include "PeriodRecordDialog.h"

// The quarterly inflation index by hand.
class TfrmAdd_Edit3 : public PeriodRecordDialog {
public:
    explicit TfrmAdd_Edit3(const RecordDialogContext& context, QWidget* parent = nullptr)
        : PeriodRecordDialog(RecordDialogs::Inflation, context, parent) {}
};
